#include "platform/fs/file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <system_error>
#include <utility>

#include "platform/fs/errors.h"
#include "platform/fs/internal/resolve.h"
#include "platform/fs/internal/share_lock.h"
#include "platform/system/machine.h"
#include "platform/system/process_list.h"

namespace kv::fs {

bool isHeldExclusively(const std::filesystem::path& host) {
    struct stat st;
    return ::stat(host.c_str(), &st) == 0 && internal::heldExclusively(st);
}

bool isInUse(const std::filesystem::path& host) {
    return isHeldExclusively(host) || kv::machine::isImageInUse(host);
}

File File::open(std::string_view path, Access access, Share share, Disposition disposition) {
    File f;
    internal::Resolved r = internal::resolve(path);
    if (!r.valid) {
        setLastError(kErrorPathNotFound);
        return f;
    }
    if (r.found + 1 < r.host.size() || r.host.empty()) {
        setLastError(r.host.empty() ? kErrorAccessDenied : kErrorPathNotFound);
        return f;
    }
    std::filesystem::path host = r.path();
    struct stat st;
    bool exists = ::stat(host.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) {
        setLastError(kErrorAccessDenied);
        return f;
    }
    if (exists && disposition == Disposition::CreateNew) {
        setLastError(kErrorFileExists);
        return f;
    }
    if (!exists && (disposition == Disposition::OpenExisting ||
                    disposition == Disposition::TruncateExisting)) {
        setLastError(kErrorFileNotFound);
        return f;
    }
    bool writes = access != Access::Read || disposition == Disposition::CreateAlways ||
                  disposition == Disposition::TruncateExisting;
    if ((writes || !exists) && r.writeProtected()) {
        setLastError(kErrorWriteProtect);
        return f;
    }
    if (exists && writes && !(st.st_mode & S_IWUSR)) {
        setLastError(kErrorAccessDenied);
        return f;
    }
    if (exists && (writes || share == Share::Exclusive) && kv::machine::isImageInUse(host)) {
        setLastError(kErrorSharingViolation);
        return f;
    }
    if (!exists) {
        // Create the file first so its lock file can be keyed by its inode.
        int made = ::open(host.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (made < 0) {
            setLastError(errno == EEXIST ? kErrorFileExists : kErrorAccessDenied);
            return f;
        }
        ::close(made);
        if (::stat(host.c_str(), &st) != 0) {
            setLastError(kErrorFileNotFound);
            return f;
        }
    }
    internal::ShareLock lock;
    if (!internal::acquireShareLock(st, share == Share::Exclusive, lock)) {
        setLastError(kErrorSharingViolation);
        return f;
    }
    int flags = O_CLOEXEC | (access == Access::Read    ? O_RDONLY
                             : access == Access::Write ? O_WRONLY
                                                       : O_RDWR);
    bool truncate = exists && (disposition == Disposition::CreateAlways ||
                               disposition == Disposition::TruncateExisting);
    if (truncate && access == Access::Read) flags = (flags & ~O_RDONLY) | O_RDWR;
    if (truncate) flags |= O_TRUNC;
    int fd = ::open(host.c_str(), flags);
    if (fd < 0) {
        internal::releaseShareLock(lock);
        setLastError(kErrorAccessDenied);
        return f;
    }
    f.fd_ = fd;
    f.lockFd_ = lock.fd;
    f.lockFile_ = std::move(lock.file);
    setLastError(exists && (disposition == Disposition::OpenAlways ||
                            disposition == Disposition::CreateAlways)
                     ? kErrorAlreadyExists
                     : kErrorSuccess);
    return f;
}

File::~File() {
    close();
}

File::File(File&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), lockFd_(std::exchange(other.lockFd_, -1)),
      lockFile_(std::move(other.lockFile_)) {}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = std::exchange(other.fd_, -1);
        lockFd_ = std::exchange(other.lockFd_, -1);
        lockFile_ = std::move(other.lockFile_);
    }
    return *this;
}

long File::read(void* buffer, size_t size) {
    if (fd_ < 0) return -1;
    size_t done = 0;
    while (done < size) {
        ssize_t n = ::read(fd_, static_cast<char*>(buffer) + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return -1;
        if (n == 0) break;
        done += size_t(n);
    }
    return long(done);
}

long File::write(const void* buffer, size_t size) {
    if (fd_ < 0) return -1;
    size_t done = 0;
    while (done < size) {
        ssize_t n = ::write(fd_, static_cast<const char*>(buffer) + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return -1;
        done += size_t(n);
    }
    return long(done);
}

bool File::seek(std::int64_t offset) {
    return fd_ >= 0 && ::lseek(fd_, off_t(offset), SEEK_SET) == off_t(offset);
}

std::int64_t File::size() const {
    struct stat st;
    return fd_ >= 0 && ::fstat(fd_, &st) == 0 ? std::int64_t(st.st_size) : -1;
}

void File::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    internal::ShareLock lock{std::exchange(lockFd_, -1), std::move(lockFile_)};
    internal::releaseShareLock(lock); // the last holder removes the lock file
}

} // namespace kv::fs
