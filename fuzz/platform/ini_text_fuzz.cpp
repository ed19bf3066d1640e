// INI text: any text is read without a crash; written out and read back it gives the same
// text, sections, keys and values; a key set is read back as set, and a key or section
// deleted is gone.
//
// Input: the INI text, then optionally a NUL byte and a section, key and value separated
// by NUL bytes for the set.

#include "fuzz/driver/fuzz_support.h"
#include "platform/ini/ini_text.h"

namespace {

using kv::fuzz::check;
using kv::ini::IniText;

bool sameContent(const IniText& a, const IniText& b) {
    if (a.sectionNames() != b.sectionNames()) return false;
    for (const std::string& section : a.sectionNames()) {
        if (a.keyNames(section) != b.keyNames(section)) return false;
        for (const std::string& key : a.keyNames(section))
            if (a.value(section, key) != b.value(section, key)) return false;
    }
    return true;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// A name or value the INI form can hold as it stands: one line, no blanks round it, and
// none of the characters that would make it read otherwise.
bool plain(std::string_view text, std::string_view forbidden) {
    if (!text.empty() && (isBlank(text.front()) || isBlank(text.back()))) return false;
    return text.find_first_of(forbidden) == std::string_view::npos &&
           text.find_first_of("\r\n") == std::string_view::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string_view> parts = kv::fuzz::split(kv::fuzz::asText(data, size), '\0');
    IniText ini(parts[0]);
    const IniText again(ini.text());
    check(again.text() == ini.text(), "an INI text read back is written the same");
    check(sameContent(ini, again), "an INI text read back keeps its sections, keys and values");
    if (parts.size() < 4) return 0;
    const std::string_view section = parts[1], key = parts[2], value = parts[3];
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    if (!plain(section, "]") || key.empty() || !plain(key, "=") || key.front() == ';' ||
        key.front() == '[' || !plain(value, "") || quoted)
        return 0;
    ini.setValue(section, key, value);
    check(ini.value(section, key) == std::string(value), "a key set is read back as set");
    check(IniText(ini.text()).value(section, key) == std::string(value),
          "a key set is kept in the text");
    check(ini.deleteKey(section, key) && !ini.value(section, key), "a deleted key is gone");
    ini.setValue(section, key, value);
    check(ini.deleteSection(section) && !ini.hasSection(section), "a deleted section is gone");
    return 0;
}
