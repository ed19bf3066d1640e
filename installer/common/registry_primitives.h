#pragma once
// Registry and INI primitives of the installer programs. Registry paths are full paths
// that begin with a root name ("HKEY_LOCAL_MACHINE\Software\..."); a path without a root
// name is below HKEY_CURRENT_USER.

#include "platform/registry/registry.h"

#include <string>
#include <string_view>

namespace kv::installer {

// The predefined key of a root name (without regard to case); HKEY_CURRENT_USER when the
// name is not recognised.
registry::Key RootKeyOf(std::string_view rootName);

struct RegPath {
    registry::Key root;
    std::string subKey;
};
// The root key and sub-key of a full path (trimmed first).
RegPath SplitRegPath(std::string_view fullPath);

// Creates the key and writes a REG_SZ value; true on success.
bool RegWriteString(std::string_view keyPath, std::string_view valueName, std::string_view text);
// The value as text (a 4-byte DWORD as decimal text, anything else as a zero-terminated
// string of at most 2048 bytes); the default when it cannot be read.
std::string RegReadValue(std::string_view keyPath, std::string_view valueName,
                         std::string_view defaultValue);
// Deletes a value; true on success.
bool RegDeleteValueAt(std::string_view keyPath, std::string_view valueName);

// The profile string of an INI file named by a machine path (2048-byte buffer).
std::string IniReadString(std::string_view file, std::string_view section, std::string_view key,
                          std::string_view defaultValue);
// Writes a profile string; true on success.
bool IniWriteString(std::string_view file, std::string_view section, std::string_view key,
                    std::string_view value);

} // namespace kv::installer
