#include "tests/e2e/log_lines.h"

#include "platform/fs/files.h"

namespace kv::e2e {
namespace {

std::string inFolder(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.ends_with('\\')) path += '\\';
    return path + std::string(name);
}

} // namespace

std::optional<std::vector<std::string>> readCrLfLines(std::string_view path, std::string* why) {
    auto fail = [why](const std::string& what) {
        if (why) *why = what;
        return std::nullopt;
    };
    const std::optional<std::string> bytes = fs::readFile(path);
    if (!bytes) return fail(std::string(path) + ": cannot be read");
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes->size()) {
        const std::size_t end = bytes->find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(bytes->substr(start));
            break;
        }
        if (bytes->compare(end, 2, "\r\n") != 0)
            return fail(std::string(path) + ": line " + std::to_string(lines.size() + 1) +
                        " does not end in CR LF");
        lines.push_back(bytes->substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::optional<std::vector<std::string>> readSetupLog(std::string_view appFolder, std::string* why) {
    return readCrLfLines(inFolder(appFolder, "Setup.log"), why);
}

std::optional<std::vector<std::string>>
readUninstallScript(std::string_view appFolder, std::string_view stamp, std::string* why) {
    const std::string name =
        stamp.empty() ? "UnInstall.txt" : "UnInstall_" + std::string(stamp) + ".txt";
    return readCrLfLines(inFolder(appFolder, name), why);
}

} // namespace kv::e2e
