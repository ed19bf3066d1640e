#include "installer/setup/internal/machine_files.h"

#include "platform/system/machine.h"

#include <fstream>
#include <sstream>
#include <system_error>

namespace kv::installer::internal {

std::filesystem::path HostPathOf(const std::string& machinePath) {
    if (machinePath.size() < 2 || machinePath[1] != ':') return {};
    const machine::Machine& m = machine::current();
    const machine::Drive* drive = m.drive(machinePath[0]);
    if (!drive) return {};
    std::filesystem::path host = m.hostFolder(*drive);
    std::string part;
    for (std::size_t i = 2; i <= machinePath.size(); ++i) {
        if (i == machinePath.size() || machinePath[i] == '\\' || machinePath[i] == '/') {
            if (!part.empty() && part != ".") host /= part;
            part.clear();
        } else {
            part += machinePath[i];
        }
    }
    return host;
}

bool MachineFileExists(const std::string& machinePath) {
    std::error_code ec;
    const auto host = HostPathOf(machinePath);
    return !host.empty() && std::filesystem::is_regular_file(host, ec);
}

bool MachineDirExists(const std::string& machinePath) {
    std::error_code ec;
    const auto host = HostPathOf(machinePath);
    return !host.empty() && std::filesystem::is_directory(host, ec);
}

std::optional<std::string> ReadMachineFile(const std::string& machinePath) {
    if (!MachineFileExists(machinePath)) return std::nullopt;
    std::ifstream in(HostPathOf(machinePath), std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

} // namespace kv::installer::internal
