#pragma once
// An INI text held in memory, read and changed by the platform's profile-string rules:
// sections and keys found without regard to case (the first match counts), values with the
// blanks round them and one pair of enclosing quotes removed, lines kept as they stand
// when something else changes. Used for INI files and for texts loaded from a resource.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv::ini {

class IniText {
public:
    IniText() = default;
    // Parses text with CR LF, LF or CR line ends.
    explicit IniText(std::string_view text);

    // The value of key in section, or nothing when either is missing.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    // Section names in file order (duplicates once, first spelling).
    std::vector<std::string> sectionNames() const;
    // Key names of the section in order (duplicates once), empty when it is missing.
    std::vector<std::string> keyNames(std::string_view section) const;
    bool hasSection(std::string_view section) const;

    // Sets key=value, adding the section at the end and the key at the section's end.
    void setValue(std::string_view section, std::string_view key, std::string_view value);
    // Removes every line of the key; false when there was none.
    bool deleteKey(std::string_view section, std::string_view key);
    // Removes the section header and all its lines; false when there was none.
    bool deleteSection(std::string_view section);

    // The text with CR LF line ends.
    std::string text() const;

private:
    std::vector<std::string> lines_;
};

// The platform's profile string result for a value: at most size - 1 characters.
std::string fitToBuffer(std::string_view text, std::size_t size);

} // namespace kv::ini
