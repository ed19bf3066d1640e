#include "platform/fs/internal/share_lock.h"

#include <fcntl.h>
#include <unistd.h>

#include <string>
#include <system_error>

#include "platform/system/machine.h"

namespace kv::fs::internal {

namespace {

std::filesystem::path lockFileOf(const struct stat& st) {
    return kv::machine::current().runtimeFolder() / "locks" /
           (std::to_string(st.st_dev) + "-" + std::to_string(st.st_ino));
}

bool lockWhole(int fd, short type) {
    struct flock fl = {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    return ::fcntl(fd, F_OFD_SETLK, &fl) == 0;
}

// Whether the open lock file is still the one its path names (a releasing holder may
// have removed it between our open and our lock).
bool stillLinked(int fd, const std::filesystem::path& file) {
    struct stat open, named;
    return ::fstat(fd, &open) == 0 && ::stat(file.c_str(), &named) == 0 &&
           open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

} // namespace

bool acquireShareLock(const struct stat& st, bool exclusive, ShareLock& lock) {
    lock.file = lockFileOf(st);
    std::error_code ec;
    std::filesystem::create_directories(lock.file.parent_path(), ec);
    for (int attempt = 0; attempt < 100; ++attempt) {
        int fd = ::open(lock.file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0) return false;
        if (!lockWhole(fd, exclusive ? F_WRLCK : F_RDLCK)) {
            ::close(fd);
            return false;
        }
        if (stillLinked(fd, lock.file)) {
            lock.fd = fd;
            return true;
        }
        ::close(fd); // removed under us: take the new one
    }
    return false;
}

void releaseShareLock(ShareLock& lock) {
    if (lock.fd < 0) return;
    // Only a holder with no other holder left gets the lock exclusively; it removes the
    // file while still holding it, so a newcomer that opened it meanwhile tries again.
    if (lockWhole(lock.fd, F_WRLCK) && stillLinked(lock.fd, lock.file)) ::unlink(lock.file.c_str());
    ::close(lock.fd);
    lock.fd = -1;
}

bool heldExclusively(const struct stat& st) {
    int fd = ::open(lockFileOf(st).c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) return false;
    struct flock fl = {};
    fl.l_type = F_RDLCK; // conflicts only with an exclusive (write) lock
    fl.l_whence = SEEK_SET;
    bool held = ::fcntl(fd, F_OFD_GETLK, &fl) == 0 && fl.l_type != F_UNLCK;
    ::close(fd);
    return held;
}

} // namespace kv::fs::internal
