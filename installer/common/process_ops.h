#pragma once
// The machine's running programs found by their file: a process matches a path when, without
// regard to case, the path is its full executable path, or its file name (unless only full
// paths may match), or both have the same short (8.3) form. Each lookup comes in a variant
// for Windows 9x and one for the NT family; the others choose by the running system.

#include <vector>

#include <string_view>

namespace kv::installer {

// The id of the first running process that matches the path; 0 when none.
int FindProcess9x(std::string_view path, bool fullPathOnly);
int FindProcessNT(std::string_view path, bool fullPathOnly);
// Whether a process matching the path runs (bare file names match).
bool IsProcessRunning(std::string_view path);
// Waits, pumping messages, until no process matching the path runs (bare file names
// match). NT: only when one is found at first; 9x: at least one round of 1000 ms.
void WaitProcessEnd(std::string_view path);
// The ids of all running processes.
std::vector<int> GetProcessIds();
// Whether the id is in the process list.
bool IsProcessIdAlive(int id);

} // namespace kv::installer
