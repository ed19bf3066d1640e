#include "platform/fs/enumerate.h"

#include <sys/stat.h>

#include <algorithm>
#include <system_error>

#include "platform/fs/attributes.h"
#include "platform/fs/errors.h"
#include "platform/fs/internal/attributes.h"
#include "platform/fs/internal/resolve.h"
#include "platform/fs/internal/table.h"
#include "platform/text/ansi.h"

namespace kv::fs {

namespace {

bool matchFrom(std::string_view name, std::string_view mask) {
    // Iterative glob with one back-tracking point for the last "*".
    size_t n = 0, m = 0, starM = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == '*') {
            starM = m++;
            starN = n;
        } else if (m < mask.size() &&
                   (mask[m] == '?' || kv::text::toUpper(mask[m]) == kv::text::toUpper(name[n]))) {
            ++m;
            ++n;
        } else if (starM != std::string_view::npos) {
            m = starM + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    return m == mask.size();
}

} // namespace

bool matchesMask(std::string_view name, std::string_view mask) {
    if (mask.empty() || mask == "*" || mask == "*.*") return true;
    // "name.*" also matches "name" without an extension.
    if (mask.size() > 2 && mask.substr(mask.size() - 2) == ".*" &&
        name.find('.') == std::string_view::npos &&
        matchFrom(name, mask.substr(0, mask.size() - 2)))
        return true;
    return matchFrom(name, mask);
}

std::vector<DirEntry> listFolder(std::string_view folder, std::string_view mask) {
    std::vector<DirEntry> out;
    internal::Resolved r = internal::resolve(folder);
    std::error_code ec;
    if (!r.exists() || !std::filesystem::is_directory(r.path(), ec)) {
        setLastError(r.valid ? kErrorPathNotFound : kErrorInvalidName);
        return out;
    }
    const auto table = internal::readTable(r.drive);
    std::string key = r.tableKey();
    for (auto it = std::filesystem::directory_iterator(r.path(), ec);
         !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        std::string host = it->path().filename().string();
        std::string name = kv::text::fromUtf8(host);
        if (!matchesMask(name, mask)) continue;
        // A host link is listed as itself, never followed, so no walk through a folder
        // leaves it (or loops through a link to a parent).
        struct stat st;
        if (::lstat(it->path().c_str(), &st) != 0) continue;
        auto entry = table->find(key.empty() ? host : key + "/" + host);
        DirEntry e;
        e.name = name;
        e.attributes = internal::attributesOf(st, entry == table->end() ? nullptr : &entry->second);
        e.size = S_ISDIR(st.st_mode) ? 0 : std::uint64_t(st.st_size);
        e.lastWrite = fileTimeFromUnixNanos(std::int64_t(st.st_mtim.tv_sec) * 1000000000 +
                                            st.st_mtim.tv_nsec);
        out.push_back(std::move(e));
    }
    std::sort(out.begin(), out.end(), [](const DirEntry& a, const DirEntry& b) {
        int c = kv::text::compareNoCase(a.name, b.name);
        return c != 0 ? c < 0 : a.name < b.name;
    });
    setLastError(out.empty() ? kErrorFileNotFound : kErrorSuccess);
    return out;
}

std::vector<DirEntry> findFiles(std::string_view pattern) {
    size_t cut = pattern.find_last_of("\\/");
    if (cut == std::string_view::npos) return listFolder(".", pattern);
    std::string_view folder = pattern.substr(0, cut);
    std::string f(folder);
    if (f.size() == 2 && f[1] == ':')
        f += '\\'; // "C:\*" lists the root, not the drive's current folder
    return listFolder(f.empty() ? std::string_view("\\") : std::string_view(f),
                      pattern.substr(cut + 1));
}

} // namespace kv::fs
