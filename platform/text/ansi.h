#pragma once
// Single-byte ANSI text (Windows code pages 1252, 1255, 1256) kept as bytes in std::string,
// its conversion to UTF-8 at the host boundary, and comparison without regard to case.

#include <string>
#include <string_view>
#include <vector>

namespace kv::text {

// The code page in force for this process (the machine's ANSI code page); 1252 at start.
int activeCodePage();
void setActiveCodePage(int codePage);
// Drops the text layer's process-wide state, for tests: the code page back to 1252.
void resetForTests();
// The code page of a font character set: 177 Hebrew -> 1255, 178 Arabic -> 1256, else 1252.
int codePageForCharset(int charset);
// Whether the code page is one this layer knows (1252, 1255, 1256).
bool isKnownCodePage(int codePage);

// ANSI bytes to UTF-8. Bytes the code page leaves undefined become U+0080..U+009F of the
// same value, so every byte string survives the round trip.
std::string toUtf8(std::string_view ansi, int codePage = activeCodePage());
// UTF-8 to ANSI bytes; characters the code page lacks and malformed UTF-8 become '?'.
std::string fromUtf8(std::string_view utf8, int codePage = activeCodePage());

// Letter case within the code page (accented letters included; letters without a
// single-byte counterpart, such as the sharp s, stay as they are).
char toUpper(char c, int codePage = activeCodePage());
char toLower(char c, int codePage = activeCodePage());
std::string toUpper(std::string_view s, int codePage = activeCodePage());
std::string toLower(std::string_view s, int codePage = activeCodePage());

// Comparison without regard to case: equal, or the order of the upper-cased bytes.
bool equalsNoCase(std::string_view a, std::string_view b, int codePage = activeCodePage());
int compareNoCase(std::string_view a, std::string_view b, int codePage = activeCodePage());
// The text without the blanks (spaces and tabs) at both ends, or at its end only.
std::string_view trimBlanks(std::string_view s);
std::string_view trimBlanksRight(std::string_view s);

// The parts of text between the separators (one more part than there are separators).
std::vector<std::string_view> splitAt(std::string_view text, char separator);

// A strict weak order without regard to case, for sorted containers.
struct LessNoCase {
    bool operator()(std::string_view a, std::string_view b) const {
        return compareNoCase(a, b) < 0;
    }
};

} // namespace kv::text
