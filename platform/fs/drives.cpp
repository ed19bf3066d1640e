#include "platform/fs/drives.h"

#include <sys/statvfs.h>

#include <system_error>

#include "platform/fs/errors.h"
#include "platform/fs/internal/resolve.h"
#include "platform/fs/path.h"
#include "platform/system/machine.h"

namespace kv::fs {

namespace {

char letterOf(std::string_view root) {
    if (root.empty()) return 0;
    char c = root[0];
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return (c >= 'A' && c <= 'Z') ? c : 0;
}

} // namespace

std::uint32_t logicalDrives() {
    std::uint32_t bits = 0;
    for (const kv::machine::Drive& d : kv::machine::current().profile().drives)
        if (d.letter >= 'A' && d.letter <= 'Z') bits |= 1u << (d.letter - 'A');
    return bits;
}

int driveType(std::string_view root) {
    const kv::machine::Machine& m = kv::machine::current();
    const std::string current = root.empty() ? currentFolder() : std::string();
    const std::string_view r = root.empty() ? std::string_view(current) : root;
    const kv::machine::Drive* d = kv::machine::findDrive(m.profile(), letterOf(r));
    std::error_code ec;
    if (!d || !std::filesystem::is_directory(m.driveFolder(d->letter), ec))
        return kv::machine::kDriveNoRoot;
    return d->type;
}

bool isWriteProtected(std::string_view path) {
    std::string full = fullPath(path);
    return !full.empty() && internal::isWriteProtectedDrive(full[0]);
}

std::optional<DiskSpace> diskSpace(std::string_view path) {
    std::string full = fullPath(path.empty() ? std::string_view("\\") : path);
    if (full.empty()) {
        setLastError(kErrorPathNotFound);
        return std::nullopt;
    }
    std::filesystem::path folder = kv::machine::current().driveFolder(full[0]);
    struct statvfs vfs;
    if (folder.empty() || ::statvfs(folder.c_str(), &vfs) != 0) {
        setLastError(kErrorInvalidDrive);
        return std::nullopt;
    }
    DiskSpace s;
    s.freeBytes = std::uint64_t(vfs.f_bavail) * vfs.f_frsize;
    s.totalBytes = std::uint64_t(vfs.f_blocks) * vfs.f_frsize;
    setLastError(kErrorSuccess);
    return s;
}

} // namespace kv::fs
