// Setup.log: the line rules, the file rewritten after every line (also once its folder
// appears) and the header.

#include "installer/common/reset.h"
#include "installer/setup/setup_log.h"

#include "installer/common/folders.h"
#include "installer/common/internal/machine_files.h"
#include "installer/common/system_queries.h"
#include "installer/setup/script.h"
#include "platform/system/testing/temp_machine.h"
#include "platform/ui/headless/headless.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

namespace kv::installer {
namespace {

using machine::testing::TempMachine;
using Lines = std::vector<std::string>;

class SetupLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui::headless::install();
        resetCommonForTests();
    }
    void TearDown() override { resetCommonForTests(); }

    static TScript load(const std::string& text) {
        TScript s;
        s.LoadFromText(text);
        return s;
    }
    static std::string content(const std::string& path) {
        std::ifstream file(internal::hostPathOf(path), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }
    static void makeFolder(const std::string& path) {
        std::filesystem::create_directories(internal::hostPathOf(path));
    }

    TempMachine machine_;
};

TEST_F(SetupLogTest, LineRules) {
    struct Case {
        const char* name;
        std::vector<const char*> texts;
        Lines lines;
    };
    const Case cases[] = {
        {"join after a copy line",
         {"  Copy File: C:\\App\\a.exe", "\\\\x ... OK"},
         {"  Copy File: C:\\App\\a.exe ... OK"}},
        {"join and TAB in one line",
         {"Stage: Install", "\\\\x\\\\tdone\\\\t(2)"},
         {"Stage: Install\tdone\t(2)"}},
        {"join with no line yet", {"\\\\x ... OK"}, {" ... OK"}},
        {"empty text", {"a", "", "b"}, {"a", "", "b"}},
        {"only the start joins", {"a", "b \\\\x c"}, {"a", "b \\\\x c"}},
        {"several CR LF lines", {"head", "one\r\ntwo\r\n", "\r\n"}, {"head", "one", "two", ""}},
        {"join the first of several", {"Run: x", "\\\\x OK\r\nexit 0"}, {"Run: x OK", "exit 0"}},
        {"single backslashes stay", {"\\x \\t"}, {"\\x \\t"}},
    };
    makeFolder("C:\\App");
    SetTargetDir("C:\\App");
    for (const Case& c : cases) {
        const TScript s = load("SET_CREATE_SETUP_LOG");
        SetupLog log(s);
        for (const char* text : c.texts)
            log.Log(text);
        EXPECT_EQ(log.Lines(), c.lines) << c.name;
        std::string file;
        for (const std::string& line : c.lines)
            file += line + "\r\n";
        EXPECT_EQ(content("C:\\App\\Setup.log"), file) << c.name;
    }
}

TEST_F(SetupLogTest, RewrittenAfterEveryLine) {
    // An older log is replaced; lines before the folder exists reach the file later.
    makeFolder("C:\\Old");
    std::ofstream(internal::hostPathOf("C:\\Old\\Setup.log"), std::ios::binary) << "older run\r\n";
    const TScript s = load("SET_CREATE_SETUP_LOG");
    SetupLog log(s);
    log.Log("first, no folder chosen");
    SetTargetDir("C:\\Old\\");
    log.Log("second");
    EXPECT_EQ(content("C:\\Old\\Setup.log"), "first, no folder chosen\r\nsecond\r\n");
    SetTargetDir("C:\\Program Files\\New");
    log.Log("third, folder not made yet");
    makeFolder("C:\\Program Files\\New");
    log.Log("\\\\x OK");
    EXPECT_EQ(content("C:\\Program Files\\New\\Setup.log"),
              "first, no folder chosen\r\nsecond\r\nthird, folder not made yet OK\r\n");
}

TEST_F(SetupLogTest, NothingWithoutTheFlag) {
    makeFolder("C:\\App");
    SetTargetDir("C:\\App");
    const TScript s = load("SET_CREATE_UNINSTALL");
    SetupLog log(s);
    log.WriteLogHeader();
    log.Log("text");
    EXPECT_TRUE(log.Lines().empty());
    EXPECT_FALSE(std::filesystem::exists(internal::hostPathOf("C:\\App\\Setup.log")));
}

TEST_F(SetupLogTest, Header) {
    const TScript s = load("SET_CREATE_SETUP_LOG\nSET_PROG_NAME(Kestrovane)\n"
                           "SET_PROG_VERSION(2.1)\nSET_COMPOSER_BUILD(Composer 5.0.12)");
    SetupLog log(s);
    log.WriteLogHeader();
    const Lines& lines = log.Lines();
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0], "Setup Log of: Kestrovane");
    EXPECT_EQ(lines[1], "Version: 2.1");
    EXPECT_EQ(lines[2], "");
    // The default machine is US English.
    EXPECT_TRUE(std::regex_match(
        lines[3], std::regex(R"(Date: \d{1,2}/\d{1,2}/\d{4} \d{1,2}:\d\d:\d\d [AP]M)")))
        << lines[3];
    EXPECT_EQ(lines[4], "Operating System: WinXP  5.1  2600 (Service Pack 2)");
    EXPECT_EQ(lines[5], "Composer Version: Composer 5.0.12");
    EXPECT_EQ(lines[6], "");
    EXPECT_EQ(lines[7], "WinTempDir: " + GetTempDir(false));
    EXPECT_EQ(lines[8], "SourceDir:  " + GetExeDir(false));
    EXPECT_EQ(lines[9], "");
    EXPECT_NE(lines[7].back(), '\\');
    EXPECT_NE(lines[8].back(), '\\');
}

} // namespace
} // namespace kv::installer
