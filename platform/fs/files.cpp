#include "platform/fs/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <system_error>

#include "platform/fs/attributes.h"
#include "platform/fs/errors.h"
#include "platform/fs/file.h"
#include "platform/fs/internal/partial_copies.h"
#include "platform/fs/internal/resolve.h"
#include "platform/fs/internal/table.h"
#include "platform/fs/path.h"
#include "platform/text/ansi.h"

namespace kv::fs {

namespace {

using internal::Resolved;

bool fail(int code) {
    setLastError(code);
    return false;
}

bool succeed() {
    setLastError(kErrorSuccess);
    return true;
}

int missingError(const Resolved& r) {
    if (!r.valid) return kErrorPathNotFound;
    return r.found + 1 >= r.host.size() ? kErrorFileNotFound : kErrorPathNotFound;
}

bool statOf(const Resolved& r, struct stat& st) {
    return ::lstat(r.path().c_str(), &st) == 0;
}

// Whether a file may be replaced or deleted: not read-only and not in use.
bool replaceable(const std::filesystem::path& host, const struct stat& st) {
    if (!(st.st_mode & S_IWUSR)) return fail(kErrorAccessDenied);
    if (isInUse(host)) return fail(kErrorSharingViolation);
    return true;
}

std::string prefixOf(const std::string& key) {
    return key + "/";
}

// Whether the table has an entry for the key or (for a folder) below it.
bool hasEntries(const internal::Table& t, const std::string& key) {
    if (t.count(key)) return true;
    const std::string prefix = prefixOf(key);
    auto it = t.lower_bound(prefix);
    return it != t.end() && it->first.compare(0, prefix.size(), prefix) == 0;
}

// Drops the table entries of a key and (for a folder) of everything below it.
void forgetEntries(char drive, const std::string& key) {
    if (!hasEntries(*internal::readTable(drive), key)) return;
    internal::updateTable(drive, [&](internal::Table& t) {
        bool changed = t.erase(key) > 0;
        std::string prefix = prefixOf(key);
        for (auto it = t.lower_bound(prefix);
             it != t.end() && it->first.compare(0, prefix.size(), prefix) == 0;) {
            it = t.erase(it);
            changed = true;
        }
        return changed;
    });
}

// Carries attributes of moved entries to their new keys; short names are given anew.
void moveEntries(const Resolved& from, const Resolved& to) {
    if (from.drive != to.drive) {
        forgetEntries(from.drive, from.tableKey());
        return;
    }
    std::string oldKey = from.tableKey(), newKey = to.tableKey();
    // Most moves (a file replaced by its side file) have no entries to carry.
    const auto known = internal::readTable(from.drive);
    if (!hasEntries(*known, oldKey) && !known->count(newKey)) return;
    internal::updateTable(from.drive, [&](internal::Table& t) {
        internal::Table moved;
        std::string prefix = prefixOf(oldKey);
        for (auto it = t.begin(); it != t.end();) {
            bool self = it->first == oldKey;
            if (self || it->first.compare(0, prefix.size(), prefix) == 0) {
                internal::TableEntry e = it->second;
                if (self) e.shortName.clear();
                moved[newKey + it->first.substr(oldKey.size())] = e;
                it = t.erase(it);
            } else {
                ++it;
            }
        }
        t.erase(newKey);
        for (auto& [k, e] : moved)
            t[k] = e;
        return true;
    });
}

// The target of a copy or move: its folder must exist; the name keeps the case given
// unless it names the source itself (a rename that changes only the case).
bool targetOf(std::string_view path, Resolved& r) {
    r = internal::resolve(path);
    if (!r.valid || r.host.empty()) return fail(kErrorPathNotFound);
    if (r.writeProtected()) return fail(kErrorWriteProtect);
    if (r.found + 1 < r.host.size()) return fail(kErrorPathNotFound);
    return true;
}

bool copyContent(const Resolved& from, const Resolved& to, const struct stat& st) {
    internal::sweepPartialCopies(to.path().parent_path());
    std::filesystem::path tmp = to.path();
    tmp += std::string(internal::kPartialCopySuffix) + std::to_string(::getpid());
    std::error_code ec;
    std::filesystem::copy_file(from.path(), tmp, std::filesystem::copy_options::overwrite_existing,
                               ec);
    if (ec) {
        std::filesystem::remove(tmp, ec);
        return fail(kErrorAccessDenied);
    }
    struct timespec ts[2] = {st.st_atim, st.st_mtim};
    ::utimensat(AT_FDCWD, tmp.c_str(), ts, 0);
    ::chmod(tmp.c_str(), st.st_mode & 07777);
    std::filesystem::rename(tmp, to.path(), ec);
    if (ec) {
        std::filesystem::remove(tmp, ec);
        return fail(kErrorAccessDenied);
    }
    return true;
}

void copyAttributes(const Resolved& from, const Resolved& to) {
    const auto src = internal::readTable(from.drive);
    auto it = src->find(from.tableKey());
    std::uint32_t bits = kAttrArchive;
    if (it != src->end() && it->second.hasAttributes) bits = it->second.attributes | kAttrArchive;
    std::string key = to.tableKey();
    internal::updateTable(to.drive, [&](internal::Table& t) {
        internal::TableEntry& e = t[key];
        e.hasAttributes = true;
        e.attributes = bits;
        return true;
    });
}

} // namespace

bool exists(std::string_view path) {
    return internal::resolve(path).exists();
}

bool isDirectory(std::string_view path) {
    Resolved r = internal::resolve(path);
    std::error_code ec;
    return r.exists() && std::filesystem::is_directory(r.path(), ec);
}

bool createFolder(std::string_view path) {
    Resolved r = internal::resolve(path);
    if (!r.valid || r.host.empty() || r.found + 1 < r.host.size()) return fail(kErrorPathNotFound);
    if (r.exists()) return fail(kErrorAlreadyExists);
    if (r.writeProtected()) return fail(kErrorWriteProtect);
    if (::mkdir(r.path().c_str(), 0755) != 0) return fail(kErrorAccessDenied);
    return succeed();
}

bool createFolders(std::string_view path) {
    Resolved r = internal::resolve(path);
    if (!r.valid) return fail(kErrorPathNotFound);
    std::filesystem::path at = r.root;
    std::error_code ec;
    if (!r.exists() && r.writeProtected()) return fail(kErrorWriteProtect);
    for (size_t i = 0; i < r.host.size(); ++i) {
        at /= r.host[i];
        if (i >= r.found && ::mkdir(at.c_str(), 0755) != 0 && errno != EEXIST)
            return fail(kErrorAccessDenied);
    }
    if (!std::filesystem::is_directory(at, ec)) return fail(kErrorAlreadyExists);
    return succeed();
}

bool removeFolder(std::string_view path) {
    Resolved r = internal::resolve(path);
    struct stat st;
    if (!r.exists() || !statOf(r, st)) return fail(missingError(r));
    if (!S_ISDIR(st.st_mode) || r.host.empty())
        return fail(r.host.empty() ? kErrorAccessDenied : kErrorPathNotFound);
    if (r.writeProtected()) return fail(kErrorWriteProtect);
    if (::rmdir(r.path().c_str()) != 0)
        return fail(errno == ENOTEMPTY || errno == EEXIST ? kErrorDirNotEmpty : kErrorAccessDenied);
    forgetEntries(r.drive, r.tableKey());
    return succeed();
}

bool deleteFile(std::string_view path) {
    Resolved r = internal::resolve(path);
    struct stat st;
    if (!r.exists() || !statOf(r, st)) return fail(missingError(r));
    if (S_ISDIR(st.st_mode)) return fail(kErrorAccessDenied);
    if (r.writeProtected()) return fail(kErrorWriteProtect);
    if (!replaceable(r.path(), st)) return false;
    if (::unlink(r.path().c_str()) != 0) return fail(kErrorAccessDenied);
    forgetEntries(r.drive, r.tableKey());
    return succeed();
}

bool copyFile(std::string_view from, std::string_view to, bool failIfExists) {
    Resolved src = internal::resolve(from);
    struct stat st;
    if (!src.exists() || ::stat(src.path().c_str(), &st) != 0) return fail(missingError(src));
    if (S_ISDIR(st.st_mode)) return fail(kErrorAccessDenied);
    if (isHeldExclusively(src.path())) return fail(kErrorSharingViolation);
    Resolved dst;
    if (!targetOf(to, dst)) return false;
    struct stat dt;
    if (dst.exists() && ::stat(dst.path().c_str(), &dt) == 0) {
        if (dt.st_dev == st.st_dev && dt.st_ino == st.st_ino)
            return fail(kErrorSharingViolation); // a file onto itself
        if (failIfExists) return fail(kErrorFileExists);
        if (S_ISDIR(dt.st_mode)) return fail(kErrorAccessDenied);
        if (!replaceable(dst.path(), dt)) return false;
    }
    if (!copyContent(src, dst, st)) return false;
    copyAttributes(src, dst);
    return succeed();
}

bool moveFile(std::string_view from, std::string_view to, bool replaceExisting) {
    Resolved src = internal::resolve(from);
    struct stat st;
    if (!src.exists() || src.host.empty() || !statOf(src, st)) return fail(missingError(src));
    if (src.writeProtected()) return fail(kErrorWriteProtect);
    bool dir = S_ISDIR(st.st_mode);
    if (!dir && isInUse(src.path())) return fail(kErrorSharingViolation);
    Resolved dst;
    if (!targetOf(to, dst)) return false;
    struct stat dt;
    if (dst.exists() && statOf(dst, dt)) {
        if (dt.st_dev == st.st_dev && dt.st_ino == st.st_ino) {
            // The same entry: a change of case only; take the name as given.
            dst.host.back() = kv::text::toUtf8(fileNamePart(fullPath(to)));
        } else {
            if (!replaceExisting || dir || S_ISDIR(dt.st_mode)) return fail(kErrorAlreadyExists);
            if (!replaceable(dst.path(), dt)) return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(src.path(), dst.path(), ec);
    if (ec == std::errc::cross_device_link && !dir) {
        if (!copyContent(src, dst, st)) return false;
        copyAttributes(src, dst);
        ::unlink(src.path().c_str());
        forgetEntries(src.drive, src.tableKey());
        return succeed();
    }
    if (ec)
        return fail(ec == std::errc::cross_device_link ? kErrorNotSameDevice : kErrorAccessDenied);
    moveEntries(src, dst);
    return succeed();
}

std::optional<std::string> readFile(std::string_view path) {
    File f = File::open(path, Access::Read, Share::Shared, Disposition::OpenExisting);
    if (!f.isOpen()) return std::nullopt;
    std::string content;
    char buffer[65536];
    long n;
    while ((n = f.read(buffer, sizeof buffer)) > 0)
        content.append(buffer, size_t(n));
    if (n < 0) return std::nullopt;
    setLastError(kErrorSuccess);
    return content;
}

bool writeFile(std::string_view path, std::string_view content) {
    File f = File::open(path, Access::Write, Share::Shared, Disposition::CreateAlways);
    if (!f.isOpen()) return false;
    if (f.write(content.data(), content.size()) != long(content.size()))
        return fail(kErrorAccessDenied);
    return succeed();
}

} // namespace kv::fs
