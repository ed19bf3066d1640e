#include "platform/desktop/internal/locked_table.h"

#include "platform/system/machine.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <fstream>
#include <system_error>

namespace kv::desktop::internal {
namespace fs = std::filesystem;

namespace {

// An exclusive lock on <table>.lock, released when the object goes.
class TableLock {
public:
    explicit TableLock(const fs::path& table) {
        std::error_code ec;
        fs::create_directories(table.parent_path(), ec);
        fs::path lock = table;
        lock += ".lock";
        fd_ = ::open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd_ >= 0 && ::flock(fd_, LOCK_EX) != 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~TableLock() {
        if (fd_ >= 0) ::close(fd_);
    }
    TableLock(const TableLock&) = delete;
    TableLock& operator=(const TableLock&) = delete;
    bool held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

std::vector<std::string> readLines(const fs::path& file) {
    std::vector<std::string> lines;
    std::ifstream in(file, std::ios::binary);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

} // namespace

fs::path tableFile(const std::string& name) {
    return machine::current().runtimeFolder() / "desktop" / name;
}

bool updateTable(const std::string& name,
                 const std::function<bool(std::vector<std::string>&)>& change) {
    const fs::path file = tableFile(name);
    const TableLock lock(file);
    if (!lock.held()) return false;
    std::vector<std::string> lines = readLines(file);
    if (!change(lines)) return false;
    fs::path tmp = file;
    tmp += ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        for (const std::string& line : lines)
            out << line << '\n';
        if (!out.flush()) return false;
    }
    std::error_code ec;
    fs::rename(tmp, file, ec);
    return !ec;
}

std::vector<std::string> readTable(const std::string& name) {
    const fs::path file = tableFile(name);
    const TableLock lock(file);
    if (!lock.held()) return {};
    return readLines(file);
}

std::string escapeLine(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

std::string unescapeLine(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        out += c == 'n' ? '\n' : c == 'r' ? '\r' : c;
    }
    return out;
}

} // namespace kv::desktop::internal
