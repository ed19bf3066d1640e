#include "installer/common/program_ops.h"

#include "installer/common/install_registry.h"
#include "installer/common/process_ops.h"
#include "installer/common/system_queries.h"
#include "platform/fs/path.h"
#include "platform/process/exec.h"
#include "platform/process/shell.h"

#include <string>

namespace kv::installer {

bool RunProgram(std::string_view path, std::string_view parameters, bool wait, int showMode) {
    const std::string saved = fs::currentFolder();
    fs::setCurrentFolder(GetExeDir(true));
    std::string commandLine = "\"" + std::string(path) + "\"";
    if (!parameters.empty()) commandLine += " " + std::string(parameters);
    const bool started = process::WinExec(commandLine, showMode) >= 32;
    if (started && wait) WaitProcessEnd(path);
    fs::setCurrentFolder(saved);
    return started;
}

bool RunAppPathProgram(std::string_view fileName, std::string_view parameters, bool wait,
                       int showMode) {
    const std::string program = ReadAppPathExe(fileName);
    return !program.empty() && RunProgram(program, parameters, wait, showMode);
}

bool ShellOpen(std::string_view file, std::string_view parameters, int showMode) {
    return process::ShellExecute(file, parameters, showMode) > 32;
}

} // namespace kv::installer
