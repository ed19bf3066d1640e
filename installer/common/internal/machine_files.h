#pragma once
// The few questions the installer routines ask of the machine's file system, answered
// through one place so every routine resolves machine paths the same way.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kv::installer::internal {

// The host path of a machine path ("C:\dir\file"), components found without regard to
// case; empty when the drive does not exist.
std::filesystem::path hostPathOf(std::string_view path);
// The host file of an INI file: a bare file name is in the Windows folder, as the profile
// calls take it. Empty when the drive does not exist.
std::string profileHostFile(std::string_view file);
bool fileExists(std::string_view path);   // an existing file (not a folder)
bool folderExists(std::string_view path); // an existing folder
// The platform's drive type of a letter (1 when the machine has no such drive).
int driveTypeOf(char letter);
// The subfolder names of a folder in enumeration order.
std::vector<std::string> subfolderNames(std::string_view folder);

} // namespace kv::installer::internal
