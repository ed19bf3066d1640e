// Whole-file line reading and saving, and the short date and time of the locales.

#include "installer/common/internal/date_format.h"
#include "installer/common/text_lines.h"
#include "machine_helpers.h"
#include "platform/fs/attributes.h"
#include "platform/fs/files.h"
#include "platform/system/testing/temp_machine.h"

#include <gtest/gtest.h>

#include <fstream>

namespace kv::installer {
namespace {

using machine::testing::TempMachine;
using Lines = std::vector<std::string>;

std::string content(const std::string& path) {
    std::ifstream file(internal::hostPathOf(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

TEST(TextLines, ReadSplitsOnLineBreaks) {
    struct Case {
        const char* text;
        Lines lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\nb\r\n", {"a", "b"}},
        {"\r\n", {""}},
    };
    TempMachine m;
    for (const Case& c : cases) {
        testing::makeFile("C:\\App\\x.txt", c.text);
        EXPECT_EQ(ReadTextLines("C:\\App\\x.txt"), c.lines) << c.text;
    }
    EXPECT_EQ(ReadTextLines("C:\\App\\missing.txt"), std::nullopt);
    EXPECT_EQ(ReadTextLines("C:\\App"), std::nullopt);
}

TEST(TextLines, SaveReplacesTheWholeFile) {
    TempMachine m;
    testing::makeFile("C:\\App\\x.txt", "old\r\nlonger old text\r\n");
    EXPECT_TRUE(SaveTextLines("c:\\app\\X.TXT", {"one", "", "two"}));
    EXPECT_EQ(content("C:\\App\\x.txt"), "one\r\n\r\ntwo\r\n");
    EXPECT_TRUE(SaveTextLines("C:\\App\\x.txt", {}));
    EXPECT_EQ(content("C:\\App\\x.txt"), "");
    // No folder yet, a folder in the way, a missing drive, and the host drive.
    EXPECT_FALSE(SaveTextLines("C:\\New\\x.txt", {"a"}));
    EXPECT_FALSE(SaveTextLines("C:\\App", {"a"}));
    EXPECT_FALSE(SaveTextLines("Q:\\x.txt", {"a"}));
    const std::string hostFile = (m.folder() / "host.txt").string();
    EXPECT_FALSE(SaveTextLines("Z:" + hostFile, {"a"}));
    EXPECT_FALSE(SaveTextLines("z:\\tmp\\kv-never.txt", {"a"}));
    EXPECT_FALSE(std::filesystem::exists(m.folder() / "host.txt"));
}

// The file is replaced at once through a side file: one a save ended part way left goes
// with the next save, and a file that cannot be replaced keeps its text and gets no side
// file.
TEST(TextLines, SaveGoesThroughASideFileRenamedOverTheFile) {
    TempMachine m;
    testing::makeFile("C:\\App\\x.txt", "old\r\n");
    testing::makeFile("C:\\App\\x.txt.kvsave", "part of a sa");
    EXPECT_TRUE(SaveTextLines("C:\\App\\x.txt", {"new"}));
    EXPECT_EQ(content("C:\\App\\x.txt"), "new\r\n");
    EXPECT_FALSE(fs::exists("C:\\App\\x.txt.kvsave"));
    ASSERT_TRUE(fs::setAttributes("C:\\App\\x.txt", fs::kAttrReadOnly));
    EXPECT_FALSE(SaveTextLines("C:\\App\\x.txt", {"newer"}));
    EXPECT_EQ(content("C:\\App\\x.txt"), "new\r\n");
    EXPECT_FALSE(fs::exists("C:\\App\\x.txt.kvsave"));
}

TEST(DateFormat, LocalePatterns) {
    std::tm afternoon{};
    afternoon.tm_year = 2026 - 1900;
    afternoon.tm_mon = 2;
    afternoon.tm_mday = 7;
    afternoon.tm_hour = 13;
    afternoon.tm_min = 5;
    afternoon.tm_sec = 9;
    std::tm midnight = afternoon;
    midnight.tm_hour = 0;
    struct Case {
        int localeId;
        const std::tm& time;
        const char* text;
    };
    const Case cases[] = {
        {1033, afternoon, "3/7/2026 1:05:09 PM"}, {1033, midnight, "3/7/2026 12:05:09 AM"},
        {2057, afternoon, "07/03/2026 13:05:09"}, {1031, midnight, "07.03.2026 00:05:09"},
        {1040, afternoon, "07/03/2026 13.05.09"}, {0, afternoon, "2026-03-07 13:05:09"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(internal::formatDateTime(c.time, internal::shortDateTimePattern(c.localeId)),
                  c.text)
            << c.localeId;
    EXPECT_EQ(internal::formatDateTime(afternoon, "yy d-M"), "26 7-3");
}

} // namespace
} // namespace kv::installer
