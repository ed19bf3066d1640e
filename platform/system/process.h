#pragma once
// The running program: its host executable and its arguments, recorded at start.

#include <filesystem>
#include <string>
#include <vector>

namespace kv::machine {

// Records the program's host executable and arguments; called once from main.
void setProgramArguments(int argc, const char* const* argv);
// For tests: the host executable and the arguments as given.
void setProgram(const std::filesystem::path& hostExecutable, std::vector<std::string> arguments);

// The host executable and the arguments recorded; empty before setProgramArguments.
// (platform/fs gives the program's machine path and command line from these.)
const std::filesystem::path& hostProgram();
const std::vector<std::string>& programArguments();
// One argument quoted as the C runtime reads it back.
std::string quoteArgument(const std::string& argument);

} // namespace kv::machine
