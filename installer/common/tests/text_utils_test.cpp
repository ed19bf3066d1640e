#include "installer/common/text_utils.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kv::installer {
namespace {

TEST(TextUtils, BeforeAndAfter) {
    struct Case {
        std::string text, separator, before, after;
    };
    const std::vector<Case> cases = {
        {"key=value", "=", "key", "value"},
        {"a=b=c", "=", "a", "b=c"}, // the first occurrence
        {"no separator", "=", "", "no separator"},
        {"=lead", "=", "", "lead"},
        {"a=>b", "=>", "a", ">b"}, // after the separator's first character
        {"text", "", "", "text"},  // an empty separator never occurs
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text + " / " + c.separator);
        EXPECT_EQ(StrBefore(c.text, c.separator), c.before);
        EXPECT_EQ(StrAfter(c.text, c.separator), c.after);
    }
}

TEST(TextUtils, Positions) {
    struct Case {
        std::string substring, text;
        int lastPos, lastPosText, posText;
    };
    const std::vector<Case> cases = {
        {"\\", "C:\\Program Files\\App\\x.dll", 21, 6, 3},
        {".EXE", "c:\\setup.exe", 0, 1, 9}, // LastPos is case-sensitive; ends with it
        {"ab", "abxab", 4, 1, 1},
        {"ab", "abx", 1, 2, 1},
        {"q", "abc", 0, 0, 0},
        {"abcd", "abc", 0, 0, 0},
        {"", "abc", 0, 0, 0},
        {"\xE9", "caf\xC9", 0, 1, 4}, // accented letters fold in the case-free searches
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.substring + " in " + c.text);
        EXPECT_EQ(LastPos(c.substring, c.text), c.lastPos);
        EXPECT_EQ(LastPosText(c.substring, c.text), c.lastPosText);
        EXPECT_EQ(PosText(c.substring, c.text), c.posText);
    }
}

TEST(TextUtils, Replace) {
    struct Case {
        std::string text, oldText, newText, all, allText;
    };
    const std::vector<Case> cases = {
        {"a.b.c", ".", "\\", "a\\b\\c", "a\\b\\c"},
        {"<AppDir>\\x <appdir>", "<AppDir>", "C:\\App", "C:\\App\\x <appdir>",
         "C:\\App\\x C:\\App"},
        {"MiXeD text", "TEXT", "Word", "MiXeD text", "MiXeD Word"}, // outside keeps its case
        {"a    b", "  ", " ", "a b", "a b"},                        // runs collapse fully
        {"aabb", "ab", "", "", ""},                                 // removals cascade
        {"abc", "", "x", "abc", "abc"},                             // empty old: unchanged
        {"a%b", "%", "%%", "a%%b", "a%%b"},                         // new holds old: ends
        {"abc", "b", "B", "aBc", "aBc"},                            // a case-only change ends
        {"abc", "b", "b", "abc", "abc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text + " : " + c.oldText + " -> " + c.newText);
        EXPECT_EQ(ReplaceAll(c.text, c.oldText, c.newText), c.all);
        EXPECT_EQ(ReplaceAllText(c.text, c.oldText, c.newText), c.allText);
    }
}

TEST(TextUtils, SmallHelpers) {
    EXPECT_EQ(ReverseStr("abc"), "cba");
    EXPECT_EQ(ReverseStr("abcd"), "dcba");
    EXPECT_EQ(ReverseStr(""), "");
    EXPECT_TRUE(SameTextStr("Setup.EXE", "setup.exe"));
    EXPECT_TRUE(SameTextStr("\xC0", "\xE0"));
    EXPECT_FALSE(SameTextStr("setup", "setup "));
    EXPECT_EQ(PadZeros("7", 3), "007");
    EXPECT_EQ(PadZeros("1234", 3), "1234");
    EXPECT_EQ(PadZeros("", 2), "00");
    EXPECT_EQ(PadZeros("5", -1), "5");
    EXPECT_EQ(Spaces(3), "   ");
    EXPECT_EQ(Spaces(0), "");
    EXPECT_EQ(Spaces(-2), "");
    EXPECT_EQ(MaxInt2(-3, 2), 2);
    EXPECT_EQ(MaxInt2(5, 5), 5);
    EXPECT_EQ(BoolToText(true), "TRUE");
    EXPECT_EQ(BoolToText(false), "FALSE");
    EXPECT_EQ(BoolToDigit(true), "1");
    EXPECT_EQ(BoolToDigit(false), "0");
}

TEST(TextUtils, CollapseBackslashes) {
    struct Case {
        std::string path, expected;
    };
    const std::vector<Case> cases = {
        {"C:\\Program Files\\\\App\\x.dll", "C:\\Program Files\\App\\x.dll"},
        {"\\\\server\\share\\\\dir", "\\\\server\\share\\dir"}, // network path kept
        {"\\\\\\server", "\\\\server"},
        {"C:\\\\\\\\x\\\\", "C:\\x\\"},
        {"\\", "\\"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(CollapseBackslashes(c.path), c.expected);
    }
}

} // namespace
} // namespace kv::installer
