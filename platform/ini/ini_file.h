#pragma once
// The profile calls on INI files, by host path. The file is read anew on every call and
// written back whole after a change (ANSI text, CR LF), created when a write needs it.
// Reads of a missing file give the default; nothing throws.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kv::ini {

// The platform's usual buffer for a profile string.
constexpr std::size_t kDefaultBuffer = 2048;

// The value, or the default (its trailing blanks removed) when the section, the key or the
// file is missing; cut to size - 1 characters.
std::string getProfileString(std::string_view section, std::string_view key,
                             std::string_view defaultValue, const std::string& file,
                             std::size_t size = kDefaultBuffer);
// The value read as a whole number (leading sign and digits), or the default.
int getProfileInt(std::string_view section, std::string_view key, int defaultValue,
                  const std::string& file);
// Section names, or the key names of a section, in file order.
std::vector<std::string> getSectionNames(const std::string& file);
std::vector<std::string> getKeyNames(std::string_view section, const std::string& file);

// Writes key=value, creating the file and the section when missing; false when the file
// cannot be read or written, or the key, value or section would break the line form (a
// line break, "=" in the key, "]" in the section).
bool writeProfileString(std::string_view section, std::string_view key, std::string_view value,
                        const std::string& file);
// Deletes the key, or the whole section; true also when there was nothing to delete, false
// when the file cannot be read or written.
bool deleteProfileKey(std::string_view section, std::string_view key, const std::string& file);
bool deleteProfileSection(std::string_view section, const std::string& file);

// The whole file as an in-memory text (empty when missing).
class IniText;
IniText loadIni(const std::string& file);

} // namespace kv::ini
