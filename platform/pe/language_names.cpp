#include "platform/pe/version_resource.h"

#include <algorithm>
#include <iterator>

namespace kv::pe {
namespace {

struct LanguageName {
    std::uint16_t id;
    const char* name;
};

// Sorted by identifier.
constexpr LanguageName kNames[] = {
    {0x0000, "Language Neutral"},
    {0x0401, "Arabic (Saudi Arabia)"},
    {0x0403, "Catalan"},
    {0x0404, "Chinese (Taiwan)"},
    {0x0405, "Czech"},
    {0x0406, "Danish"},
    {0x0407, "German (Germany)"},
    {0x0408, "Greek"},
    {0x0409, "English (United States)"},
    {0x040A, "Spanish (Traditional Sort)"},
    {0x040B, "Finnish"},
    {0x040C, "French (France)"},
    {0x040D, "Hebrew"},
    {0x040E, "Hungarian"},
    {0x0410, "Italian (Italy)"},
    {0x0411, "Japanese"},
    {0x0412, "Korean"},
    {0x0413, "Dutch (Netherlands)"},
    {0x0414, "Norwegian (Bokmal)"},
    {0x0415, "Polish"},
    {0x0416, "Portuguese (Brazil)"},
    {0x0419, "Russian"},
    {0x041D, "Swedish"},
    {0x041F, "Turkish"},
    {0x0804, "Chinese (PRC)"},
    {0x0807, "German (Switzerland)"},
    {0x0809, "English (United Kingdom)"},
    {0x080A, "Spanish (Mexico)"},
    {0x080C, "French (Belgium)"},
    {0x0816, "Portuguese (Portugal)"},
    {0x0C07, "German (Austria)"},
    {0x0C09, "English (Australia)"},
    {0x0C0A, "Spanish (International Sort)"},
    {0x0C0C, "French (Canada)"},
};

} // namespace

std::string languageName(std::uint16_t language) {
    const auto it =
        std::lower_bound(std::begin(kNames), std::end(kNames), language,
                         [](const LanguageName& n, std::uint16_t id) { return n.id < id; });
    if (it != std::end(kNames) && it->id == language) return it->name;
    return kNames[0].name;
}

} // namespace kv::pe
