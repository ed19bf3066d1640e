#include "platform/text/ansi.h"

#include <gtest/gtest.h>

namespace kv::text {
namespace {

TEST(AnsiText, ConvertsCodePage1252ToUtf8AndBack) {
    struct Case {
        std::string ansi;
        std::string utf8;
    };
    const Case cases[] = {
        {"plain", "plain"},
        {"\xE9t\xE9", "\xC3\xA9t\xC3\xA9"},              // été
        {"\x80 5", "\xE2\x82\xAC 5"},                    // euro sign
        {"\x93q\x94", "\xE2\x80\x9Cq\xE2\x80\x9D"},      // curly quotes
        {"\x9F", "\xC5\xB8"},                            // Y with diaeresis
        {std::string("a\0b", 3), std::string("a\0b", 3)} // NUL kept
    };
    for (const Case& c : cases) {
        EXPECT_EQ(toUtf8(c.ansi, 1252), c.utf8);
        EXPECT_EQ(fromUtf8(c.utf8, 1252), c.ansi);
    }
}

TEST(AnsiText, EveryByteSurvivesTheRoundTripInEachCodePage) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    for (int cp : {1252, 1255, 1256})
        EXPECT_EQ(fromUtf8(toUtf8(all, cp), cp), all) << cp;
}

TEST(AnsiText, HebrewAndArabicCodePages) {
    EXPECT_EQ(toUtf8("\xE0", 1255), "\xD7\x90"); // alef
    EXPECT_EQ(toUtf8("\xC7", 1256), "\xD8\xA7"); // alef
    EXPECT_EQ(codePageForCharset(177), 1255);
    EXPECT_EQ(codePageForCharset(178), 1256);
    EXPECT_EQ(codePageForCharset(0), 1252);
}

TEST(AnsiText, UnmappableAndMalformedUtf8BecomeQuestionMarks) {
    EXPECT_EQ(fromUtf8("\xE4\xB8\xAD", 1252), "?"); // a CJK character
    EXPECT_EQ(fromUtf8("a\xC3", 1252), "a?");       // cut-off sequence
    EXPECT_EQ(fromUtf8("\xFFz", 1252), "?z");       // invalid lead byte
    EXPECT_EQ(fromUtf8("\xD7\x90", 1252), "?");     // alef outside 1252
    EXPECT_EQ(fromUtf8("\xD7\x90", 1255), "\xE0");
}

TEST(AnsiText, CaseFoldsAccentedLettersOfTheCodePage) {
    EXPECT_TRUE(equalsNoCase("Return", "RETURN"));
    EXPECT_TRUE(equalsNoCase("\xE9t\xE9", "\xC9T\xC9")); // été / ÉTÉ
    EXPECT_TRUE(equalsNoCase("\x9A", "\x8A"));           // š / Š
    EXPECT_TRUE(equalsNoCase("\xFF", "\x9F"));           // ÿ / Ÿ
    EXPECT_FALSE(equalsNoCase("\xDF", "SS"));            // sharp s has no capital
    EXPECT_FALSE(equalsNoCase("\xD7", "\xF7"));          // × and ÷ are not letters
    EXPECT_FALSE(equalsNoCase("ab", "abc"));
    EXPECT_EQ(toUpper("m\xFCller"), "M\xDCLLER");
    EXPECT_EQ(toLower("M\xDCLLER"), "m\xFCller");
}

TEST(AnsiText, ComparisonOrdersWithoutRegardToCase) {
    EXPECT_LT(compareNoCase("apple", "Banana"), 0);
    EXPECT_GT(compareNoCase("b", "A"), 0);
    EXPECT_LT(compareNoCase("ab", "AB c"), 0);
    EXPECT_EQ(compareNoCase("", ""), 0);
    EXPECT_TRUE(LessNoCase{}("Alpha", "beta"));
}

TEST(AnsiText, SplitsAtASeparator) {
    using V = std::vector<std::string_view>;
    EXPECT_EQ(splitAt("a\tb\t", '\t'), (V{"a", "b", ""}));
    EXPECT_EQ(splitAt("", '|'), (V{""}));
    EXPECT_EQ(splitAt("x", '|'), (V{"x"}));
}

TEST(AnsiText, TrimsBlanks) {
    EXPECT_EQ(trimBlanks(" \t a b \t"), "a b");
    EXPECT_EQ(trimBlanks("\r\nx\n"), "\r\nx\n"); // line breaks are no blanks
    EXPECT_EQ(trimBlanks("   "), "");
    EXPECT_EQ(trimBlanksRight("  a  "), "  a");
}

TEST(AnsiText, ActiveCodePageFallsBackTo1252ForUnknownPages) {
    setActiveCodePage(1255);
    EXPECT_EQ(activeCodePage(), 1255);
    setActiveCodePage(437);
    EXPECT_EQ(activeCodePage(), 1252);
}

} // namespace
} // namespace kv::text
