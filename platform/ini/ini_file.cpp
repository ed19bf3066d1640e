#include "platform/ini/ini_file.h"

#include "platform/ini/ini_text.h"
#include "platform/system/host_files.h"
#include "platform/text/ansi.h"

#include <climits>
#include <cstdlib>

namespace kv::ini {
IniText loadIni(const std::string& file) {
    std::string content;
    machine::readHostFile(file, content);
    return IniText(content);
}

namespace {

// Applies a change to the file; a file that exists but cannot be read is left alone, so
// its other keys are never lost to a write.
template <typename Change> bool changeIni(const std::string& file, Change change) {
    std::string content;
    if (machine::readHostFile(file, content) == machine::HostRead::Unreadable) return false;
    IniText ini(content);
    return !change(ini) || machine::writeHostFileAtomically(file, ini.text());
}

// Keys and values are single lines; a line break or a "=" in a key would add other keys.
bool writable(std::string_view key, std::string_view value) {
    return key.find_first_of("=\r\n") == std::string_view::npos &&
           value.find_first_of("\r\n") == std::string_view::npos;
}

} // namespace

std::string getProfileString(std::string_view section, std::string_view key,
                             std::string_view defaultValue, const std::string& file,
                             std::size_t size) {
    const auto value = loadIni(file).value(section, key);
    return fitToBuffer(value ? *value : std::string(text::trimBlanksRight(defaultValue)), size);
}

int getProfileInt(std::string_view section, std::string_view key, int defaultValue,
                  const std::string& file) {
    const auto value = loadIni(file).value(section, key);
    if (!value) return defaultValue;
    const long number = std::strtol(value->c_str(), nullptr, 10);
    return static_cast<int>(number < INT_MIN ? INT_MIN : number > INT_MAX ? INT_MAX : number);
}

std::vector<std::string> getSectionNames(const std::string& file) {
    return loadIni(file).sectionNames();
}

std::vector<std::string> getKeyNames(std::string_view section, const std::string& file) {
    return loadIni(file).keyNames(section);
}

bool writeProfileString(std::string_view section, std::string_view key, std::string_view value,
                        const std::string& file) {
    if (!writable(key, value) || section.find_first_of("]\r\n") != std::string_view::npos)
        return false;
    return changeIni(file, [&](IniText& ini) {
        ini.setValue(section, key, value);
        return true;
    });
}

bool deleteProfileKey(std::string_view section, std::string_view key, const std::string& file) {
    return changeIni(file, [&](IniText& ini) { return ini.deleteKey(section, key); });
}

bool deleteProfileSection(std::string_view section, const std::string& file) {
    return changeIni(file, [&](IniText& ini) { return ini.deleteSection(section); });
}

} // namespace kv::ini
