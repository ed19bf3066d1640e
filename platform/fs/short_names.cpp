#include "platform/fs/short_names.h"

#include <algorithm>
#include <set>
#include <system_error>
#include <vector>

#include "platform/fs/errors.h"
#include "platform/fs/internal/resolve.h"
#include "platform/fs/internal/short_names.h"
#include "platform/fs/internal/table.h"
#include "platform/text/ansi.h"

namespace kv::fs {

namespace internal {

namespace {

bool invalidShortChar(char c) {
    return c == ' ' || c == '+' || c == ',' || c == ';' || c == '=' || c == '[' || c == ']' ||
           c == '.';
}

// A new short name for a long name, not in used (upper-case names).
std::string makeShortName(std::string_view longName, const std::set<std::string>& used) {
    std::string upper = kv::text::toUpper(longName);
    size_t dot = upper.find_last_of('.');
    std::string base, ext;
    auto clean = [](std::string_view s, size_t limit) {
        std::string out;
        for (char c : s) {
            if (c == ' ' || c == '.') continue;
            out += invalidShortChar(c) ? '_' : c;
            if (out.size() == limit) break;
        }
        return out;
    };
    if (dot == std::string::npos || dot == 0) {
        base = clean(upper, 8);
    } else {
        base = clean(std::string_view(upper).substr(0, dot), 8);
        ext = clean(std::string_view(upper).substr(dot + 1), 3);
    }
    if (base.empty()) base = "_";
    for (int n = 1;; ++n) {
        std::string suffix = "~" + std::to_string(n);
        std::string candidate = base.substr(0, std::min(base.size(), 8 - suffix.size())) + suffix;
        if (!ext.empty()) candidate += "." + ext;
        if (!used.count(candidate)) return candidate;
    }
}

// The host names of a folder in name order without regard to case.
std::vector<std::string> folderNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (auto it = std::filesystem::directory_iterator(folder, ec);
         !ec && it != std::filesystem::directory_iterator(); it.increment(ec))
        names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        int c = kv::text::compareNoCase(kv::text::fromUtf8(a), kv::text::fromUtf8(b));
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

std::string childKey(const std::string& folderKey, const std::string& name) {
    return folderKey.empty() ? name : folderKey + "/" + name;
}

// Gives short names to the entries of a folder that lack one (only to the entry named
// only, when given); returns the folder's host name -> short name pairs.
std::vector<std::pair<std::string, std::string>>
assignShortNames(char drive, const std::filesystem::path& folder, const std::string& folderKey,
                 const std::string& only = "") {
    std::vector<std::string> names = folderNames(folder);
    std::vector<std::pair<std::string, std::string>> result;
    updateTable(drive, [&](Table& t) {
        bool changed = false;
        std::set<std::string> used;
        for (const std::string& n : names) {
            std::string ansi = kv::text::fromUtf8(n);
            if (isShortName(ansi)) used.insert(kv::text::toUpper(ansi));
            auto it = t.find(childKey(folderKey, n));
            if (it != t.end() && !it->second.shortName.empty())
                used.insert(kv::text::toUpper(it->second.shortName));
        }
        for (const std::string& n : names) {
            std::string ansi = kv::text::fromUtf8(n);
            if (isShortName(ansi)) {
                result.emplace_back(n, ansi);
                continue;
            }
            if (!only.empty() && n != only) {
                auto it = t.find(childKey(folderKey, n));
                if (it != t.end() && !it->second.shortName.empty())
                    result.emplace_back(n, it->second.shortName);
                continue;
            }
            TableEntry& e = t[childKey(folderKey, n)];
            if (e.shortName.empty()) {
                e.shortName = makeShortName(ansi, used);
                used.insert(e.shortName);
                changed = true;
            }
            result.emplace_back(n, e.shortName);
        }
        return changed;
    });
    return result;
}

} // namespace

bool isShortName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    size_t dot = name.find('.');
    std::string_view base = name.substr(0, dot);
    std::string_view ext =
        dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
    if (base.empty() || base.size() > 8 || ext.size() > 3 ||
        (dot != std::string_view::npos && ext.empty()))
        return false;
    auto ok = [](std::string_view s) { return std::none_of(s.begin(), s.end(), invalidShortChar); };
    return ok(base) && ok(ext);
}

std::string findByShortName(char drive, const std::filesystem::path& folder,
                            const std::string& folderKey, std::string_view name) {
    for (const auto& [host, shortName] : assignShortNames(drive, folder, folderKey))
        if (kv::text::equalsNoCase(shortName, name)) return host;
    return "";
}

} // namespace internal

std::string shortPath(std::string_view path) {
    internal::Resolved r = internal::resolve(path);
    if (!r.exists()) {
        setLastError(r.valid ? kErrorFileNotFound : kErrorPathNotFound);
        return "";
    }
    std::string out = std::string(1, r.drive) + ":\\";
    std::filesystem::path folder = r.root;
    std::string key;
    for (size_t i = 0; i < r.host.size(); ++i) {
        const std::string& h = r.host[i];
        std::string ansi = kv::text::fromUtf8(h);
        std::string part = ansi;
        if (!internal::isShortName(ansi)) {
            for (const auto& [host, shortName] :
                 internal::assignShortNames(r.drive, folder, key, h))
                if (host == h) part = shortName;
        }
        if (i) out += '\\';
        out += part;
        folder /= h;
        key = internal::childKey(key, h);
    }
    setLastError(kErrorSuccess);
    return out;
}

std::string givenShortName(std::string_view path) {
    const internal::Resolved r = internal::resolve(path);
    if (!r.exists() || r.host.empty()) return "";
    const std::string ansi = kv::text::fromUtf8(r.host.back());
    if (internal::isShortName(ansi)) return ansi;
    const auto table = internal::readTable(r.drive);
    const auto it = table->find(r.tableKey());
    return it == table->end() ? std::string() : it->second.shortName;
}

std::string longPath(std::string_view path) {
    internal::Resolved r = internal::resolve(path);
    if (!r.exists()) {
        setLastError(r.valid ? kErrorFileNotFound : kErrorPathNotFound);
        return "";
    }
    std::string out = std::string(1, r.drive) + ":\\";
    for (size_t i = 0; i < r.host.size(); ++i) {
        if (i) out += '\\';
        out += kv::text::fromUtf8(r.host[i]);
    }
    setLastError(kErrorSuccess);
    return out;
}

} // namespace kv::fs
