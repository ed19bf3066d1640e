#pragma once
// Command lines as the platform's C runtime reads them into arguments.

#include <string>
#include <string_view>
#include <vector>

namespace kv::process {

// Splits a command line into arguments: blanks and tabs separate them outside double
// quotes; 2n backslashes before a quote give n backslashes and the quote opens or closes a
// quoted part, 2n+1 give n backslashes and a literal quote; two quotes inside a quoted
// part give one literal quote; other backslashes are literal.
std::vector<std::string> splitArguments(std::string_view line);

} // namespace kv::process
