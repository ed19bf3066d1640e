#include "platform/system/process.h"

#include "platform/system/internal/reset.h"

#include <unistd.h>

#include <cstdlib>
#include <string>
#include <system_error>

namespace kv::machine {
namespace {

struct ProgramState {
    std::filesystem::path executable;
    std::vector<std::string> arguments;
    std::string commandLine; // handed on by the starter
    std::string programPath;
};

std::string variable(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

ProgramState& state() {
    static ProgramState s;
    return s;
}

std::filesystem::path absoluteHost(const std::filesystem::path& p) {
    std::error_code ec;
    std::filesystem::path abs = std::filesystem::weakly_canonical(p, ec);
    if (ec) abs = std::filesystem::absolute(p, ec);
    return abs.lexically_normal();
}

} // namespace

void setProgramArguments(int argc, const char* const* argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec && argc > 0) exe = argv[0];
    setProgram(exe, std::move(args));
    if (variable(kProcessIdVariable) == std::to_string(::getpid())) {
        state().commandLine = variable(kCommandLineVariable);
        state().programPath = variable(kProgramVariable);
    }
}

void setProgram(const std::filesystem::path& hostExecutable, std::vector<std::string> arguments) {
    state().executable = absoluteHost(hostExecutable);
    state().arguments = std::move(arguments);
    state().commandLine.clear();
    state().programPath.clear();
}

std::string quoteArgument(const std::string& argument) {
    const auto special = argument.find_first_of(" \t\"");
    if (!argument.empty() && special == std::string::npos) return argument;
    // A switch with a value ("/File=C:\My Files\a.txt") is written as a user types it, with
    // only the value in quotes; the runtime reads it back as the same argument, and the
    // programs' switch parsing finds a quoted value.
    const auto equals = argument.find('=');
    if (equals != std::string::npos && equals < special)
        return argument.substr(0, equals + 1) + quoteArgument(argument.substr(equals + 1));
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes before a quote are doubled, and the quote escaped.
        out.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, '\\'); // before the closing quote
    out += '"';
    return out;
}

const std::filesystem::path& hostProgram() {
    return state().executable;
}

const std::vector<std::string>& programArguments() {
    return state().arguments;
}

const std::string& handedCommandLine() {
    return state().commandLine;
}

const std::string& handedProgramPath() {
    return state().programPath;
}

void internal::resetProgram() {
    state() = ProgramState{};
}

} // namespace kv::machine
