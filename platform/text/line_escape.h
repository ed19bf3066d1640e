#pragma once
// Texts kept as one field of a line in the machine's run-time tables: backslash, TAB, CR and
// LF written as escapes, so a field never splits its line or the fields beside it.

#include <string>
#include <string_view>

namespace kv::text {

// The text with "\\", "\t", "\r" and "\n" escaped.
std::string escapeLine(std::string_view text);
// The text back from escapeLine; an unknown escape gives its character, a lone trailing
// backslash stays.
std::string unescapeLine(std::string_view line);

} // namespace kv::text
