#include "installer/uninstall/removal_handlers.h"

#include "installer/common/association_ops.h"
#include "installer/common/delimited_lists.h"
#include "installer/common/environment_ops.h"
#include "installer/common/file_ops.h"
#include "installer/common/folders.h"
#include "installer/common/ini_ops.h"
#include "installer/common/paths.h"
#include "installer/common/registry_ops.h"
#include "installer/common/system_queries.h"
#include "installer/uninstall/shared_dll.h"
#include "installer/uninstall/system_folder.h"
#include "platform/fs/attributes.h"
#include "platform/fs/files.h"
#include "platform/fs/path.h"
#include "platform/text/ansi.h"

#include <algorithm>

namespace kv::installer::uninstall {
namespace {

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           text::equalsNoCase(text.substr(0, prefix.size()), prefix);
}

bool listed(const std::vector<std::string>& list, std::string_view path) {
    return std::any_of(list.begin(), list.end(),
                       [&](const std::string& item) { return text::equalsNoCase(item, path); });
}

// Below a kept folder: a kept folder is a text prefix of the path.
bool belowKeptFolder(const RemovalRules& rules, std::string_view path) {
    return std::any_of(rules.keptDirs.begin(), rules.keptDirs.end(),
                       [&](const std::string& kept) { return startsWithNoCase(path, kept); });
}

bool isFile(const std::string& path) {
    return fs::exists(path) && !fs::isDirectory(path);
}

bool isOwnFile(const std::string& path) {
    return text::equalsNoCase(fs::fullPath(path), fs::fullPath(GetExeName()));
}

bool isOwnFolder(const std::string& path) {
    return text::equalsNoCase(SetTrailingSlash(fs::fullPath(path), false),
                              SetTrailingSlash(fs::fullPath(GetExeDir(false)), false));
}

// Whether a component of the path ("/" read as "\") is "..".
bool climbsUp(std::string_view path) {
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find_first_of("\\/", start);
        if (end == std::string_view::npos) end = path.size();
        if (path.substr(start, end - start) == "..") return true;
        start = end + 1;
    }
    return false;
}

ItemResult resultOf(bool ok) {
    return ok ? ItemResult::Done : ItemResult::Failed;
}

// Deletes a file when it exists; done when it is gone.
ItemResult deleteIfPresent(const std::string& path, bool clearAttributes) {
    if (!isFile(path)) return ItemResult::Done;
    if (clearAttributes) fs::setAttributes(path, fs::kAttrNormal);
    return resultOf(fs::deleteFile(path));
}

} // namespace

// Files below a kept folder stay, whichever list names them, so a read-only or shared file
// there is not deleted where its plain line is skipped.
ItemResult RemoveSharedFile(RemovalRules& rules, const std::string& path) {
    if (belowKeptFolder(rules, path)) return ItemResult::Skipped;
    if (!isFile(path)) return ItemResult::Done;
    if (DecSharedDll(path) > 0) {
        rules.keptSharedFiles.push_back(path);
        return ItemResult::Done;
    }
    return deleteIfPresent(path, listed(rules.readOnlyFiles, path));
}

ItemResult RemoveReadOnlyFile(const RemovalRules& rules, const std::string& path) {
    if (belowKeptFolder(rules, path) || listed(rules.keptSharedFiles, path))
        return ItemResult::Skipped;
    return deleteIfPresent(path, true);
}

ItemResult RemoveFileItem(const RemovalRules& rules, const std::string& path) {
    if (belowKeptFolder(rules, path) || listed(rules.keptSharedFiles, path))
        return ItemResult::Skipped;
    // The running uninstaller goes with its self-deletion.
    if (isOwnFile(path)) return ItemResult::Done;
    return deleteIfPresent(path, false);
}

ItemResult ForceRemoveFolder(const std::string& path) {
    // A whole tree goes only for the folder the path names as written, never one it climbs to.
    if (climbsUp(path)) return ItemResult::Failed;
    if (IsSystemFolder(path)) return ItemResult::Done;
    if (fs::isDirectory(path)) DeleteTree(path, true);
    return resultOf(!fs::exists(path) || isOwnFolder(path));
}

ItemResult RemoveFolderItem(const RemovalRules& rules, const std::string& path) {
    for (const std::string& kept : rules.keptDirs)
        if (startsWithNoCase(path, kept) || startsWithNoCase(kept, path))
            return ItemResult::Skipped;
    // A system folder is never removed, and leaving it is no failure.
    if (IsSystemFolder(path)) return ItemResult::Done;
    if (fs::isDirectory(path)) fs::removeFolder(path);
    if (!fs::exists(path) || isOwnFolder(path)) return ItemResult::Done;
    const bool forgiven =
        std::any_of(rules.forgivenDirs.begin(), rules.forgivenDirs.end(),
                    [&](const std::string& entry) { return startsWithNoCase(entry, path); });
    return resultOf(forgiven);
}

bool RemoveRegKeyItem(const std::string& key) {
    return RegDeleteKeyIfExists(key);
}

bool RegistryRecordItem(const std::string& record) {
    return RegistryOp(ExpandFolderVars(record), false);
}

bool IniRecordItem(const std::string& record) {
    return IniFileOp(ExpandFolderVars(record), false);
}

bool EnvironmentRecordItem(const std::string& record) {
    return EnvironmentOp(ExpandFolderVars(record), false);
}

bool AssociationRecordItem(const std::string& record) {
    return AssociationOp(ExpandFolderVars(record), false);
}

bool OpenWithItem(const std::string& record) {
    return OpenWithOp(ListItem(record, 0), "", "", false, ListItem(record, 1));
}

} // namespace kv::installer::uninstall
