#pragma once
// Windows paths ("C:\Program Files\App\x.dll") and the host paths they stand for. Each
// component is found on the host without regard to case; components not found are taken
// in the case given (so new files and folders keep it).

#include <filesystem>
#include <string>
#include <string_view>

namespace kv::fs {

// The absolute, normalised form of a machine path: "/" taken as "\", "." and ".." folded,
// trailing dots and blanks of components dropped, relative paths taken against the
// current folder ("\x" against its drive). "" for an invalid path (bad characters, UNC).
std::string fullPath(std::string_view path);

// The host path of a machine path, or an empty path when the path is invalid or its drive
// does not exist. Existing components keep their host spelling; 8.3 short names of
// existing entries are followed to their long names.
std::filesystem::path hostPath(std::string_view path);

// The machine path of a host path: below a drive's host folder it is on that drive,
// anything else is on Z: (the host root). "" when no drive holds it.
std::string machinePath(const std::filesystem::path& host);

// The process's current folder (a machine path); initially the host working folder's
// machine path.
std::string currentFolder();
// Sets the current folder; false (and unchanged) when it is not an existing folder.
bool setCurrentFolder(std::string_view path);

// The last component of a machine path, and everything before it (without the "\").
std::string fileNamePart(std::string_view path);
std::string folderPart(std::string_view path);

// Drops the file layer's process-wide state, for tests: the current folder, and the
// calling thread's last error.
void resetForTests();

} // namespace kv::fs
