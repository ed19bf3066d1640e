#pragma once
// The running program as the machine sees it: its path as a machine path and its command
// line, formed as the platform forms it (the path in double quotes, then the arguments).

#include <filesystem>
#include <string>
#include <vector>

namespace kv::machine {

// Records the program's host executable and arguments; called once from main.
void setProgramArguments(int argc, const char* const* argv);
// For tests: the host executable and the arguments as given.
void setProgram(const std::filesystem::path& hostExecutable, std::vector<std::string> arguments);

// The machine path of the running program ("Z:\usr\bin\setup" for a host file outside the
// machine's drives); empty before setProgramArguments.
std::string programPath();
// "\"<program path>\"" followed by the arguments, each quoted by the C runtime's rules
// when it holds a blank, a tab or a double quote (a "name=value" argument with only its
// value quoted, as a user types it).
std::string commandLine();

// The machine path of a host path: inside a drive's host folder that drive (the deepest
// one wins), else the host root as Z:.
std::string machinePathOfHost(const std::filesystem::path& hostPath);
// One argument quoted as the C runtime reads it back.
std::string quoteArgument(const std::string& argument);

void resetProgramForTests();

} // namespace kv::machine
