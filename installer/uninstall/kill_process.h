#pragma once
// Ending a running program of the machine by its file.

#include <string_view>

namespace kv::installer::uninstall {

// Ends, with exit code 0, the first running process whose executable is the path (its full
// path or the same short form; a program of that name elsewhere does not match). True when
// the termination succeeded.
bool KillProcess(std::string_view path);

} // namespace kv::installer::uninstall
