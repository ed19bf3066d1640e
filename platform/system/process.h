#pragma once
// The running program: its host executable and its arguments, recorded at start.

#include <filesystem>
#include <string>
#include <vector>

namespace kv::machine {

// What a start through the machine hands on to the started process, in its environment:
// the machine folder, the command line as the starter wrote it, the program's machine path
// and the pid they are meant for (a process started by that one from the host inherits
// them but is not the one they describe).
constexpr const char* kMachineVariable = "KV_MACHINE";
constexpr const char* kCommandLineVariable = "KV_COMMAND_LINE";
constexpr const char* kProgramVariable = "KV_PROGRAM";
constexpr const char* kProcessIdVariable = "KV_PROCESS_ID";

// Records the program's host executable and arguments, and what a start through the
// machine handed on; called once from main.
void setProgramArguments(int argc, const char* const* argv);
// For tests: the host executable and the arguments as given.
void setProgram(const std::filesystem::path& hostExecutable, std::vector<std::string> arguments);

// The host executable and the arguments recorded; empty before setProgramArguments.
// (platform/fs gives the program's machine path and command line from these.)
const std::filesystem::path& hostProgram();
const std::vector<std::string>& programArguments();
// The command line and machine path handed on by a start through the machine; empty when
// the program was started otherwise.
const std::string& handedCommandLine();
const std::string& handedProgramPath();
// One argument quoted as the C runtime reads it back.
std::string quoteArgument(const std::string& argument);

} // namespace kv::machine
