#include "installer/common/file_names.h"

#include "installer/common/system_queries.h"

#include <cctype>

namespace kv::installer {
namespace {

std::string named(const char* name, bool withFolder) {
    return withFolder ? GetExeDir(true) + name : std::string(name);
}

// Whether five characters read as a whole number (an optional sign, then digits).
bool isNumber(std::string_view text) {
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
    if (text.empty()) return false;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

} // namespace

std::string GetScriptFileName(bool withFolder) {
    return named("Setup.txt", withFolder);
}
std::string GetUninstallFileName(bool withFolder) {
    return named("UnInstall.txt", withFolder);
}
std::string GetLogFileName(bool withFolder) {
    return named("Setup.log", withFolder);
}

std::string StripNumberPrefix(std::string_view path) {
    const auto slash = path.rfind('\\');
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    if (name.size() >= 6 && name[5] == '#' && isNumber(name.substr(0, 5))) name.remove_prefix(6);
    // A bare file name stays bare rather than gaining a leading backslash.
    if (slash == std::string_view::npos) return std::string(name);
    return std::string(path.substr(0, slash)) + "\\" + std::string(name);
}

bool IsSharedFileFlag(std::uint32_t flags) {
    return (flags & 0x01) != 0;
}
bool IsRegisterFileFlag(std::uint32_t flags) {
    return (flags & 0x02) != 0;
}
bool IsNoUninstallFileFlag(std::uint32_t flags) {
    return (flags & 0x10) != 0;
}
bool IsReadOnlyFileFlag(std::uint32_t flags) {
    return (flags & 0x100) != 0;
}
std::uint8_t FileAttrFlags(std::uint32_t flags) {
    return static_cast<std::uint8_t>((flags >> 8) & 0xFF);
}

} // namespace kv::installer
