#include "platform/fs/attributes.h"

#include <fcntl.h>
#include <sys/stat.h>

#include "platform/fs/errors.h"
#include "platform/fs/internal/attributes.h"
#include "platform/fs/internal/resolve.h"
#include "platform/fs/internal/table.h"

namespace kv::fs {

namespace {

constexpr std::uint32_t kTableBits = kAttrHidden | kAttrSystem | kAttrArchive;
constexpr std::uint64_t kUnixEpochAsFileTime = 116444736000000000ull;

struct timespec toTimespec(std::uint64_t fileTime) {
    std::int64_t nanos = unixNanosFromFileTime(fileTime);
    struct timespec ts;
    ts.tv_sec = time_t(nanos / 1000000000);
    ts.tv_nsec = long(nanos % 1000000000);
    if (ts.tv_nsec < 0) {
        ts.tv_nsec += 1000000000;
        --ts.tv_sec;
    }
    return ts;
}

} // namespace

namespace internal {

std::uint32_t attributesOf(const struct stat& st, const TableEntry* entry) {
    std::uint32_t a = 0;
    bool dir = S_ISDIR(st.st_mode);
    if (dir)
        a |= kAttrDirectory;
    else if (!(st.st_mode & S_IWUSR))
        a |= kAttrReadOnly;
    if (entry && entry->hasAttributes)
        a |= entry->attributes & kTableBits;
    else if (!dir)
        a |= kAttrArchive;
    return a == 0 ? kAttrNormal : a;
}

} // namespace internal

std::uint64_t fileTimeFromUnixNanos(std::int64_t nanos) {
    return std::uint64_t(nanos / 100 + std::int64_t(kUnixEpochAsFileTime));
}

std::int64_t unixNanosFromFileTime(std::uint64_t fileTime) {
    return (std::int64_t(fileTime) - std::int64_t(kUnixEpochAsFileTime)) * 100;
}

std::uint32_t getAttributes(std::string_view path) {
    internal::Resolved r = internal::resolve(path);
    struct stat st;
    if (!r.exists() || ::stat(r.path().c_str(), &st) != 0) {
        setLastError(r.valid ? kErrorFileNotFound : kErrorPathNotFound);
        return kInvalidAttributes;
    }
    const auto t = internal::readTable(r.drive);
    auto it = t->find(r.tableKey());
    setLastError(kErrorSuccess);
    return internal::attributesOf(st, it == t->end() ? nullptr : &it->second);
}

bool setAttributes(std::string_view path, std::uint32_t attributes) {
    internal::Resolved r = internal::resolve(path);
    struct stat st;
    if (!r.exists() || r.host.empty() || ::stat(r.path().c_str(), &st) != 0) {
        setLastError(r.valid ? kErrorFileNotFound : kErrorPathNotFound);
        return false;
    }
    if (r.writeProtected()) {
        setLastError(kErrorWriteProtect);
        return false;
    }
    if (!S_ISDIR(st.st_mode)) {
        mode_t mode = st.st_mode & 07777;
        mode = (attributes & kAttrReadOnly) ? (mode & ~mode_t(S_IWUSR)) : (mode | S_IWUSR);
        if (::chmod(r.path().c_str(), mode) != 0) {
            setLastError(kErrorAccessDenied);
            return false;
        }
    }
    std::string key = r.tableKey();
    bool ok = internal::updateTable(r.drive, [&](internal::Table& t) {
        internal::TableEntry& e = t[key];
        e.hasAttributes = true;
        e.attributes = attributes & kTableBits;
        return true;
    });
    setLastError(ok ? kErrorSuccess : kErrorAccessDenied);
    return ok;
}

std::optional<FileTimes> getFileTimes(std::string_view path) {
    internal::Resolved r = internal::resolve(path);
    struct statx sx;
    if (!r.exists() ||
        ::statx(AT_FDCWD, r.path().c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &sx) != 0) {
        setLastError(r.valid ? kErrorFileNotFound : kErrorPathNotFound);
        return std::nullopt;
    }
    auto conv = [](const struct statx_timestamp& t) {
        return fileTimeFromUnixNanos(std::int64_t(t.tv_sec) * 1000000000 + t.tv_nsec);
    };
    FileTimes times;
    times.lastAccess = conv(sx.stx_atime);
    times.lastWrite = conv(sx.stx_mtime);
    times.creation = (sx.stx_mask & STATX_BTIME) ? conv(sx.stx_btime) : times.lastWrite;
    setLastError(kErrorSuccess);
    return times;
}

bool setFileTimes(std::string_view path, const FileTimes& times) {
    internal::Resolved r = internal::resolve(path);
    if (!r.exists()) {
        setLastError(r.valid ? kErrorFileNotFound : kErrorPathNotFound);
        return false;
    }
    if (r.writeProtected()) {
        setLastError(kErrorWriteProtect);
        return false;
    }
    struct timespec ts[2];
    ts[0] = times.lastAccess ? toTimespec(times.lastAccess) : timespec{0, UTIME_OMIT};
    ts[1] = times.lastWrite ? toTimespec(times.lastWrite) : timespec{0, UTIME_OMIT};
    bool ok = ::utimensat(AT_FDCWD, r.path().c_str(), ts, 0) == 0;
    setLastError(ok ? kErrorSuccess : kErrorAccessDenied);
    return ok;
}

} // namespace kv::fs
