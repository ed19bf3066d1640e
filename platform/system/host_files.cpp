#include "platform/system/host_files.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace kv::machine {
namespace {

bool writeAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Writes content to a temporary file of this process beside file and renames it over the
// file; flushes both to disk when durable.
bool replaceWhole(const std::filesystem::path& file, std::string_view content, bool durable) {
    std::filesystem::path temp = file;
    temp += ".tmp." + std::to_string(::getpid());
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    bool ok = writeAll(fd, content);
    if (durable) ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    if (!ok || ::rename(temp.c_str(), file.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    if (!durable) return true;
    const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

} // namespace

HostRead readHostFile(const std::filesystem::path& file, std::string& content) {
    content.clear();
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? HostRead::Missing : HostRead::Unreadable;
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            content.clear();
            return HostRead::Unreadable;
        }
        if (n == 0) break;
        content.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return HostRead::Ok;
}

bool writeHostFileAtomically(const std::filesystem::path& file, std::string_view content) {
    return replaceWhole(file, content, true);
}

bool replaceHostFile(const std::filesystem::path& file, std::string_view content) {
    return replaceWhole(file, content, false);
}

} // namespace kv::machine
