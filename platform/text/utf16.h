#pragma once
// UTF-16 text as the platform's binary formats store it (version resources, shell links),
// and its conversion from and to single-byte ANSI text.

#include <string>
#include <string_view>

#include "platform/text/ansi.h"

namespace kv::text {

// ANSI bytes as UTF-16 code units.
std::u16string toUtf16(std::string_view ansi, int codePage = activeCodePage());
// UTF-16 code units as ANSI bytes; characters the code page lacks and unpaired
// surrogates become '?'.
std::string fromUtf16(std::u16string_view utf16, int codePage = activeCodePage());

// UTF-16 little-endian bytes and back (an odd last byte is dropped).
std::string utf16LeBytes(std::u16string_view utf16);
std::u16string fromUtf16LeBytes(std::string_view bytes);

} // namespace kv::text
