#include "platform/fs/internal/table.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <memory>
#include <mutex>
#include <string_view>
#include <system_error>

#include "platform/system/host_files.h"
#include "platform/system/machine.h"

namespace kv::fs::internal {

namespace {

std::filesystem::path tablePath(char drive) {
    return kv::machine::current().tableFolder() / (std::string(1, drive) + ".table");
}

// Line: short name, tab, attributes ("-" for none), tab, key. A key's last line holds: a
// single change is appended as one line, and a line with neither a name nor attributes
// drops the key. A last line without its line break is one being appended (or cut short
// by a killed process) and is left out.
void parseLines(Table& t, std::string_view text) {
    std::size_t pos = 0;
    for (std::size_t end; (end = text.find('\n', pos)) != std::string_view::npos; pos = end + 1) {
        const std::string_view line = text.substr(pos, end - pos);
        const std::size_t a = line.find('\t');
        const std::size_t b = a == std::string_view::npos ? a : line.find('\t', a + 1);
        if (b == std::string_view::npos) continue;
        TableEntry e;
        e.shortName = std::string(line.substr(0, a));
        const std::string_view attrs = line.substr(a + 1, b - a - 1);
        if (attrs != "-") {
            unsigned value = 0;
            auto [p, ec] = std::from_chars(attrs.data(), attrs.data() + attrs.size(), value);
            if (ec == std::errc()) {
                e.hasAttributes = true;
                e.attributes = value;
            }
        }
        std::string key(line.substr(b + 1));
        if (e.shortName.empty() && !e.hasAttributes)
            t.erase(key);
        else
            t[std::move(key)] = std::move(e);
    }
}

// The length of text's whole lines.
std::size_t wholeLines(std::string_view text) {
    const std::size_t last = text.rfind('\n');
    return last == std::string_view::npos ? 0 : last + 1;
}

// The tables last read, by file: the whole lines read and the table they make. A table
// read again is parsed only past those lines when it still begins with them (it grew by
// lines added), and anew when not (it was replaced).
struct Parsed {
    std::string text;
    std::shared_ptr<Table> table;
};
std::mutex gParsedMutex;
std::map<std::string, Parsed> gParsed;

std::shared_ptr<const Table> parsed(const std::filesystem::path& p, std::string_view text) {
    const std::string_view whole = text.substr(0, wholeLines(text));
    std::lock_guard<std::mutex> lock(gParsedMutex);
    if (gParsed.size() > 8 && !gParsed.count(p.string())) gParsed.clear();
    Parsed& known = gParsed[p.string()];
    const bool grew = known.table && whole.size() >= known.text.size() &&
                      whole.compare(0, known.text.size(), known.text) == 0;
    if (!grew) {
        known.table = std::make_shared<Table>();
        known.text.clear();
    } else if (whole.size() == known.text.size()) {
        return known.table;
    } else if (known.table.use_count() > 1) {
        // Still held by a reader: changed on a copy.
        known.table = std::make_shared<Table>(*known.table);
    }
    parseLines(*known.table, whole.substr(known.text.size()));
    known.text.assign(whole);
    return known.table;
}

void formatLine(std::string& out, const std::string& key, const TableEntry& e) {
    out += e.shortName;
    out += '\t';
    out += e.hasAttributes ? std::to_string(e.attributes) : std::string("-");
    out += '\t';
    out += key;
    out += '\n';
}

bool empty(const TableEntry& e) {
    return e.shortName.empty() && !e.hasAttributes;
}

bool same(const TableEntry& a, const TableEntry& b) {
    return a.shortName == b.shortName && a.hasAttributes == b.hasAttributes &&
           (!a.hasAttributes || a.attributes == b.attributes);
}

// How many keys before and after differ in (counting to 2 at most); line is the one that
// turns before into after when they differ in one.
int changedKeys(const Table& before, const Table& after, std::string& line) {
    int changes = 0;
    auto note = [&](const std::string& key, const TableEntry& e) {
        if (++changes == 1) formatLine(line, key, e);
    };
    auto b = before.begin(), a = after.begin();
    while ((b != before.end() || a != after.end()) && changes < 2) {
        if (a != after.end() && empty(a->second)) {
            ++a;
        } else if (b == before.end() || (a != after.end() && a->first < b->first)) {
            note(a->first, a->second);
            ++a;
        } else if (a == after.end() || b->first < a->first) {
            note(b->first, TableEntry{});
            ++b;
        } else {
            if (!same(a->second, b->second)) note(a->first, a->second);
            ++a;
            ++b;
        }
    }
    return changes;
}

// Appends a line to the table file; false when it could not be written whole.
bool appendLine(const std::filesystem::path& p, const std::string& line) {
    const int fd = ::open(p.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const ssize_t n = ::write(fd, line.data(), line.size());
    const bool ok = ::close(fd) == 0 && n == ssize_t(line.size());
    return ok;
}

std::string format(const Table& t) {
    std::string out;
    for (const auto& [key, e] : t)
        if (!empty(e)) formatLine(out, key, e);
    return out;
}

} // namespace

std::shared_ptr<const Table> readTable(char drive) {
    const std::filesystem::path p = tablePath(drive);
    std::string text;
    kv::machine::readHostFile(p, text);
    return parsed(p, text);
}

void forgetReadTables() {
    std::lock_guard<std::mutex> lock(gParsedMutex);
    gParsed.clear();
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
    // A change of one key is appended as one line while the file holds no more than about
    // twice as many lines as entries; any other change replaces the file whole. Neither is
    // flushed to disk (the files the table describes are not either); a process killed at
    // any point leaves the old table or the new one.
    if (ok) {
        const std::shared_ptr<const Table> before = parsed(p, text);
        Table t = *before;
        if (change(t)) {
            std::string line;
            const int changes = changedKeys(*before, t, line);
            const bool whole = wholeLines(text) == text.size();
            const auto lines = std::size_t(std::count(text.begin(), text.end(), '\n'));
            if (changes == 1 && whole && lines <= 2 * t.size() + 64) {
                ok = appendLine(p, line);
            } else if (changes > 0 || !whole) {
                text = format(t);
                ok = kv::machine::replaceHostFile(p, text);
            }
        }
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
