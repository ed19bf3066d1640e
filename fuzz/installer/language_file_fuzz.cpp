// setup's language files: any file chosen by the script is read without a crash, each of
// its keys gives the file's value, and its character set is its [General] Charset when
// that is a number.

#include "fuzz/driver/fuzz_support.h"
#include "installer/setup/language.h"
#include "installer/setup/script.h"
#include "platform/fs/files.h"
#include "platform/fs/path.h"
#include "platform/ini/ini_text.h"
#include "platform/system/process.h"
#include "platform/ui/headless/headless.h"

#include <charconv>

namespace {

using kv::fuzz::check;
using kv::installer::TScript;

// setup at C:\Setup with a script that chooses the language "Fuzz" (C:\Setup\Fuzz.lng).
TScript& script() {
    static TScript s = [] {
        kv::fuzz::fuzzMachine();
        kv::fs::createFolders("C:\\Setup");
        kv::fs::writeFile("C:\\Setup\\setup", "");
        kv::machine::setProgram(kv::fs::hostPath("C:\\Setup\\setup"), {});
        kv::ui::headless::install();
        TScript t;
        t.LoadFromText("SET_LANG_FLAG(2)\nSET_LANG_NAMES(|Fuzz|)");
        return t;
    }();
    return s;
}

bool isNumber(std::string_view text, int& value) {
    const std::size_t b = text.find_first_not_of(" \t");
    if (b == std::string_view::npos) return false;
    const std::size_t e = text.find_last_not_of(" \t") + 1;
    const char* first = text.data() + b;
    if (*first == '+') ++first;
    const auto [end, ec] = std::from_chars(first, text.data() + e, value);
    return ec == std::errc() && end == text.data() + e;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TScript& s = script();
    const std::string_view text = kv::fuzz::asText(data, size);
    check(kv::fs::writeFile("C:\\Setup\\Fuzz.lng", text), "the language file is written");
    s.LoadLanguage();
    check(kv::installer::HasLanguageFile(), "the chosen language file is used");
    const kv::ini::IniText ini(text);
    for (const std::string& section : ini.sectionNames())
        for (const std::string& key : ini.keyNames(section))
            check(kv::installer::LangText(section, key, "-") == ini.value(section, key),
                  "a key of the file gives the file's value");
    int charset = 0;
    const auto given = ini.value("General", "Charset");
    if (!given || !isNumber(*given, charset)) charset = 0;
    check(kv::installer::GetCharset() == charset, "the character set is the file's");
    return 0;
}
