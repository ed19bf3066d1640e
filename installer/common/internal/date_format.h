#pragma once
// The short date and time patterns of the locales, apart from the clock so that they can
// be tested.

#include <ctime>
#include <string>
#include <string_view>

namespace kv::installer::internal {

// The short date and time pattern of a locale id: "d", "dd", "M", "MM", "yy", "yyyy",
// "h", "hh" (12-hour), "H", "HH", "mm", "ss" and "tt" (AM or PM). A locale without a
// pattern of its own gets the year-first one.
std::string_view shortDateTimePattern(int localeId);
// The time written after the pattern.
std::string formatDateTime(const std::tm& time, std::string_view pattern);

} // namespace kv::installer::internal
