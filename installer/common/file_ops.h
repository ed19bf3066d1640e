#pragma once
// File and folder operations of the installer programs on machine paths. Trees are walked
// depth-first in enumeration order; file enumeration includes read-only, hidden, system
// and archive files. Errors are never raised: results say what happened. A drive's root is
// never the folder of a tree routine (DeleteByMask, DeleteTree, CopyTree's target): they
// do nothing there. Drive Z: (the host) refuses every change.

#include <cstdint>
#include <string>
#include <string_view>

namespace kv::installer {

// Appends the text to the file (created when missing); sets its date when fileTime is not 0
// (100 ns units since 1601, UTC). True when every byte was written.
bool AppendTextToFile(std::string_view path, std::string_view text, std::uint64_t fileTime);
// Free bytes of the drive named by the path's first character (the current drive for an
// empty path); -1 when the drive cannot be queried.
double DiskFreeSpace(std::string_view path);

// The first file of that name in the folder or below it; empty when none.
std::string FindFileInTree(std::string_view folder, std::string_view fileName);
// FindFileInTree on the root of each drive C: to Z: of the given type (3 fixed, 4 network).
std::string FindFileOnDrives(std::string_view fileName, int driveType);
// The first folder at or below the given one whose path ends with the name (without
// regard to case); empty when none.
std::string FindDirInTree(std::string_view folder, std::string_view name);
// FindDirInTree over the drives of the given type.
std::string FindDirOnDrives(std::string_view name, int driveType);

// Deletes every file matching the mask ("C:\dir\*.tmp"), first setting each to normal
// attributes when clearAttributes is set; errors are ignored.
void DeleteByMask(std::string_view mask, bool clearAttributes);
// Deletes the folder with everything in it (nothing for an empty path); what cannot be
// deleted stays, so callers test whether the folder still exists.
void DeleteTree(std::string_view folder, bool clearAttributes);
// Copies all files and subfolders, creating target folders and overwriting files; nothing
// when the paths are the same without regard to case, the target lies inside the source,
// or the source does not exist.
void CopyTree(std::string_view source, std::string_view target);

// The name a file gets under a target pattern: "*.*" keeps it, "*.ext" changes the
// extension, "name*" the base; any other pattern is the name itself.
std::string WildcardTargetName(std::string_view sourceName, std::string_view targetPattern);
// Copies a file or every file of a "*" mask to a file, folder or pattern; the number
// copied. With createFolders a missing target folder is created.
int CopyFiles(std::string_view source, std::string_view target, bool createFolders);
// Renames a file (possibly to another folder), or every file of a mask inside its own
// folder after the pattern; the number renamed.
int MoveFiles(std::string_view source, std::string_view target);
// Renames a folder to a new name (within its parent) or a new path; writes a trace line.
bool RenameDirectory(std::string_view folder, std::string_view newNameOrPath);

} // namespace kv::installer
