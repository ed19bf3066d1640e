#include "platform/process/shell.h"

#include "platform/fs/files.h"
#include "platform/fs/path.h"
#include "platform/process/exec.h"
#include "platform/process/internal/launch.h"
#include "platform/process/internal/program_search.h"
#include "platform/registry/registry.h"
#include "platform/system/machine.h"
#include "platform/text/ansi.h"
#include "platform/text/line_escape.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <fstream>

namespace kv::process {
namespace {

std::atomic<bool> g_hostOpener{false};

std::filesystem::path recordFile() {
    return machine::current().runtimeFolder() / "shell_opens";
}

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// "scheme:..." with a scheme of two or more characters (one letter is a drive), or "www.".
bool isWebAddress(std::string_view file) {
    if (file.size() >= 4 && text::equalsNoCase(file.substr(0, 4), "www.")) return true;
    if (file.empty() || !isLetter(file[0])) return false;
    std::size_t i = 1;
    while (i < file.size() && (isLetter(file[i]) || (file[i] >= '0' && file[i] <= '9') ||
                               file[i] == '+' || file[i] == '-' || file[i] == '.'))
        ++i;
    return i >= 2 && i < file.size() && file[i] == ':';
}

std::string extensionOf(const std::string& path) {
    const std::string name = fs::fileNamePart(path);
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

bool isProgramFile(const std::string& path) {
    const std::string ext = extensionOf(path);
    for (const char* program : {".exe", ".com", ".bat", ".cmd"})
        if (text::equalsNoCase(ext, program)) return true;
    return internal::isHostExecutable(fs::hostPath(path));
}

std::string defaultValue(const std::string& subKey) {
    registry::Key key;
    registry::Value value;
    if (registry::openKey(registry::rootKey(registry::Root::ClassesRoot), subKey, key) !=
            registry::Status::Success ||
        registry::queryValue(key, "", value) != registry::Status::Success)
        return {};
    return registry::textOf(value);
}

// The open command of a file's type, or "" when it has none.
std::string openCommand(const std::string& path) {
    const std::string ext = extensionOf(path);
    if (ext.empty()) return {};
    const std::string type = defaultValue(ext);
    if (type.empty()) return {};
    return defaultValue(type + "\\shell\\open\\command");
}

std::string replaceAll(std::string text, std::string_view from, std::string_view to) {
    for (auto pos = text.find(from); pos != std::string::npos;
         pos = text.find(from, pos + to.size()))
        text.replace(pos, from.size(), to);
    return text;
}

int record(std::string_view file, std::string_view parameters, int showMode) {
    const std::string line = std::to_string(showMode) + "\t" + kv::text::escapeLine(file) + "\t" +
                             kv::text::escapeLine(parameters) + "\n";
    std::error_code ec;
    std::filesystem::create_directories(recordFile().parent_path(), ec);
    // One append of one line: records of several processes never mix.
    const int fd = ::open(recordFile().c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return kShellNoAssociation;
    const bool ok = ::write(fd, line.data(), line.size()) == ssize_t(line.size());
    ::close(fd);
    return ok ? kShellOpened : kShellNoAssociation;
}

// Hands a web address or a host file to the host's opener, or records the open.
int openOnHost(std::string_view file, const std::string& target, std::string_view parameters,
               int showMode) {
    if (!g_hostOpener) return record(file, parameters, showMode);
    internal::SpawnRequest request;
    request.program = internal::searchHostPath("xdg-open");
    if (request.program.empty()) return kShellNoAssociation;
    request.arguments = {"xdg-open", target};
    const int pid = internal::spawnDetached(request).pid;
    if (pid <= 0) return kShellNoAssociation;
    internal::rememberHostChild(pid);
    return kShellOpened;
}

int startResult(unsigned result) {
    return result == kExecStarted ? kShellOpened : int(result);
}

} // namespace

int ShellExecute(std::string_view file, std::string_view parameters, int showMode) {
    if (isWebAddress(file)) return openOnHost(file, text::toUtf8(file), parameters, showMode);
    const std::string path = fs::fullPath(file);
    if (path.empty()) return kShellPathNotFound;
    if (!fs::exists(path))
        return fs::isDirectory(fs::folderPart(path)) ? kShellFileNotFound : kShellPathNotFound;
    if (!fs::isDirectory(path)) {
        if (isProgramFile(path)) {
            std::string line = "\"" + path + "\"";
            if (!parameters.empty()) line += " " + std::string(parameters);
            return startResult(WinExec(line, showMode));
        }
        const std::string command = openCommand(path);
        if (!command.empty())
            return startResult(WinExec(replaceAll(command, "%1", path), showMode));
    }
    return openOnHost(file, fs::hostPath(path).string(), parameters, showMode);
}

void setHostOpenerEnabled(bool enabled) {
    g_hostOpener = enabled;
}

std::vector<ShellOpenRecord> recordedShellOpens() {
    std::vector<ShellOpenRecord> records;
    std::ifstream in(recordFile(), std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        const auto a = line.find('\t');
        const auto b = a == std::string::npos ? a : line.find('\t', a + 1);
        if (b == std::string::npos) continue;
        ShellOpenRecord r;
        r.showMode = std::atoi(line.substr(0, a).c_str());
        r.file = kv::text::unescapeLine(line.substr(a + 1, b - a - 1));
        r.parameters = kv::text::unescapeLine(line.substr(b + 1));
        records.push_back(std::move(r));
    }
    return records;
}

} // namespace kv::process
