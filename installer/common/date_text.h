#pragma once
// Dates and times as the machine's locale writes them in its short form.

#include <string>

namespace kv::installer {

// The current local date and time in the short form of the machine's locale, for example
// "3/7/2026 1:05:09 PM" for US English.
std::string ShortDateTimeNow();

} // namespace kv::installer
