#include "platform/fs/internal/resolve.h"

#include <sys/stat.h>

#include <system_error>

#include "platform/fs/internal/short_names.h"
#include "platform/fs/path.h"
#include "platform/system/machine.h"
#include "platform/text/ansi.h"

namespace kv::fs::internal {

namespace {

bool hostEntryExists(const std::filesystem::path& p) {
    struct stat st;
    return ::lstat(p.c_str(), &st) == 0;
}

// The host name of an entry of folder equal to name without regard to case, or "".
std::string findNoCase(const std::filesystem::path& folder, std::string_view name) {
    std::error_code ec;
    std::string best;
    for (auto it = std::filesystem::directory_iterator(folder, ec);
         !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        std::string host = it->path().filename().string();
        if (kv::text::equalsNoCase(kv::text::fromUtf8(host), name) && (best.empty() || host < best))
            best = host;
    }
    return best;
}

} // namespace

bool isWriteProtectedDrive(char drive) {
    return drive == 'Z';
}

std::filesystem::path Resolved::path() const {
    std::filesystem::path p = root;
    for (const std::string& h : host)
        p /= h;
    return p;
}

std::string Resolved::tableKey() const {
    std::string key;
    for (const std::string& h : host) {
        if (!key.empty()) key += '/';
        key += h;
    }
    return key;
}

bool splitFull(const std::string& full, char& drive, std::vector<std::string>& parts) {
    if (full.size() < 3 || full[1] != ':' || full[2] != '\\') return false;
    drive = full[0];
    parts.clear();
    size_t start = 3;
    while (start < full.size()) {
        size_t end = full.find('\\', start);
        if (end == std::string::npos) end = full.size();
        parts.push_back(full.substr(start, end - start));
        start = end + 1;
    }
    return true;
}

Resolved resolve(std::string_view machinePath) {
    Resolved r;
    std::string full = fullPath(machinePath);
    std::vector<std::string> parts;
    if (full.empty() || !splitFull(full, r.drive, parts)) return r;
    r.root = kv::machine::current().driveFolder(r.drive);
    std::error_code ec;
    if (r.root.empty() || !std::filesystem::is_directory(r.root, ec)) return r;
    r.valid = true;
    std::filesystem::path at = r.root;
    bool found = true;
    for (const std::string& part : parts) {
        std::string host = kv::text::toUtf8(part);
        if (found && !hostEntryExists(at / host)) {
            std::string other = findNoCase(at, part);
            if (other.empty() && part.find('~') != std::string::npos && isShortName(part))
                other = findByShortName(r.drive, at, r.tableKey(), part);
            if (other.empty())
                found = false;
            else
                host = other;
        }
        r.host.push_back(host);
        at /= host;
        if (found) r.found = r.host.size();
    }
    return r;
}

} // namespace kv::fs::internal
