#include "installer/common/internal/machine_files.h"

#include "installer/common/system_queries.h"
#include "platform/system/machine.h"
#include "platform/text/ansi.h"

#include <algorithm>
#include <system_error>

namespace kv::installer::internal {
namespace fsys = std::filesystem;

fsys::path hostPathOf(std::string_view path) {
    if (path.size() < 2 || path[1] != ':') return {};
    const machine::Machine& m = machine::current();
    const machine::Drive* drive = m.drive(path[0]);
    if (!drive) return {};
    fsys::path host = m.hostFolder(*drive);
    std::string_view rest = path.substr(2);
    std::error_code ec;
    while (!rest.empty()) {
        const auto slash = rest.find('\\');
        std::string part(rest.substr(0, slash));
        rest = slash == std::string_view::npos ? std::string_view{} : rest.substr(slash + 1);
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            host = host.parent_path();
            continue;
        }
        fsys::path next = host / text::toUtf8(part);
        if (!fsys::exists(next, ec) && fsys::is_directory(host, ec)) {
            for (const auto& entry : fsys::directory_iterator(host, ec)) {
                if (text::equalsNoCase(text::fromUtf8(entry.path().filename().string()), part)) {
                    next = entry.path();
                    break;
                }
            }
        }
        host = next;
    }
    return host;
}

std::string profileHostFile(std::string_view file) {
    if (!file.empty() && file.find('\\') == std::string_view::npos)
        return hostPathOf(GetWindowsDir(true) + std::string(file)).string();
    return hostPathOf(file).string();
}

bool fileExists(std::string_view path) {
    const fsys::path host = hostPathOf(path);
    std::error_code ec;
    return !host.empty() && fsys::exists(host, ec) && !fsys::is_directory(host, ec);
}

bool folderExists(std::string_view path) {
    const fsys::path host = hostPathOf(path);
    std::error_code ec;
    return !host.empty() && fsys::is_directory(host, ec);
}

int driveTypeOf(char letter) {
    const machine::Drive* drive = machine::current().drive(letter);
    return drive ? drive->type : 1;
}

std::vector<std::string> subfolderNames(std::string_view folder) {
    std::vector<std::string> names;
    const fsys::path host = hostPathOf(folder);
    std::error_code ec;
    if (host.empty()) return names;
    for (const auto& entry : fsys::directory_iterator(host, ec))
        if (entry.is_directory(ec) && !entry.is_symlink(ec))
            names.push_back(text::fromUtf8(entry.path().filename().string()));
    std::sort(names.begin(), names.end(), text::LessNoCase{});
    return names;
}

} // namespace kv::installer::internal
