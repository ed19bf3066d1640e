#include "platform/fs/pending_renames.h"

#include "platform/fs/files.h"
#include "platform/fs/path.h"
#include "platform/registry/registry.h"
#include "platform/system/known_folders.h"
#include "platform/system/process.h"
#include "platform/system/process_list.h"
#include "platform/system/restart.h"
#include "platform/text/ansi.h"

#include <unistd.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace kv::fs {
namespace {

constexpr std::string_view kSessionManager = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
constexpr std::string_view kPendingValue = "PendingFileRenameOperations";
constexpr std::string_view kNtPrefix = "\\??\\";

std::string withoutNtPrefix(std::string_view path) {
    if (path.starts_with(kNtPrefix)) path.remove_prefix(kNtPrefix.size());
    return std::string(path);
}

// The strings of the pending list: each ends in a zero and one more zero ends the list. A
// deletion's target is an empty string, so the list is read from the raw data.
std::vector<std::string> pendingStrings(std::string_view data) {
    if (data.ends_with(std::string_view("\0\0", 2))) data.remove_suffix(1);
    std::vector<std::string> strings;
    std::string current;
    for (char c : data) {
        if (c != '\0') {
            current += c;
            continue;
        }
        strings.push_back(current);
        current.clear();
    }
    return strings;
}

void report(const std::string& what) {
    std::fprintf(stderr, "pending renames: %s failed\n", text::toUtf8(what).c_str());
}

// Deletes `from`, or moves it to `to` (replacing only when asked).
void carryOut(const std::string& from, const std::string& to, bool replace) {
    if (to.empty()) {
        if (!deleteFile(from)) report("deleting " + from);
        return;
    }
    if (!moveFile(from, to, replace)) report("moving " + from + " to " + to);
}

// The registry list: pairs of the source, then the target ("!" first to replace it; empty
// to delete); nothing when there is no list. `key` is left open on the list's key.
std::optional<std::vector<PendingRename>> registryRenames(registry::Key& key) {
    if (registry::openKey(registry::rootKey(registry::Root::LocalMachine), kSessionManager, key) !=
        registry::Status::Success)
        return std::nullopt;
    registry::Value value;
    if (registry::queryValue(key, kPendingValue, value) != registry::Status::Success)
        return std::nullopt;
    std::vector<PendingRename> renames;
    const std::vector<std::string> strings = pendingStrings(value.data);
    for (std::size_t i = 0; i + 1 < strings.size(); i += 2) {
        std::string_view target = strings[i + 1];
        const bool replace = target.starts_with('!');
        if (replace) target.remove_prefix(1);
        if (strings[i].empty()) continue;
        renames.push_back({withoutNtPrefix(strings[i]), withoutNtPrefix(target), replace});
    }
    return renames;
}

std::string wininitFile() {
    return machine::knownFolderPath(machine::KnownFolder::Windows) + "\\WININIT.INI";
}

// The [Rename] lines of WININIT.INI: "NUL=file" deletes the file, "target=source"
// replaces the target.
std::vector<PendingRename> wininitRenames(const std::string& content) {
    std::vector<PendingRename> renames;
    bool inRename = false;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos) end = content.size();
        std::string line = content.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.starts_with('[')) {
            inRename = text::equalsNoCase(line, "[Rename]");
            continue;
        }
        const auto eq = line.find('=');
        if (!inRename || eq == std::string::npos) continue;
        const std::string target = line.substr(0, eq);
        renames.push_back(
            {line.substr(eq + 1), text::equalsNoCase(target, "NUL") ? "" : target, true});
    }
    return renames;
}

void carryOutRegistryList() {
    registry::Key key;
    const auto renames = registryRenames(key);
    if (!renames) return;
    for (const PendingRename& r : *renames)
        carryOut(r.from, r.to, r.replace);
    registry::deleteValue(key, kPendingValue);
}

void carryOutWininit() {
    const std::string file = wininitFile();
    const auto content = readFile(file);
    if (!content) return;
    for (const PendingRename& r : wininitRenames(*content))
        carryOut(r.from, r.to, r.replace);
    if (!moveFile(file, folderPart(file) + "\\WININIT.BAK", true)) deleteFile(file);
}

} // namespace

bool moveFileEx(std::string_view from, std::string_view to, unsigned flags) {
    if (!(flags & kMoveDelayUntilReboot)) return moveFile(from, to, flags & kMoveReplaceExisting);
    registry::Key key;
    if (registry::createKey(registry::rootKey(registry::Root::LocalMachine), kSessionManager,
                            key) != registry::Status::Success)
        return false;
    registry::Value value;
    std::vector<std::string> strings;
    if (registry::queryValue(key, kPendingValue, value) == registry::Status::Success)
        strings = pendingStrings(value.data);
    strings.push_back(std::string(kNtPrefix) + std::string(from));
    strings.push_back(to.empty() ? std::string()
                                 : std::string(flags & kMoveReplaceExisting ? "!" : "") +
                                       std::string(kNtPrefix) + std::string(to));
    std::string data;
    for (const std::string& part : strings)
        data += part + '\0';
    data += '\0';
    return registry::setValue(key, kPendingValue, {registry::ValueType::MultiString, data}) ==
           registry::Status::Success;
}

std::vector<PendingRename> pendingRenames() {
    registry::Key key;
    std::vector<PendingRename> renames =
        registryRenames(key).value_or(std::vector<PendingRename>{});
    if (const auto content = readFile(wininitFile())) {
        for (PendingRename& r : wininitRenames(*content))
            renames.push_back(std::move(r));
    }
    return renames;
}

void carryOutPendingRenames() {
    carryOutRegistryList();
    carryOutWininit();
}

void startProgram(int argc, const char* const* argv) {
    machine::setProgramArguments(argc, argv);
    if (machine::consumeRestartMark()) carryOutPendingRenames();
    // A start through the machine has listed the program already, with its show mode.
    if (machine::handedProgramPath().empty() && !machine::hostProgram().empty())
        machine::enterProcess({.id = ::getpid(),
                               .path = machinePath(machine::hostProgram()),
                               .image = machine::hostProgram()});
}

} // namespace kv::fs
