#include "platform/fs/internal/table.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <charconv>
#include <system_error>

#include "platform/system/host_files.h"
#include "platform/system/machine.h"

namespace kv::fs::internal {

namespace {

std::filesystem::path tablePath(char drive) {
    return kv::machine::current().tableFolder() / (std::string(1, drive) + ".table");
}

// Line: short name, tab, attributes ("-" for none), tab, key.
Table parse(const std::string& text) {
    Table t;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        size_t a = line.find('\t');
        size_t b = a == std::string::npos ? a : line.find('\t', a + 1);
        if (b == std::string::npos) continue;
        TableEntry e;
        e.shortName = line.substr(0, a);
        std::string attrs = line.substr(a + 1, b - a - 1);
        if (attrs != "-") {
            unsigned value = 0;
            auto [end, ec] = std::from_chars(attrs.data(), attrs.data() + attrs.size(), value);
            if (ec == std::errc()) {
                e.hasAttributes = true;
                e.attributes = value;
            }
        }
        t[line.substr(b + 1)] = e;
    }
    return t;
}

std::string format(const Table& t) {
    std::string out;
    for (const auto& [key, e] : t) {
        if (e.shortName.empty() && !e.hasAttributes) continue;
        out += e.shortName;
        out += '\t';
        out += e.hasAttributes ? std::to_string(e.attributes) : std::string("-");
        out += '\t';
        out += key;
        out += '\n';
    }
    return out;
}

} // namespace

Table readTable(char drive) {
    std::string text;
    kv::machine::readHostFile(tablePath(drive), text);
    return parse(text);
}

bool updateTable(char drive, const std::function<bool(Table&)>& change) {
    std::filesystem::path p = tablePath(drive);
    std::error_code ec;
    std::filesystem::create_directories(p.parent_path(), ec);
    std::filesystem::path lockPath = p;
    lockPath += ".lock";
    int lock = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (lock < 0) return false;
    ::flock(lock, LOCK_EX);
    // A table that exists but cannot be read is never replaced: its names would be lost.
    std::string text;
    bool ok = kv::machine::readHostFile(p, text) != kv::machine::HostRead::Unreadable;
    Table t = parse(text);
    // Saved only when its text changes. Not flushed to disk: it is rewritten on every change
    // of a file's attributes, and the files it describes are not flushed either; a process
    // killed at any point still leaves the old table or the new one whole.
    if (ok && change(t)) {
        std::string saved = format(t);
        if (saved != text) ok = kv::machine::replaceHostFile(p, saved);
    }
    ::flock(lock, LOCK_UN);
    ::close(lock);
    return ok;
}

bool isChildKey(const std::string& folderKey, const std::string& key) {
    if (folderKey.empty()) return !key.empty() && key.find('/') == std::string::npos;
    return key.size() > folderKey.size() + 1 && key.compare(0, folderKey.size(), folderKey) == 0 &&
           key[folderKey.size()] == '/' && key.find('/', folderKey.size() + 1) == std::string::npos;
}

} // namespace kv::fs::internal
