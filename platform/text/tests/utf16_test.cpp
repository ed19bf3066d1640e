#include "platform/text/utf16.h"

#include <gtest/gtest.h>

namespace kv::text {
namespace {

TEST(Utf16Text, ConvertsAnsiBothWays) {
    struct Case {
        std::string ansi;
        int codePage;
        std::u16string utf16;
    };
    const Case cases[] = {
        {"plain", 1252, u"plain"},
        {"Caf\xE9 \x80", 1252, u"Caf\u00E9 \u20AC"},
        {"\xE0\xE1", 1255, u"\u05D0\u05D1"}, // alef, bet
        {"", 1252, u""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(toUtf16(c.ansi, c.codePage), c.utf16) << c.ansi;
        EXPECT_EQ(fromUtf16(c.utf16, c.codePage), c.ansi) << c.ansi;
    }
}

TEST(Utf16Text, UnmappableAndBrokenUnitsBecomeQuestionMarks) {
    // A character outside the code page, a pair outside the basic plane, lone surrogates.
    EXPECT_EQ(fromUtf16(u"a\u4E2Db", 1252), "a?b");
    EXPECT_EQ(fromUtf16(u"\U0001F600", 1252), "?");
    const char16_t lone[] = {u'x', char16_t(0xD800), u'y', char16_t(0xDC00)};
    EXPECT_EQ(fromUtf16(std::u16string_view(lone, 4), 1252), "x?y?");
}

TEST(Utf16Text, LittleEndianBytes) {
    EXPECT_EQ(utf16LeBytes(u"A\u20AC"), std::string("A\0\xAC\x20", 4));
    EXPECT_EQ(fromUtf16LeBytes(std::string("A\0\xAC\x20\x01", 5)), u"A\u20AC");
}

} // namespace
} // namespace kv::text
