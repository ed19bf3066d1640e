#pragma once
// The security-code picture: the code's text drawn in a small built-in bitmap font.

#include <string>
#include <string_view>

namespace kv::servicesim {

// Size of one character cell of the picture, in pixels.
inline constexpr int kCodeCellWidth = 18; // a 5-dot glyph three pixels a dot, and a gap
inline constexpr int kCodeCellHeight = 21;
inline constexpr int kCodeMargin = 6;

// A 24-bit BMP of text in dark blue on white: letters A to Z (lower case drawn as upper
// case) and digits; any other character is a blank cell.
std::string codePicture(std::string_view text);

// The glyph of c as 7 rows of 5 dots ('#' set, '.' clear); all clear when it has none.
const char* const* glyphOf(char c);

} // namespace kv::servicesim
