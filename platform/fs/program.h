#pragma once
// The running program as the machine sees it: its machine path and its command line,
// formed as the platform forms it (the path in double quotes, then the arguments).

#include <string>

namespace kv::fs {

// The machine path of the running program: as its starter wrote it when it was started
// through the machine, else that of its host file ("Z:\usr\bin\setup" for a host file
// outside the machine's drives); empty before kv::machine::setProgramArguments.
std::string programPath();
// The command line as the starter wrote it when started through the machine; otherwise
// "\"<program path>\"" followed by the arguments, each quoted by the C runtime's rules
// when it holds a blank, a tab or a double quote (a "name=value" argument with only its
// value quoted, as a user types it).
std::string commandLine();

} // namespace kv::fs
