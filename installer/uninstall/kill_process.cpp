#include "installer/uninstall/kill_process.h"

#include "installer/common/process_ops.h"
#include "installer/common/system_queries.h"
#include "platform/process/exec.h"

namespace kv::installer::uninstall {

bool KillProcess(std::string_view path) {
    const int id = IsWinNT() ? FindProcessNT(path, true) : FindProcess9x(path, true);
    return id != 0 && process::TerminateProcess(id, 0);
}

} // namespace kv::installer::uninstall
