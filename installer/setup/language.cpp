#include "installer/setup/language.h"

#include "installer/common/delimited_lists.h"
#include "installer/common/system_queries.h"
#include "installer/setup/english.h"
#include "installer/setup/internal/reset.h"
#include "installer/setup/script.h"
#include "platform/fs/files.h"
#include "platform/fs/path.h"
#include "platform/ini/ini_file.h"
#include "platform/ini/ini_text.h"
#include "platform/system/machine.h"
#include "platform/system/resources.h"

#include <charconv>
#include <optional>

namespace kv::installer {
namespace {

struct LanguageState {
    ini::IniText builtIn;
    std::optional<ini::IniText> file;
    int charset = 0;
};

LanguageState& state() {
    static LanguageState s;
    return s;
}

// A whole decimal number with an optional sign (blanks round it allowed); `fallback` for
// any other text.
int toNumber(std::string_view text, int fallback) {
    const std::size_t b = text.find_first_not_of(" \t");
    if (b == std::string_view::npos) return fallback;
    const char* first = text.data() + b;
    const char* last = text.data() + text.find_last_not_of(" \t") + 1;
    if (*first == '+') ++first;
    int value = 0;
    auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last) return fallback;
    return value;
}

int charsetOf(const ini::IniText& ini, int fallback) {
    const auto v = ini.value("General", "Charset");
    return v ? toNumber(*v, fallback) : fallback;
}

// The system's primary language: the low 10 bits of the locale, English (9) for none.
int primaryLanguage() {
    const int locale = machine::current().profile().locale.localeId;
    return locale == 0 ? 9 : (locale & 0x3FF);
}

std::string languageFolder() {
    const std::string setupFolder = GetExeDir(false);
    const std::string lang = setupFolder + "\\LANG";
    return (fs::isDirectory(lang) ? lang : setupFolder) + "\\";
}

bool isFile(const std::string& path) {
    return fs::exists(path) && !fs::isDirectory(path);
}

} // namespace

void LoadBuiltInText() {
    LanguageState& s = state();
    s.builtIn =
        ini::IniText(machine::findResource(kTextResourceType, "ENGLISH").value_or(std::string()));
    s.charset = charsetOf(s.builtIn, 0);
}

std::string LangText(std::string_view section, std::string_view key,
                     std::string_view defaultValue) {
    const LanguageState& s = state();
    if (!s.file) return s.builtIn.value(section, key).value_or(std::string(defaultValue));
    std::string fallback = defaultValue.empty()
                               ? s.builtIn.value(section, key).value_or(std::string())
                               : std::string(defaultValue);
    return s.file->value(section, key).value_or(fallback);
}

int GetCharset() {
    return state().charset;
}

bool HasLanguageFile() {
    return state().file.has_value();
}

void internal::resetLanguage() {
    state() = LanguageState{};
}

void TScript::LoadLanguage() {
    LanguageState& s = state();
    s.file.reset();
    s.charset = 0;
    const std::string folder = languageFolder();
    std::string chosen;
    if (langFlag_ == 2) {
        const std::vector<std::string_view> names = ListItems(texts_[index(ScriptText::LangNames)]);
        const std::size_t count = names.size();
        for (std::size_t i = 0; i < count && chosen.empty(); ++i) {
            const std::string name(names[i]);
            const std::string host = fs::hostPath(folder + name + ".lng").string();
            const int id = toNumber(
                ini::getProfileString("General", "LangID", "", host, ini::kDefaultBuffer), -1);
            if (id == primaryLanguage() || count == 1) chosen = name;
        }
        if (chosen.empty() && isFile(folder + "English.lng")) chosen = "English";
    }
    if (chosen.empty()) return;
    s.file = ini::IniText(fs::readFile(folder + chosen + ".lng").value_or(std::string()));
    s.charset = charsetOf(*s.file, s.charset);
}

} // namespace kv::installer
