#include "client/app/numeric_text.h"

#include "platform/system/machine.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

namespace kv::app {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

} // namespace

std::optional<double> numericValue(std::string_view text, const kv::machine::Locale& locale) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    // A blank separator (as in "1 000") is kept; other text is taken literally.
    const std::string_view decimal = locale.decimalSeparator;
    std::string_view thousands = locale.thousandsSeparator;
    if (thousands == decimal) thousands = {};

    // Rewritten as plain "-123.45e6" for the conversion.
    std::string plain;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) plain += text[i++];
    bool wholeDigits = false, fractionDigits = false;
    while (i < text.size()) {
        if (isDigit(text[i])) {
            plain += text[i++];
            wholeDigits = true;
        } else if (wholeDigits && !thousands.empty() && text.substr(i).starts_with(thousands) &&
                   i + thousands.size() < text.size() && isDigit(text[i + thousands.size()])) {
            i += thousands.size(); // between digits of the whole part only
        } else {
            break;
        }
    }
    if (!decimal.empty() && text.substr(i).starts_with(decimal)) {
        i += decimal.size();
        plain += '.';
        while (i < text.size() && isDigit(text[i])) {
            plain += text[i++];
            fractionDigits = true;
        }
    }
    if (!wholeDigits && !fractionDigits) return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        plain += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) plain += text[i++];
        const std::size_t start = i;
        while (i < text.size() && isDigit(text[i]))
            plain += text[i++];
        if (i == start) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;

    const char* begin = plain.data() + (plain.front() == '+' ? 1 : 0);
    double value = 0;
    const auto [end, ec] = std::from_chars(begin, plain.data() + plain.size(), value);
    if (ec != std::errc() || end != plain.data() + plain.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<double> numericValue(std::string_view text) {
    return numericValue(text, kv::machine::current().profile().locale);
}

bool isNumeric(std::string_view text) {
    return numericValue(text).has_value();
}

} // namespace kv::app
