#include "installer/common/internal/machine_files.h"

#include "installer/common/system_queries.h"
#include "platform/system/machine.h"
#include "platform/system/process.h"
#include "platform/text/ansi.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <sys/statvfs.h>
#include <system_error>

namespace kv::installer::internal {
namespace fsys = std::filesystem;

namespace {

std::vector<std::string> entries(std::string_view folder, std::string_view mask, bool folders) {
    std::vector<std::string> names;
    const fsys::path host = hostPathOf(folder);
    std::error_code ec;
    if (host.empty() || !fsys::is_directory(host, ec)) return names;
    for (const auto& entry : fsys::directory_iterator(host, ec)) {
        if (entry.is_symlink(ec) || entry.is_directory(ec) != folders) continue;
        std::string name = text::fromUtf8(entry.path().filename().string());
        if (matchesMask(name, mask)) names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), text::LessNoCase{});
    return names;
}

bool matchFrom(std::string_view name, std::string_view mask) {
    if (mask.empty()) return name.empty();
    if (mask.front() == '*') {
        for (std::size_t i = 0; i <= name.size(); ++i)
            if (matchFrom(name.substr(i), mask.substr(1))) return true;
        return false;
    }
    if (name.empty()) return false;
    if (mask.front() != '?' && !text::equalsNoCase(name.substr(0, 1), mask.substr(0, 1)))
        return false;
    return matchFrom(name.substr(1), mask.substr(1));
}

} // namespace

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

char currentDrive() {
    std::error_code ec;
    const std::string path = machine::machinePathOfHost(fsys::current_path(ec));
    return path.empty() ? 'Z' : path[0];
}

std::optional<double> freeBytesOn(char letter) {
    const machine::Machine& m = machine::current();
    const machine::Drive* drive = m.drive(letter);
    if (!drive) return std::nullopt;
    struct statvfs info {};
    if (statvfs(m.hostFolder(*drive).c_str(), &info) != 0) return std::nullopt;
    return static_cast<double>(info.f_bavail) * static_cast<double>(info.f_frsize);
}

bool matchesMask(std::string_view name, std::string_view mask) {
    if (mask == "*.*" || mask == "*") return true;
    return matchFrom(name, mask);
}

std::vector<std::string> fileNames(std::string_view folder, std::string_view mask) {
    return entries(folder, mask, false);
}

std::vector<std::string> subfolderNames(std::string_view folder) {
    return entries(folder, "*", true);
}

bool setReadOnly(std::string_view path, bool readOnly) {
    const fsys::path host = hostPathOf(path);
    std::error_code ec;
    if (host.empty() || !fsys::exists(host, ec)) return false;
    if (fsys::is_directory(host, ec)) return true;
    fsys::permissions(host, fsys::perms::owner_write,
                      readOnly ? fsys::perm_options::remove : fsys::perm_options::add, ec);
    return !ec;
}

bool isReadOnly(std::string_view path) {
    const fsys::path host = hostPathOf(path);
    std::error_code ec;
    const auto status = fsys::status(host, ec);
    return !ec && fsys::is_regular_file(status) &&
           (status.permissions() & fsys::perms::owner_write) == fsys::perms::none;
}

bool deleteFile(std::string_view path) {
    if (!fileExists(path) || isReadOnly(path)) return false;
    std::error_code ec;
    return fsys::remove(hostPathOf(path), ec);
}

bool removeFolder(std::string_view path) {
    if (!folderExists(path)) return false;
    std::error_code ec;
    return fsys::remove(hostPathOf(path), ec); // fails when not empty
}

bool createFolders(std::string_view path) {
    const fsys::path host = hostPathOf(path);
    if (host.empty()) return false;
    std::error_code ec;
    fsys::create_directories(host, ec);
    return fsys::is_directory(host, ec);
}

bool copyFile(std::string_view from, std::string_view to) {
    if (!fileExists(from) || folderExists(to) || isReadOnly(to)) return false;
    const fsys::path target = hostPathOf(to);
    std::error_code ec;
    if (target.empty() || !fsys::is_directory(target.parent_path(), ec)) return false;
    return fsys::copy_file(hostPathOf(from), target, fsys::copy_options::overwrite_existing, ec);
}

bool moveFile(std::string_view from, std::string_view to) {
    const fsys::path source = hostPathOf(from);
    const fsys::path target = hostPathOf(to);
    std::error_code ec;
    if (source.empty() || target.empty() || !fsys::exists(source, ec)) return false;
    // A change of case alone is a rename of the same entry.
    if (fsys::exists(target, ec) && !fsys::equivalent(source, target, ec)) return false;
    if (!fsys::is_directory(target.parent_path(), ec)) return false;
    fsys::rename(source, target, ec);
    return !ec;
}

bool appendToFile(std::string_view path, std::string_view text, std::uint64_t fileTime) {
    const fsys::path host = hostPathOf(path);
    std::error_code ec;
    if (host.empty() || fsys::is_directory(host, ec) || isReadOnly(path)) return false;
    bool ok = false;
    {
        std::ofstream out(host, std::ios::binary | std::ios::app);
        if (!out) return false;
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.flush();
        ok = static_cast<bool>(out);
    }
    if (ok && fileTime != 0) {
        constexpr std::uint64_t kUnixEpoch = 116444736000000000ull;
        const auto since = std::chrono::nanoseconds(
            (static_cast<std::int64_t>(fileTime) - static_cast<std::int64_t>(kUnixEpoch)) * 100);
        const auto when = std::chrono::file_clock::from_sys(
            std::chrono::sys_time<std::chrono::nanoseconds>(since));
        fsys::last_write_time(host, when, ec);
    }
    return ok;
}

} // namespace kv::installer::internal
