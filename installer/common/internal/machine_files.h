#pragma once
// The file system calls the installer routines make on machine paths, in one place over
// the machine's file layer: a read-only file is neither deleted nor overwritten until its
// attributes are set to normal, and a file held open exclusively is not replaced.

#include <cstdint>
#include <filesystem>
#include <optional>
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
// The same for a change to the file: empty too when its drive is write-protected (Z:).
std::string writableProfileHostFile(std::string_view file);

// Whether the path names a drive's root folder ("C:\", or "\" on the current drive).
bool isDriveRoot(std::string_view path);
bool fileExists(std::string_view path);   // an existing file (not a folder)
bool folderExists(std::string_view path); // an existing folder
// The platform's drive type of a letter (1 when the machine has no such drive).
int driveTypeOf(char letter);
// The drive letter of the current folder.
char currentDrive();
// Free bytes available on a drive; nothing when it cannot be queried.
std::optional<double> freeBytesOn(char letter);

// Whether a name matches a mask with "*" and "?" without regard to case ("*.*" matches
// every name).
bool matchesMask(std::string_view name, std::string_view mask);
// The file names (all attributes) / subfolder names of a folder that match the mask, in
// enumeration order: by name without regard to case.
std::vector<std::string> fileNames(std::string_view folder, std::string_view mask = "*");
std::vector<std::string> subfolderNames(std::string_view folder);

// Read-only on, or all attributes off ("normal").
bool setReadOnly(std::string_view path, bool readOnly);
bool isReadOnly(std::string_view path);

bool deleteFile(std::string_view path);    // fails for a read-only file
bool removeFolder(std::string_view path);  // an empty folder only
bool createFolders(std::string_view path); // with missing parents; true when it exists after
// Copies a file over an existing one (fails when the target is read-only).
bool copyFile(std::string_view from, std::string_view to);
// Renames or moves a file or folder; fails when the target exists.
bool moveFile(std::string_view from, std::string_view to);
// Appends to a file, creating it; sets its last write time when fileTime is not 0 (the
// platform's units: 100 ns since 1601). True when every byte was written.
bool appendToFile(std::string_view path, std::string_view text, std::uint64_t fileTime);

} // namespace kv::installer::internal
