#pragma once
// The per-user settings store of programs: text values addressed by application title,
// section and key, kept under HKEY_CURRENT_USER\Software\VB and VBA Program Settings.

#include <string>
#include <string_view>

namespace kv::registry {

// The stored text, or the default when the key is absent.
std::string getSetting(std::string_view app, std::string_view section, std::string_view key,
                       std::string_view defaultValue);
// Stores the text; false when the registry could not keep it.
bool saveSetting(std::string_view app, std::string_view section, std::string_view key,
                 std::string_view value);

} // namespace kv::registry
