#pragma once
// The numeric test of the windows' input and list tags: blanks round the text, a sign, the
// digits with the machine locale's thousands separators in the whole part and its decimal
// separator before the fraction, and an exponent. Stored settings and the service's own
// figures are plain decimal text (setting_conversions.h).

#include "platform/system/profile.h"

#include <optional>
#include <string_view>

namespace kv::app {

// The number the text stands for under the locale's separators; nullopt when it is none.
std::optional<double> numericValue(std::string_view text, const kv::machine::Locale& locale);
// The same under the current machine's locale.
std::optional<double> numericValue(std::string_view text);
// Whether numericValue gives a number.
bool isNumeric(std::string_view text);

} // namespace kv::app
