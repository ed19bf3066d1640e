#pragma once
// Small text routines of the installer programs on single-byte ANSI text. Positions are
// 1-based, 0 meaning "not found"; "without regard to case" folds the active code page.

#include <string>
#include <string_view>

namespace kv::installer {

// Text before the first occurrence of `separator`; empty when it does not occur.
std::string StrBefore(std::string_view text, std::string_view separator);
// Text from the character after the first character of the first `separator` on; the
// whole text when it does not occur.
std::string StrAfter(std::string_view text, std::string_view separator);
// The characters in reverse order.
std::string ReverseStr(std::string_view text);
// Position of the last occurrence of `substring` in `text`, case-sensitive.
int LastPos(std::string_view substring, std::string_view text);
// Position of the reversed `substring` in the reversed `text`, without regard to case:
// 1 when the text ends with the substring.
int LastPosText(std::string_view substring, std::string_view text);
// Equal without regard to case.
bool SameTextStr(std::string_view a, std::string_view b);
// Position of the first occurrence of `substring` in `text`, without regard to case.
int PosText(std::string_view substring, std::string_view text);
// `text` left-padded with "0" to `width` characters.
std::string PadZeros(std::string_view text, int width);
// Every occurrence of `oldText` replaced by `newText`, case-sensitive.
std::string ReplaceAll(std::string_view text, std::string_view oldText, std::string_view newText);
// Every occurrence of `oldText` (matched without regard to case) replaced by `newText`;
// the rest of the text keeps its case.
std::string ReplaceAllText(std::string_view text, std::string_view oldText,
                           std::string_view newText);
// `n` blanks.
std::string Spaces(int n);
// The larger of two integers.
int MaxInt2(int a, int b);
// "TRUE" or "FALSE".
std::string BoolToText(bool flag);
// "1" or "0".
std::string BoolToDigit(bool flag);
// Doubled backslashes after the first character reduced to one, so a network path keeps
// its two leading backslashes.
std::string CollapseBackslashes(std::string_view path);

} // namespace kv::installer
