#include "platform/profile/ini_file.h"

#include "platform/profile/ini_text.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace kv::profile {
namespace {

bool readFile(const std::string& file, std::string& out) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    out = s.str();
    return true;
}

// Writes through a temporary file and a rename, so a failed write never leaves half a file.
bool writeFile(const std::string& file, const std::string& content) {
    const std::string temp = file + ".tmp." + std::to_string(::getpid());
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out << content;
        out.flush();
        if (!out) {
            std::remove(temp.c_str());
            return false;
        }
    }
    if (std::rename(temp.c_str(), file.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

std::string trimRight(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return std::string(s);
}

} // namespace

IniText loadIni(const std::string& file) {
    std::string content;
    return readFile(file, content) ? IniText(content) : IniText();
}

std::string getProfileString(std::string_view section, std::string_view key,
                             std::string_view defaultValue, const std::string& file,
                             std::size_t size) {
    const auto value = loadIni(file).value(section, key);
    return fitToBuffer(value ? *value : trimRight(defaultValue), size);
}

int getProfileInt(std::string_view section, std::string_view key, int defaultValue,
                  const std::string& file) {
    const auto value = loadIni(file).value(section, key);
    if (!value) return defaultValue;
    return static_cast<int>(std::strtol(value->c_str(), nullptr, 10));
}

std::vector<std::string> getSectionNames(const std::string& file) {
    return loadIni(file).sectionNames();
}

std::vector<std::string> getKeyNames(std::string_view section, const std::string& file) {
    return loadIni(file).keyNames(section);
}

bool writeProfileString(std::string_view section, std::string_view key, std::string_view value,
                        const std::string& file) {
    IniText ini = loadIni(file);
    ini.setValue(section, key, value);
    return writeFile(file, ini.text());
}

bool deleteProfileKey(std::string_view section, std::string_view key, const std::string& file) {
    IniText ini = loadIni(file);
    return !ini.deleteKey(section, key) || writeFile(file, ini.text());
}

bool deleteProfileSection(std::string_view section, const std::string& file) {
    IniText ini = loadIni(file);
    return !ini.deleteSection(section) || writeFile(file, ini.text());
}

} // namespace kv::profile
