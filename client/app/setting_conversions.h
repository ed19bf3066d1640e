#pragma once
// Conversions of stored setting texts to the values the windows use, and back. A text that
// does not convert gives nullopt, so the caller can leave its property as it was.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kv::app {

// A decimal number (blanks around it, sign, fraction, exponent), as a double.
std::optional<double> toNumber(std::string_view text);
// The number as a single-precision value; nullopt beyond the single range.
std::optional<float> toSingle(std::string_view text);
// The number rounded half to even to a 16-bit integer; nullopt out of range.
std::optional<std::int16_t> toInteger(std::string_view text);
// The same to a 32-bit integer.
std::optional<std::int32_t> toLong(std::string_view text);
// "True" or "False" (without regard to case), or a number: non-zero is True.
std::optional<bool> toBoolean(std::string_view text);

// "True" or "False".
std::string booleanText(bool value);

} // namespace kv::app
