#pragma once
// The machine's registry: keys and values kept without regard to case with their spelling
// preserved, in persistent hives that several processes can change at once. The calls
// follow the platform's: open or create a key by path, query, set and delete values,
// enumerate, delete keys; each returns a Status and never throws.

#include "platform/registry/status.h"
#include "platform/registry/value.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv::registry {

// The predefined keys.
enum class Root { ClassesRoot, CurrentUser, LocalMachine, Users, CurrentConfig, DynData };

// An open key: its root and its path below the root (spelling as given by the caller).
// HKEY_CLASSES_ROOT is HKEY_LOCAL_MACHINE\Software\Classes, HKEY_CURRENT_CONFIG is
// HKEY_LOCAL_MACHINE\System\CurrentControlSet\Hardware Profiles\Current.
struct Key {
    Root root = Root::CurrentUser;
    std::string path;
};

// The key of a root, e.g. rootKey(Root::LocalMachine).
Key rootKey(Root root);
// "HKEY_LOCAL_MACHINE" and the other five full names, without regard to case.
std::optional<Root> rootByName(std::string_view name);
std::string rootName(Root root);

// Opens an existing key below parent (an empty subKey opens parent itself).
Status openKey(const Key& parent, std::string_view subKey, Key& result);
// Opens the key, creating it and its missing parents; created tells whether it was new.
Status createKey(const Key& parent, std::string_view subKey, Key& result, bool* created = nullptr);
// Whether the key exists.
bool keyExists(const Key& key);

// Reads a value (an empty name is the key's default value).
Status queryValue(const Key& key, std::string_view name, Value& result);
// Writes a value of an existing key; a new value keeps the spelling given.
Status setValue(const Key& key, std::string_view name, const Value& value);
Status deleteValue(const Key& key, std::string_view name);

// Deletes one key below parent; fails with AccessDenied while it has subkeys.
Status deleteKey(const Key& parent, std::string_view subKey);
// Deletes the key below parent with all its subkeys; an empty subKey empties parent (its
// values and subkeys) and keeps it.
Status deleteTree(const Key& parent, std::string_view subKey);

// The name of the index-th subkey (ordered without regard to case); NoMoreItems past the end.
Status enumKey(const Key& key, std::size_t index, std::string& name);
// The index-th value (in the order values were first set); NoMoreItems past the end.
Status enumValue(const Key& key, std::size_t index, std::string& name, Value& value);
// All subkey names, or all value names, at once.
Status subKeyNames(const Key& key, std::vector<std::string>& names);
Status valueNames(const Key& key, std::vector<std::string>& names);

// The host folder that holds the hive files. Without one, the registry is the current
// machine's (platform/system), seeded with a new machine's values on first use.
void setHiveFolder(std::string hostFolder);
std::string hiveFolder();
// Loads the hives now, so that a damaged one is found at once. Returns what the registry
// reported since the last call (a damaged hive set aside and started anew, a hive that
// cannot be read), one sentence each; the reports also go to standard error.
std::vector<std::string> openHives();

// Drops the cached hives, the folder and the reports not yet taken, for tests.
void resetForTests();

} // namespace kv::registry
