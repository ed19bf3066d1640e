#include "platform/process/internal/program_search.h"

#include "platform/fs/files.h"
#include "platform/fs/path.h"

#include <sys/stat.h>

#include <fstream>
#include <optional>

namespace kv::process::internal {

namespace {

bool isFile(const std::string& path) {
    return fs::exists(path) && !fs::isDirectory(path);
}

// The candidate's full path when it names a file; sets folderSeen when its folder exists.
std::optional<std::string> tryCandidate(std::string_view written, bool& folderSeen) {
    const std::string full = fs::fullPath(written);
    if (full.empty()) return std::nullopt;
    if (isFile(full)) return full;
    if (fs::fileNamePart(full).find('.') == std::string::npos && isFile(full + ".exe"))
        return full + ".exe";
    if (fs::isDirectory(fs::folderPart(full))) folderSeen = true;
    return std::nullopt;
}

FoundProgram found(const std::string& path, std::string_view rest) {
    FoundProgram f;
    f.path = path;
    f.host = fs::hostPath(path);
    f.rest = std::string(rest);
    return f;
}

} // namespace

FoundProgram findProgram(std::string_view line) {
    bool folderSeen = false;
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
        line.remove_prefix(1);
    if (line.empty()) return FoundProgram{.error = 2};
    if (!line.empty() && line.front() == '"') {
        const std::size_t close = line.find('"', 1);
        const std::string_view written =
            line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
        const std::string_view rest =
            close == std::string_view::npos ? std::string_view() : line.substr(close + 1);
        if (std::optional<std::string> p = tryCandidate(written, folderSeen))
            return found(*p, rest);
    } else {
        std::size_t end = 0;
        while (end != std::string_view::npos) {
            end = line.find(' ', end + 1);
            const std::string_view written = line.substr(0, end);
            if (written.find_first_not_of(' ') == std::string_view::npos) continue;
            const std::string_view rest =
                end == std::string_view::npos ? std::string_view() : line.substr(end);
            if (std::optional<std::string> p = tryCandidate(written, folderSeen))
                return found(*p, rest);
        }
    }
    FoundProgram none;
    none.error = folderSeen ? 2 : 3;
    return none;
}

bool isHostExecutable(const std::filesystem::path& host) {
    struct stat st;
    if (::stat(host.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    std::ifstream in(host, std::ios::binary);
    char magic[4] = {};
    in.read(magic, sizeof magic);
    if (in.gcount() == 4 && magic[0] == 0x7f && magic[1] == 'E' && magic[2] == 'L' &&
        magic[3] == 'F')
        return true;
    return in.gcount() >= 2 && magic[0] == '#' && magic[1] == '!' && (st.st_mode & S_IXUSR);
}

} // namespace kv::process::internal
