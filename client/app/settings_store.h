#pragma once
// The client's per-user settings: every key of the program "Kestrovane" in its one
// section "Settings" of the platform's per-user settings store. Values are text.

#include <string>
#include <string_view>

namespace kv::app {

inline constexpr std::string_view kProgramTitle = "Kestrovane";
inline constexpr std::string_view kSettingsSection = "Settings";

// The stored text of a key, or the default when the key is absent.
std::string getSetting(std::string_view key, std::string_view defaultValue);
// Stores the text under the key; false when the store could not keep it.
bool saveSetting(std::string_view key, std::string_view value);

} // namespace kv::app
