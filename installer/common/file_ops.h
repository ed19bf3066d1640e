#pragma once
// File and folder operations of the installer programs on machine paths: searches in a
// folder tree or over all drives of a type.

#include <string>
#include <string_view>

namespace kv::installer {

// The first file of that name in the folder or below it (depth-first, in enumeration
// order); empty when none.
std::string FindFileInTree(std::string_view folder, std::string_view fileName);
// FindFileInTree on the root of each drive C: to Z: of the given type (3 fixed, 4 network).
std::string FindFileOnDrives(std::string_view fileName, int driveType);
// The first folder at or below the given one whose path ends with the name (without
// regard to case); empty when none.
std::string FindDirInTree(std::string_view folder, std::string_view name);
// FindDirInTree over the drives of the given type.
std::string FindDirOnDrives(std::string_view name, int driveType);

} // namespace kv::installer
