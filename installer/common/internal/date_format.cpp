#include "installer/common/internal/date_format.h"

namespace kv::installer::internal {
namespace {

struct LocalePattern {
    int localeId;
    const char* pattern;
};

constexpr LocalePattern kPatterns[] = {
    {1033, "M/d/yyyy h:mm:ss tt"}, // English (United States)
    {2057, "dd/MM/yyyy HH:mm:ss"}, // English (United Kingdom)
    {1031, "dd.MM.yyyy HH:mm:ss"}, // German
    {1036, "dd/MM/yyyy HH:mm:ss"}, // French
    {1040, "dd/MM/yyyy H.mm.ss"},  // Italian
    {1034, "dd/MM/yyyy H:mm:ss"},  // Spanish
    {1049, "dd.MM.yyyy H:mm:ss"},  // Russian
    {1037, "dd/MM/yyyy HH:mm:ss"}, // Hebrew
};

constexpr const char* kYearFirst = "yyyy-MM-dd HH:mm:ss";

std::string number(int value, std::size_t width) {
    std::string text = std::to_string(value);
    if (text.size() < width) text.insert(0, width - text.size(), '0');
    return text;
}

} // namespace

std::string_view shortDateTimePattern(int localeId) {
    for (const LocalePattern& p : kPatterns)
        if (p.localeId == localeId) return p.pattern;
    return kYearFirst;
}

std::string formatDateTime(const std::tm& time, std::string_view pattern) {
    std::string out;
    std::size_t i = 0;
    while (i < pattern.size()) {
        const char c = pattern[i];
        std::size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c)
            ++run;
        const int hour12 = time.tm_hour % 12 == 0 ? 12 : time.tm_hour % 12;
        switch (c) {
        case 'd':
            out += number(time.tm_mday, run);
            break;
        case 'M':
            out += number(time.tm_mon + 1, run);
            break;
        case 'y':
            out +=
                run >= 4 ? number(time.tm_year + 1900, 4) : number((time.tm_year + 1900) % 100, 2);
            break;
        case 'h':
            out += number(hour12, run);
            break;
        case 'H':
            out += number(time.tm_hour, run);
            break;
        case 'm':
            out += number(time.tm_min, run);
            break;
        case 's':
            out += number(time.tm_sec, run);
            break;
        case 't':
            out += time.tm_hour < 12 ? "AM" : "PM";
            break;
        default:
            out.append(run, c);
        }
        i += run;
    }
    return out;
}

} // namespace kv::installer::internal
