#include "installer/common/text_lines.h"

#include "platform/fs/files.h"
#include "platform/fs/path.h"

namespace kv::installer {
namespace {

bool onHostDrive(std::string_view path) {
    const std::string full = fs::fullPath(path);
    return full.empty() || full[0] == 'Z' || full[0] == 'z';
}

} // namespace

std::optional<std::vector<std::string>> ReadTextLines(std::string_view path) {
    if (fs::isDirectory(path)) return std::nullopt;
    const std::optional<std::string> content = fs::readFile(path);
    if (!content) return std::nullopt;
    std::vector<std::string> lines;
    std::size_t from = 0;
    while (from < content->size()) {
        std::size_t end = content->find('\n', from);
        if (end == std::string::npos) end = content->size();
        std::string line = content->substr(from, end - from);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        from = end + 1;
    }
    return lines;
}

bool SaveTextLines(std::string_view path, const std::vector<std::string>& lines) {
    if (onHostDrive(path) || fs::isDirectory(path)) return false;
    std::string content;
    for (const std::string& line : lines)
        content += line + "\r\n";
    // Written beside the file and renamed over it, so that a program ended during the save
    // leaves the whole earlier file, never a part of the new one (or none); a side file left
    // so is taken up by the next save.
    const std::string side = std::string(path) + ".kvsave";
    if (!fs::writeFile(side, content)) return false;
    if (fs::moveFile(side, path, true)) return true;
    fs::deleteFile(side);
    return false;
}

} // namespace kv::installer
