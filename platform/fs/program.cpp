#include "platform/fs/program.h"

#include "platform/fs/path.h"
#include "platform/system/process.h"

namespace kv::fs {

std::string programPath() {
    if (!machine::handedProgramPath().empty()) return machine::handedProgramPath();
    const std::filesystem::path& host = machine::hostProgram();
    return host.empty() ? std::string() : machinePath(host);
}

std::string commandLine() {
    if (!machine::handedCommandLine().empty()) return machine::handedCommandLine();
    std::string line = "\"" + programPath() + "\"";
    for (const std::string& arg : machine::programArguments())
        line += " " + machine::quoteArgument(arg);
    return line;
}

} // namespace kv::fs
