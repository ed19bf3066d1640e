#include "platform/system/process_list.h"

#include "platform/system/machine.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <system_error>

namespace kv::machine {
namespace fs = std::filesystem;

namespace {

fs::path listFolder() {
    return current().runtimeFolder() / "processes";
}

fs::path entryFile(int id) {
    return listFolder() / std::to_string(id);
}

std::optional<ProcessEntry> readEntry(const fs::path& file) {
    int id = 0;
    try {
        id = std::stoi(file.filename().string());
    } catch (...) {
        return std::nullopt;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    ProcessEntry e;
    e.id = id;
    bool haveStart = false;
    std::string line;
    while (std::getline(in, line)) {
        const auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = line.substr(0, eq), value = line.substr(eq + 1);
        try {
            if (key == "start") {
                e.startTime = std::stoll(value);
                haveStart = true;
            } else if (key == "path") {
                e.path = value;
            } else if (key == "image") {
                e.image = value;
            } else if (key == "show") {
                e.showMode = std::stoi(value);
            } else if (key == "device") {
                e.device = std::stoull(value);
            } else if (key == "inode") {
                e.inode = std::stoull(value);
            }
        } catch (...) {
            return std::nullopt;
        }
    }
    if (!haveStart) return std::nullopt;
    return e;
}

bool isEntryName(const std::string& name) {
    return !name.empty() &&
           std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool alive(const ProcessEntry& e) {
    const std::optional<long long> start = hostStartTime(e.id);
    return start && *start == e.startTime;
}

} // namespace

std::optional<long long> hostStartTime(int pid) {
    if (pid <= 0) return std::nullopt;
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat;
    if (!in || !std::getline(in, stat)) return std::nullopt;
    // The name in parentheses may hold blanks; the fields after it start with the state.
    const auto close = stat.rfind(')');
    if (close == std::string::npos) return std::nullopt;
    std::istringstream fields(stat.substr(close + 1));
    std::string field;
    long long start = 0;
    for (int i = 0; i < 20 && fields >> field; ++i) {
        if (i == 0 && (field == "Z" || field == "X" || field == "x")) return std::nullopt;
        if (i == 19) start = std::atoll(field.c_str());
    }
    if (!fields) return std::nullopt;
    return start;
}

bool enterProcess(ProcessEntry entry) {
    const std::optional<long long> start = hostStartTime(entry.id);
    if (!start) return false;
    entry.startTime = *start;
    struct stat st;
    if (::stat(entry.image.c_str(), &st) == 0) {
        entry.device = st.st_dev;
        entry.inode = st.st_ino;
    }
    const std::string image = entry.image.string();
    if (entry.path.find('\n') != std::string::npos || image.find('\n') != std::string::npos)
        return false;
    std::error_code ec;
    fs::create_directories(listFolder(), ec);
    // Written aside and renamed, so readers never see half an entry.
    const fs::path file = entryFile(entry.id);
    fs::path tmp = file;
    tmp += ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        out << "start=" << entry.startTime << "\npath=" << entry.path << "\nimage=" << image
            << "\nshow=" << entry.showMode << "\ndevice=" << entry.device
            << "\ninode=" << entry.inode << "\n";
        if (!out.flush()) {
            fs::remove(tmp, ec);
            return false;
        }
    }
    fs::rename(tmp, file, ec);
    if (ec) fs::remove(tmp, ec);
    return !ec;
}

void leaveProcess(int id) {
    std::error_code ec;
    fs::remove(entryFile(id), ec);
}

std::vector<ProcessEntry> listedProcesses() {
    std::vector<ProcessEntry> live;
    std::error_code ec;
    for (fs::directory_iterator it(listFolder(), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!isEntryName(name)) continue;
        std::optional<ProcessEntry> e = readEntry(it->path());
        if (e && alive(*e)) {
            live.push_back(std::move(*e));
        } else if (e) {
            std::error_code ignored;
            fs::remove(it->path(), ignored);
        }
    }
    std::sort(live.begin(), live.end(),
              [](const ProcessEntry& a, const ProcessEntry& b) { return a.id < b.id; });
    return live;
}

std::optional<ProcessEntry> listedProcess(int id) {
    if (id <= 0) return std::nullopt;
    std::optional<ProcessEntry> e = readEntry(entryFile(id));
    if (e && alive(*e)) return e;
    return std::nullopt;
}

bool isImageInUse(const fs::path& host) {
    struct stat st;
    if (::stat(host.c_str(), &st) != 0) return false;
    std::error_code ec;
    for (fs::directory_iterator it(listFolder(), ec), end; !ec && it != end; it.increment(ec)) {
        if (!isEntryName(it->path().filename().string())) continue;
        std::optional<ProcessEntry> e = readEntry(it->path());
        if (e && e->device == st.st_dev && e->inode == st.st_ino && alive(*e)) return true;
    }
    return false;
}

} // namespace kv::machine
