#pragma once
// The handlers of the removal's items: files, folders, registry keys and the operation
// records of the uninstall script. File and folder items are used as written.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kv::installer::uninstall {

// What handling an item came to: skipped silently (no log line), done, or failed.
enum class ItemResult { Skipped, Done, Failed };
using ItemHandler = std::function<ItemResult(const std::string&)>;

// What the handlers consult and what the shared-file phase leaves for the later ones.
struct RemovalRules {
    std::vector<std::string> keptDirs;        // DONT_REMOVE_DIR: nothing below them goes
    std::vector<std::string> forgivenDirs;    // AVOID_ERR_REMOVE_DIR
    std::vector<std::string> readOnlyFiles;   // REMOVE_READONLY_FILE
    std::vector<std::string> keptSharedFiles; // shared files another product still counts
};

// A shared file: its count lowered, the file deleted once no product counts it (its
// attributes cleared first when it is also a read-only item); kept files are remembered.
ItemResult RemoveSharedFile(RemovalRules& rules, const std::string& path);
// A read-only file: its attributes cleared, then deleted.
ItemResult RemoveReadOnlyFile(const RemovalRules& rules, const std::string& path);
// A file or service file; the uninstaller itself counts as done.
ItemResult RemoveFileItem(const RemovalRules& rules, const std::string& path);
// A forced folder: its whole tree deleted, attributes cleared; system folders are left and
// count as done, as does the uninstaller's own folder. A path with a ".." component fails.
ItemResult ForceRemoveFolder(const std::string& path);
// A folder removed when empty; skipped when it and a kept folder are prefixes of each other;
// a failure is forgiven when a forgiven entry begins with its path.
ItemResult RemoveFolderItem(const RemovalRules& rules, const std::string& path);

// A registry key with its subkeys.
bool RemoveRegKeyItem(const std::string& key);
// The uninstall actions of the records, folder variables expanded first.
bool RegistryRecordItem(const std::string& record);
bool IniRecordItem(const std::string& record);
bool EnvironmentRecordItem(const std::string& record);
bool AssociationRecordItem(const std::string& record);
// An open-with record: item 0 the verb, item 1 the extensions.
bool OpenWithItem(const std::string& record);

} // namespace kv::installer::uninstall
