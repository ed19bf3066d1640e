#include "client/app/setting_conversions.h"

#include "platform/text/ansi.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

namespace kv::app {
std::optional<double> toNumber(std::string_view text) {
    std::string_view s = text::trimBlanks(text);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    if (s.empty()) return std::nullopt;
    // Only plain decimal forms: no "inf", "nan" or hexadecimal.
    for (char c : s)
        if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '+' ||
              c == 'e' || c == 'E'))
            return std::nullopt;
    double value = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<float> toSingle(std::string_view text) {
    std::optional<double> d = toNumber(text);
    if (!d || std::fabs(*d) > std::numeric_limits<float>::max()) return std::nullopt;
    return static_cast<float>(*d);
}

std::optional<std::int16_t> toInteger(std::string_view text) {
    std::optional<double> d = toNumber(text);
    if (!d) return std::nullopt;
    double r = std::nearbyint(*d); // the default rounding: half to even
    if (r < std::numeric_limits<std::int16_t>::min() ||
        r > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(r);
}

std::optional<std::int32_t> toLong(std::string_view text) {
    std::optional<double> d = toNumber(text);
    if (!d) return std::nullopt;
    double r = std::nearbyint(*d);
    if (r < std::numeric_limits<std::int32_t>::min() ||
        r > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(r);
}

std::optional<bool> toBoolean(std::string_view text) {
    std::string_view s = text::trimBlanks(text);
    if (text::equalsNoCase(s, "True")) return true;
    if (text::equalsNoCase(s, "False")) return false;
    std::optional<double> d = toNumber(s);
    if (!d) return std::nullopt;
    return *d != 0;
}

std::string booleanText(bool value) {
    return value ? "True" : "False";
}

} // namespace kv::app
