#include "platform/fs/path.h"

#include <algorithm>
#include <optional>
#include <system_error>
#include <vector>

#include "platform/fs/errors.h"
#include "platform/fs/internal/partial_copies.h"
#include "platform/fs/internal/resolve.h"
#include "platform/fs/internal/table.h"
#include "platform/system/machine.h"
#include "platform/text/ansi.h"

namespace kv::fs {

namespace {

std::optional<std::string> gCurrentFolder;

bool badChar(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return u < 32 || c == '<' || c == '>' || c == ':' || c == '"' || c == '|' || c == '?' ||
           c == '*';
}

char upperDrive(char c) {
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

std::string hostToMachine(const std::filesystem::path& rel, std::string prefix) {
    std::string s = kv::text::fromUtf8(rel.generic_string());
    std::replace(s.begin(), s.end(), '/', '\\');
    if (!s.empty() && s != ".") prefix += s;
    return prefix;
}

// rel when p lies in folder (both absolute and normal), else nullopt.
std::optional<std::filesystem::path> below(const std::filesystem::path& p,
                                           const std::filesystem::path& folder) {
    auto pi = p.begin();
    for (auto fi = folder.begin(); fi != folder.end(); ++fi, ++pi) {
        if (fi->empty()) continue; // trailing separator
        if (pi == p.end() || *pi != *fi) return std::nullopt;
    }
    std::filesystem::path rel;
    for (; pi != p.end(); ++pi)
        if (!pi->empty()) rel /= *pi;
    return rel;
}

} // namespace

std::string currentFolder() {
    if (!gCurrentFolder) {
        std::error_code ec;
        std::string m = machinePath(std::filesystem::current_path(ec));
        gCurrentFolder = m.empty() ? std::string("C:\\") : m;
    }
    return *gCurrentFolder;
}

bool setCurrentFolder(std::string_view path) {
    internal::Resolved r = internal::resolve(path);
    std::error_code ec;
    if (!r.exists() || !std::filesystem::is_directory(r.path(), ec)) return false;
    gCurrentFolder = fullPath(path);
    return true;
}

std::string fullPath(std::string_view path) {
    std::string p(path);
    std::replace(p.begin(), p.end(), '/', '\\');
    if (p.empty() || (p.size() >= 2 && p[0] == '\\' && p[1] == '\\')) return "";
    std::string base;
    std::string rest;
    if (p.size() >= 2 && p[1] == ':') {
        if (!isLetter(p[0])) return "";
        char drive = upperDrive(p[0]);
        rest = p.substr(2);
        if (rest.empty() || rest[0] != '\\') {
            std::string cur = currentFolder();
            base = (upperDrive(cur[0]) == drive) ? cur : std::string(1, drive) + ":";
        } else {
            base = std::string(1, drive) + ":";
        }
    } else if (p[0] == '\\') {
        base = currentFolder().substr(0, 2);
        rest = p;
    } else {
        base = currentFolder();
        rest = p;
    }
    std::vector<std::string> parts;
    auto add = [&parts](std::string_view text) -> bool {
        size_t start = 0;
        while (start <= text.size()) {
            size_t end = text.find('\\', start);
            if (end == std::string_view::npos) end = text.size();
            std::string part(text.substr(start, end - start));
            start = end + 1;
            if (part.empty() || part == ".") continue;
            if (part == "..") {
                if (!parts.empty()) parts.pop_back();
                continue;
            }
            while (!part.empty() && (part.back() == '.' || part.back() == ' '))
                part.pop_back();
            if (part.empty()) continue;
            if (std::any_of(part.begin(), part.end(), badChar)) return false;
            parts.push_back(std::move(part));
        }
        return true;
    };
    if (!add(std::string_view(base).substr(2)) || !add(rest)) return "";
    std::string out = base.substr(0, 2) + "\\";
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i) out += '\\';
        out += parts[i];
    }
    return out;
}

std::filesystem::path hostPath(std::string_view path) {
    internal::Resolved r = internal::resolve(path);
    return r.valid ? r.path() : std::filesystem::path();
}

std::string machinePath(const std::filesystem::path& host) {
    std::error_code ec;
    std::filesystem::path abs = std::filesystem::absolute(host, ec).lexically_normal();
    if (ec) return "";
    const kv::machine::Machine& m = kv::machine::current();
    std::optional<std::string> best;
    size_t bestLength = 0;
    for (const kv::machine::Drive& d : m.profile().drives) {
        if (d.letter == 'Z') continue;
        std::filesystem::path folder = m.driveFolder(d.letter).lexically_normal();
        for (const std::filesystem::path& f :
             {folder, std::filesystem::weakly_canonical(folder, ec)}) {
            if (f.empty()) continue;
            auto rel = below(abs, f);
            size_t length = f.native().size();
            if (rel && length > bestLength) {
                best = hostToMachine(*rel, std::string(1, d.letter) + ":\\");
                bestLength = length;
            }
        }
    }
    if (best) return *best;
    if (!kv::machine::findDrive(m.profile(), 'Z')) return "";
    std::filesystem::path z = m.driveFolder('Z').lexically_normal();
    auto rel = below(abs, z);
    return rel ? hostToMachine(*rel, "Z:\\") : "";
}

std::string fileNamePart(std::string_view path) {
    size_t cut = path.find_last_of("\\/:");
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::string folderPart(std::string_view path) {
    size_t cut = path.find_last_of("\\/");
    if (cut == std::string_view::npos) return "";
    return std::string(path.substr(0, cut));
}

void resetForTests() {
    gCurrentFolder.reset();
    internal::forgetSweptFolders();
    internal::forgetReadTables();
    setLastError(kErrorSuccess);
}

} // namespace kv::fs
