#pragma once
// File and folder operations on machine paths, failing the way the platform does: a
// read-only file is not deleted or overwritten, a file held by an exclusive open is not
// replaced, moved or deleted. Failures return false and set lastError().

#include <optional>
#include <string>
#include <string_view>

namespace kv::fs {

// Whether the path names an existing file or folder / an existing folder.
bool exists(std::string_view path);
bool isDirectory(std::string_view path);

// Creates one folder (its parent must exist; fails when the path exists).
bool createFolder(std::string_view path);
// Creates a folder and its missing parents in the case given; true when it exists after.
bool createFolders(std::string_view path);
// Removes an empty folder.
bool removeFolder(std::string_view path);

// Deletes a file.
bool deleteFile(std::string_view path);
// Copies a file with its attributes and last write time; with failIfExists an existing
// target is an error, else it is replaced.
bool copyFile(std::string_view from, std::string_view to, bool failIfExists);
// Moves or renames a file or folder; an existing target is replaced only with
// replaceExisting (and never for folders). Across drives files are copied and deleted.
bool moveFile(std::string_view from, std::string_view to, bool replaceExisting = false);

// The whole content of a file, or nullopt.
std::optional<std::string> readFile(std::string_view path);
// Writes a whole file, creating or replacing it.
bool writeFile(std::string_view path, std::string_view content);

} // namespace kv::fs
