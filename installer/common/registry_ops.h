#pragma once
// Key and value routines on full registry paths, and the registry operation record that
// holds what setup writes and what uninstall removes.

#include <string>
#include <string_view>

namespace kv::installer {

// Whether the key exists; false on any error.
bool RegKeyExists(std::string_view keyPath);
// The value as text (strings as text, a DWORD as decimal text); isDword tells which.
// Empty and false when the key or value is missing.
std::string RegReadString(std::string_view keyPath, std::string_view valueName, bool& isDword);
// Deletes the key with all its subkeys; true also when it did not exist. A root key,
// HKEY_LOCAL_MACHINE\Software, HKEY_LOCAL_MACHINE\SYSTEM and HKEY_CURRENT_USER\Software are
// never deleted: false for them.
bool RegDeleteKeyIfExists(std::string_view keyPath);
// Creates the key and writes the value: "String" as text, "Integer" as a DWORD of the
// text's number (0 when not a number); other types write nothing. True unless the
// registry failed.
bool RegWriteTyped(std::string_view keyPath, std::string_view valueName, std::string_view valueText,
                   std::string_view type);

// Record items: 0 key path, 1 value name, 2 data, 3 install action, 4 uninstall action,
// 5 type. "Create" writes the value, "Remove" deletes the whole key.
bool RegistryOp(std::string_view record, bool install);

} // namespace kv::installer
