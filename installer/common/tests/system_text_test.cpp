#include "installer/common/internal/system_text.h"
#include "installer/common/paths.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kv::installer {
namespace {

using internal::OsVersionValues;

TEST(SystemText, OsNamesAcrossProfiles) {
    struct Case {
        OsVersionValues version;
        std::string shortName, description;
        bool xp;
    };
    const std::vector<Case> cases = {
        {{0, 3, 10, 0, ""}, "32S", "Win32S  3.10  0", false},
        {{1, 4, 0, 950, ""}, "95", "Win95  4.0  950", false},
        {{1, 4, 10, 2222, " A "}, "98", "Win98  4.10  2222 ( A )", false},
        {{1, 4, 90, 3000, ""}, "ME", "WinME  4.90  3000", false},
        {{2, 4, 0, 1381, "Service Pack 6"}, "NT", "WinNT  4.0  1381 (Service Pack 6)", false},
        {{2, 5, 0, 2195, "   "}, "2000", "Win2000  5.0  2195", false}, // blanks only: none
        {{2, 5, 1, 2600, "Service Pack 2"}, "XP", "WinXP  5.1  2600 (Service Pack 2)", true},
        {{2, 5, 2, 3790, ""}, "5.2", "Win5.2  5.2  3790", false},
        {{1, 5, 1, 1, ""}, "5.1", "Win5.1  5.1  1", false}, // XP needs the NT platform
        {{2, 4, 90, 1, ""}, "4.90", "Win4.90  4.90  1", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        EXPECT_EQ(internal::osShortName(c.version), c.shortName);
        EXPECT_EQ(internal::osDescription(c.version), c.description);
        EXPECT_EQ(internal::isWinXP(c.version), c.xp);
    }
}

TEST(SystemText, CommandTail) {
    struct Case {
        std::string commandLine, exePath, tail;
    };
    const std::vector<Case> cases = {
        {"\"Z:\\opt\\kv\\setup\" /a /b", "Z:\\opt\\kv\\setup", "/a /b"},
        {"\"z:\\OPT\\kv\\SETUP\"  /a  ", "Z:\\opt\\kv\\setup", "/a"}, // path in other case
        {"\"Z:\\opt\\kv\\setup\"", "Z:\\opt\\kv\\setup", ""},
        {"\"Z:\\opt\\kv\\setup\" \"/x=a b\"", "Z:\\opt\\kv\\setup", "/x=a b"},
        {"\"Z:\\opt\\kv\\setup\" /x=\"a b\"", "Z:\\opt\\kv\\setup", "/x=\"a b"},
        {"\"Z:\\elsewhere\\setup\" /a", "Z:\\opt\\kv\\setup", "Z:\\elsewhere\\setup\" /a"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.commandLine);
        EXPECT_EQ(internal::commandTail(c.commandLine, c.exePath), c.tail);
    }
}

TEST(SystemText, SwitchValue) {
    const std::string sw = "/OriginalInfoFile=";
    struct Case {
        std::string tail, value;
    };
    const std::vector<Case> cases = {
        {"/OriginalInfoFile=C:\\Temp\\a.info", "C:\\Temp\\a.info"},
        {"/originalinfofile=C:\\Temp\\a.info", "C:\\Temp\\a.info"}, // other case
        {"/OriginalInfoFile=\"C:\\My Files\\a.info\" /q", "C:\\My Files\\a.info"},
        {"/OriginalInfoFile=\"C:\\My Files\\a.info", "C:\\My Files\\a.info"}, // quote stripped
        {"/OriginalInfoFile=C:\\Temp\\a.info /q", "C:\\Temp\\a.info"},
        {"/OriginalInfoFile=C:\\Temp\\a.info/q", "C:\\Temp\\a.info"},
        {"/OriginalInfoFile=", "TRUE"},
        {"/OriginalInfoFile= /q", "TRUE"},
        {"/OriginalInfoFile=\"  \"", "TRUE"},
        {"/q /other=1", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tail);
        EXPECT_EQ(internal::switchValue(c.tail, sw), c.value);
    }
}

TEST(SystemText, SetTrailingSlash) {
    struct Case {
        std::string path;
        bool add;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"C:\\", false, "C:"}, // three characters are above two
        {"C:\\", true, "C:\\"},
        {"C:", true, "C:\\"},
        {"C:\\Temp\\", false, "C:\\Temp"},
        {"C:\\Temp", true, "C:\\Temp\\"},
        {"C:\\Temp\\\\", false, "C:\\Temp\\"}, // one backslash only
        {"a\\", false, "a\\"},                 // a two-character text keeps its last one
        {"\\", false, "\\"},
        {"", true, "\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path + (c.add ? " +" : " -"));
        EXPECT_EQ(SetTrailingSlash(c.path, c.add), c.expected);
    }
}

} // namespace
} // namespace kv::installer
