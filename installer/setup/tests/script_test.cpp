// The script's line syntax, comments, unquoting, pages and source uses.

#include "installer/setup/script.h"

#include "platform/system/testing/temp_machine.h"
#include "platform/ui/headless/headless.h"

#include <gtest/gtest.h>

#include <fstream>

namespace kv::installer {
namespace {

using ui::headless::ExpectedBox;
using ui::headless::plainText;

struct LineCase {
    const char* script;
    ScriptText field;
    const char* value;
};

TEST(ScriptLines, CommandAndArgumentRules) {
    const LineCase cases[] = {
        {"SET_PROG_NAME(My Program); trailing words", ScriptText::ProgName, "My Program"},
        {"SET_PROG_NAME(a;b);", ScriptText::ProgName, "a;b"},
        {"set_prog_name(Mixed Case)", ScriptText::ProgName, "Mixed Case"},
        {"  SET_PROG_NAME ( padded )  ", ScriptText::ProgName, " padded "},
        {"SET_PROG_NAME(\"say \"\"hi\"\"\")", ScriptText::ProgName, "say \"hi\""},
        {"SET_PROG_NAME(\"half)", ScriptText::ProgName, "\"half"},
        {"SET_PROG_NAME(\"\")", ScriptText::ProgName, ""},
        {"SET_PROG_NAME(f(x))", ScriptText::ProgName, "f(x)"},
        {"SET_PROG_NAME(open", ScriptText::ProgName, ""},
        {"SET_COMPANY_URL(http://example.com/a) // comment", ScriptText::CompanyUrl,
         "http://example.com/a"},
        {"SET_COMPANY_URL(a) // b://c", ScriptText::CompanyUrl, "a"},
        {"SET_PROG_NAME(one)\nSET_PROG_NAME(two)", ScriptText::ProgName, "two"},
        {"SET_PROG_NAME(/*gone*/kept)", ScriptText::ProgName, "kept"},
        {"SET_PROG_NAME(x/*a\nSET_PROG_NAME(b)\nc*/y)", ScriptText::ProgName, "xy"},
        {"SET_PROG_NAME(a*/b)\nSET_PROG_NAME(/*x*/)", ScriptText::ProgName, "/*x*/"},
        {"SET_PROG_NAME(/*open)", ScriptText::ProgName, "/*open"},
        {"SET_PROG_NAME(a)\r\nSET_PROG_VERSION(b)\r\n", ScriptText::ProgVersion, "b"},
    };
    for (const LineCase& c : cases) {
        auto& ui = ui::headless::install();
        TScript s;
        s.LoadFromText(c.script);
        EXPECT_EQ(s.Text(c.field), c.value) << c.script;
        EXPECT_EQ(ui.finish(), "") << c.script;
    }
}

// Block comments come off one removal at a time: the first "/*" to the first "*/", until
// either is missing or the "*/" comes first; a removal may join a new "/*" or "*/". The
// one-pass reader must give the same text for every short text of '/', '*' and 'a'.
TEST(ScriptLines, BlockCommentsMatchOneRemovalAtATime) {
    auto stepwise = [](std::string text) {
        for (;;) {
            const std::size_t open = text.find("/*"), close = text.find("*/");
            if (open == std::string::npos || close == std::string::npos || close < open)
                return text;
            text.erase(open, close + 2 - open);
        }
    };
    const char alphabet[] = {'/', '*', 'a'};
    for (int length = 0; length <= 9; ++length) {
        int total = 1;
        for (int i = 0; i < length; ++i)
            total *= 3;
        for (int code = 0; code < total; ++code) {
            std::string text;
            for (int i = 0, c = code; i < length; ++i, c /= 3)
                text += alphabet[c % 3];
            std::string stripped = text;
            TScript::StripBlockComments(stripped);
            ASSERT_EQ(stripped, stepwise(text)) << text;
        }
    }
    std::string many;
    for (int i = 0; i < 1000; ++i)
        many += "a/*x*/";
    TScript::StripBlockComments(many);
    EXPECT_EQ(many, std::string(1000, 'a'));
}

TEST(ScriptLines, EveryKindOfLineBreakEndsALine) {
    auto& ui = ui::headless::install();
    TScript s;
    s.LoadFromText("SET_PROG_NAME(a)\rSET_PROG_NAME(b)\r\n\r\n\t SET_PROG_NAME(c) \n\n\r"
                   "SET_PROG_VERSION(d)\n\r\n");
    EXPECT_EQ(s.Lines(), (std::vector<std::string>{"SET_PROG_NAME(a)", "SET_PROG_NAME(b)",
                                                   "SET_PROG_NAME(c)", "SET_PROG_VERSION(d)"}));
    EXPECT_EQ(s.Text(ScriptText::ProgName), "c");
    EXPECT_EQ(ui.finish(), "");
}

TEST(ScriptLines, CommandWithoutParenthesesAndEmptyLines) {
    auto& ui = ui::headless::install();
    TScript s;
    s.LoadFromText("\n   \n\tSET_CREATE_UNINSTALL\n; only a comment\n// and another\n");
    EXPECT_TRUE(s.Flag(ScriptFlag::CreateUninstall));
    EXPECT_EQ(s.Lines().size(), 2u); // the ";" line is skipped only when executed
    EXPECT_EQ(ui.finish(), "");
}

TEST(ScriptLines, UnknownLinesReportedAndLoadingGoesOn) {
    auto& ui = ui::headless::install();
    for (const char* line : {"SET_NOTHING(x)", "(SET_PROG_NAME(x))", "SET_PROG_NAMEX"})
        ui.expectBox(
            ExpectedBox{.caption = "Error",
                        .plainText = std::string(line) + "\nUnrecognized command in Script file"});
    TScript s;
    s.LoadFromText("SET_NOTHING(x); cut\n(SET_PROG_NAME(x))\nSET_PROG_NAMEX\nSET_PROG_NAME(ok)");
    EXPECT_EQ(s.Text(ScriptText::ProgName), "ok");
    EXPECT_EQ(ui.finish(), "");
}

TEST(ScriptLines, CopyToUninstallPassesLaterLinesVerbatim) {
    auto& ui = ui::headless::install();
    TScript s;
    s.LoadFromText(
        "SET_REMOVE_REG_KEY(HKCU\\Soft)\nSET_COPY_TO_UNINSTALL\n  SET_PROG_NAME(x); y  \n"
        "WHATEVER(1)");
    EXPECT_TRUE(s.CopyToUninstall());
    EXPECT_EQ(s.Text(ScriptText::ProgName), "");
    EXPECT_EQ(s.List(ScriptList::Removal),
              (std::vector<std::string>{"REMOVE_REG_KEY(HKCU\\Soft)", "SET_PROG_NAME(x); y",
                                        "WHATEVER(1)"}));
    EXPECT_EQ(ui.finish(), "");
}

TEST(ScriptLines, UnquoteArgument) {
    const std::pair<const char*, const char*> cases[] = {
        {"\"a\"", "a"},     {"\"a\"\"b\"", "a\"b"}, {"\"", "\""},         {"a\"", "a\""},
        {"\"a", "\"a"},     {"\"\"", ""},           {"\"\"\"\"", "\""},   {"plain", "plain"},
        {"\"x\"y\"", "xy"}, {"\"a\"\"\"", "a\""},   {"\"\"\"a\"", "\"a"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(UnquoteArgument(in), out) << in;
}

TEST(ScriptPages, IndexNamesAndListing) {
    auto& ui = ui::headless::install();
    TScript s;
    s.LoadFromText("SET_DIALOGS(First)\nSET_DIALOGS(WelcomeDlg, LicenseDlg ,CustomDlg)");
    EXPECT_EQ(s.Pages(), ",WelcomeDlg, LicenseDlg ,CustomDlg,");
    EXPECT_EQ(s.PageIndex(), 0);
    EXPECT_EQ(s.CurrentPage(), "WelcomeDlg");
    EXPECT_EQ(s.PageIndexOf("licensedlg"), 1);
    EXPECT_EQ(s.PageIndexOf("First"), -1);
    s.SetPage("CUSTOMDLG");
    EXPECT_EQ(s.PageIndex(), 2);
    s.NextPage();
    EXPECT_EQ(s.CurrentPage(), "");
    s.PrevPage();
    s.PrevPage();
    EXPECT_EQ(s.CurrentPage(), "LicenseDlg");
    s.SetPage("Missing");
    EXPECT_EQ(s.PageIndex(), -1);
    EXPECT_EQ(s.CurrentPage(), "");
    EXPECT_TRUE(s.IsPageListed("Custom"));
    EXPECT_FALSE(s.IsPageListed("ReadmeDlg"));
    TScript none;
    EXPECT_EQ(none.CurrentPage(), "");
    EXPECT_FALSE(none.IsPageListed("WelcomeDlg"));
    EXPECT_EQ(ui.finish(), "");
}

TEST(ScriptFile, LoadFromMachinePath) {
    machine::testing::TempMachine tm;
    ui::headless::install();
    const auto host = tm.hostFolder('C') / "Setup.txt";
    std::ofstream(host) << "SET_PROG_NAME(From File)\r\nSET_DIALOGS(WelcomeDlg)\r\n";
    TScript s;
    EXPECT_TRUE(s.LoadFromFile("C:\\Setup.txt"));
    EXPECT_EQ(s.Text(ScriptText::ProgName), "From File");
    s.SetPageIndex(3);
    EXPECT_FALSE(s.LoadFromFile("C:\\Missing.txt"));
    EXPECT_EQ(s.Text(ScriptText::ProgName), "");
    EXPECT_EQ(s.PageIndex(), 0);
}

} // namespace
} // namespace kv::installer
