#include "platform/registry/internal/hive_store.h"

#include "platform/registry/internal/hive_format.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace kv::registry::internal {
namespace {

std::function<void()>& saveHook() {
    static std::function<void()> hook;
    return hook;
}

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
}

std::string baseName(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::int64_t nanos(const timespec& t) {
    return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool readAll(int fd, std::string& out) {
    out.clear();
    char buf[65536];
    off_t offset = 0;
    for (;;) {
        const ssize_t n = ::pread(fd, buf, sizeof buf, offset);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) return true;
        out.append(buf, static_cast<std::size_t>(n));
        offset += n;
    }
}

// An exclusive flock on the hive's lock file for the lifetime of the object. The file is
// opened for each change, so processes forked from one another never share the lock.
class HiveLock {
public:
    explicit HiveLock(const std::string& hivePath) {
        std::error_code ec;
        std::filesystem::create_directories(folderOf(hivePath), ec);
        fd_ = ::open((hivePath + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd_ < 0) return;
        while (::flock(fd_, LOCK_EX) != 0) {
            if (errno != EINTR) {
                ::close(fd_);
                fd_ = -1;
                return;
            }
        }
    }
    ~HiveLock() {
        if (fd_ >= 0) ::close(fd_); // closing releases the lock
    }
    HiveLock(const HiveLock&) = delete;
    HiveLock& operator=(const HiveLock&) = delete;
    bool held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// Removes temporary files left by a process that died while saving. Called under the lock,
// when no other process is writing one.
void removeStaleTemporaries(const std::string& hivePath) {
    const std::string prefix = baseName(hivePath) + ".tmp.";
    const std::string folder = folderOf(hivePath);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir)) {
        if (std::string_view(entry->d_name).starts_with(prefix))
            ::unlink((folder + '/' + entry->d_name).c_str());
    }
    ::closedir(dir);
}

std::mutex& reportsMutex() {
    static std::mutex m;
    return m;
}

std::vector<std::string>& pendingReports() {
    static std::vector<std::string> reports;
    return reports;
}

} // namespace

std::vector<std::string> takeReports() {
    std::lock_guard guard(reportsMutex());
    return std::exchange(pendingReports(), {});
}

void setSaveHookForTests(std::function<void()> hook) {
    saveHook() = std::move(hook);
}

void HiveStore::report(const std::string& message) {
    if (!reported_.insert(message).second) return;
    std::fprintf(stderr, "registry: %s\n", message.c_str());
    std::fflush(stderr);
    std::lock_guard guard(reportsMutex());
    pendingReports().push_back(message);
}

HiveStore::Refresh HiveStore::refresh(bool locked) {
    const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) {
            if (!valid_ || loaded_.exists) {
                root_ = KeyNode{};
                loaded_ = Identity{};
                valid_ = true;
            }
            return Refresh::Ok;
        }
        report("the hive file \"" + path_ + "\" cannot be opened (" + std::strerror(errno) +
               "); it is left as it is and the registry calls on it fail");
        valid_ = false;
        return Refresh::Unreadable;
    }
    struct stat st {};
    Identity id;
    char head[64];
    ssize_t headSize = -1;
    if (::fstat(fd, &st) == 0) {
        id.exists = true;
        id.dev = st.st_dev;
        id.ino = st.st_ino;
        id.size = st.st_size;
        id.mtimeNs = nanos(st.st_mtim);
        id.ctimeNs = nanos(st.st_ctim);
        headSize = ::pread(fd, head, sizeof head, 0);
        if (headSize >= 0)
            id.generation = generationOf(std::string_view(head, static_cast<size_t>(headSize)));
    }
    if (headSize >= 0 && valid_ && id == loaded_) {
        ::close(fd);
        return Refresh::Ok;
    }
    std::string content;
    const bool readOk = headSize >= 0 && readAll(fd, content);
    const int readErrno = errno;
    ::close(fd);
    if (!readOk) {
        report("the hive file \"" + path_ + "\" cannot be read (" + std::strerror(readErrno) +
               "); it is left as it is and the registry calls on it fail");
        valid_ = false;
        return Refresh::Unreadable;
    }
    KeyNode parsed;
    std::uint64_t generation = 0;
    std::string error;
    if (parseHive(content, parsed, generation, error)) {
        root_ = std::move(parsed);
        loaded_ = id;
        loaded_.generation = generation;
        valid_ = true;
        return Refresh::Ok;
    }
    if (!locked) return Refresh::NeedsLock;
    if (!setAside(error)) {
        valid_ = false;
        return Refresh::Unreadable;
    }
    root_ = KeyNode{};
    loaded_ = Identity{};
    valid_ = true;
    return Refresh::Ok;
}

bool HiveStore::setAside(const std::string& reason) {
    for (int n = 1; n < 1000; ++n) {
        const std::string aside = path_ + ".corrupt" + (n == 1 ? "" : "-" + std::to_string(n));
        // link() never replaces an existing file, so an earlier copy kept aside stays too.
        if (::link(path_.c_str(), aside.c_str()) == 0) {
            ::unlink(path_.c_str());
        } else if (errno == EEXIST) {
            continue;
        } else {
            struct stat st {};
            if (::lstat(aside.c_str(), &st) == 0) continue;
            if (::rename(path_.c_str(), aside.c_str()) != 0) break;
        }
        report("the hive file \"" + path_ + "\" is damaged (" + reason + "); it is kept as \"" +
               aside + "\" and the registry starts this hive anew");
        return true;
    }
    report("the hive file \"" + path_ + "\" is damaged (" + reason +
           ") and cannot be moved aside; it is left as it is and the registry calls on it fail");
    return false;
}

Status HiveStore::save() {
    removeStaleTemporaries(path_);
    const std::uint64_t generation = loaded_.generation + 1;
    const std::string text = formatHive(root_, generation);
    const std::string temp = path_ + ".tmp." + std::to_string(::getpid());
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return Status::RegistryIoFailed;
    bool ok = true;
    if (saveHook()) {
        const std::size_t half = text.size() / 2;
        ok = writeAll(fd, text.data(), half);
        saveHook()();
        ok = ok && writeAll(fd, text.data() + half, text.size() - half);
    } else {
        ok = writeAll(fd, text.data(), text.size());
    }
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    if (!ok || ::rename(temp.c_str(), path_.c_str()) != 0) {
        ::unlink(temp.c_str());
        report("the hive file \"" + path_ + "\" could not be saved (" + std::strerror(errno) +
               "); the change is not kept");
        return Status::RegistryIoFailed;
    }
    const int dirFd = ::open(folderOf(path_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    struct stat st {};
    if (::stat(path_.c_str(), &st) != 0) return Status::RegistryIoFailed;
    loaded_.exists = true;
    loaded_.dev = st.st_dev;
    loaded_.ino = st.st_ino;
    loaded_.size = st.st_size;
    loaded_.mtimeNs = nanos(st.st_mtim);
    loaded_.ctimeNs = nanos(st.st_ctim);
    loaded_.generation = generation;
    return Status::Success;
}

Status HiveStore::read(const std::function<Status(const KeyNode&)>& fn) {
    Refresh r = refresh(false);
    if (r == Refresh::NeedsLock) {
        HiveLock lock(path_);
        if (!lock.held()) return Status::RegistryIoFailed;
        r = refresh(true);
    }
    if (r != Refresh::Ok) return Status::RegistryIoFailed;
    return fn(root_);
}

Status HiveStore::modify(const std::function<Status(KeyNode&, bool& changed)>& fn) {
    HiveLock lock(path_);
    if (!lock.held()) {
        report("the lock of the hive file \"" + path_ + "\" cannot be taken (" +
               std::strerror(errno) + "); the change is not made");
        return Status::RegistryIoFailed;
    }
    if (refresh(true) != Refresh::Ok) return Status::RegistryIoFailed;
    bool changed = false;
    const Status status = fn(root_, changed);
    if (!changed) return status;
    const Status saved = save();
    if (saved != Status::Success) {
        valid_ = false; // the tree holds a change the file does not: reload next time
        return saved;
    }
    return status;
}

} // namespace kv::registry::internal
