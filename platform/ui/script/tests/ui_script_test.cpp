#include "platform/ui/application.h"
#include "platform/ui/bars.h"
#include "platform/ui/buttons.h"
#include "platform/ui/end_program.h"
#include "platform/ui/lists.h"
#include "platform/ui/rich_text.h"
#include "platform/ui/script/internal/script.h"
#include "platform/ui/script/tests/demo_program.h"
#include "platform/ui/script/ui_script.h"
#include "platform/ui/tab_strip.h"
#include "platform/ui/text_controls.h"
#include "platform/ui/timer.h"
#include "platform/ui/tree_view.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace kv::ui::script {
namespace {

constexpr const char* kScripts = KV_SCRIPT_DIR;

struct DemoRun {
    int code = 0;
    std::string report;
    std::string transcript;
    demo::Outcome outcome;
};

DemoRun runDemo(const std::string& scriptText) {
    DemoRun r;
    std::string error;
    EXPECT_TRUE(loadText(scriptText, &error)) << error;
    r.code = runProgram([&] { return demo::run(r.outcome); });
    r.report = report();
    r.transcript = transcript();
    std::FILE* sink = std::tmpfile();
    r.code = finish(r.code, sink);
    std::fclose(sink);
    resetForTests();
    return r;
}

std::string file(const std::string& name) {
    std::FILE* f = std::fopen((std::string(kScripts) + "/" + name).c_str(), "rb");
    EXPECT_NE(f, nullptr) << name;
    std::string text;
    if (!f) return text;
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;)
        text.append(buf, n);
    std::fclose(f);
    return text;
}

TEST(UiScript, DrivesTheDemoThroughDialogListMenuAndBoxes) {
    DemoRun r = runDemo(file("demo_ok.uiscript"));
    EXPECT_EQ(r.report, "");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.outcome.user, "alice");
    EXPECT_TRUE(r.outcome.remember);
    EXPECT_EQ(r.outcome.remaining, (std::vector<std::string>{"1003"}));
    EXPECT_NE(r.transcript.find("show modal frmLogin \"Login\""), std::string::npos);
    EXPECT_NE(r.transcript.find("box caption \"Kestrovane\", text \"Cancel 2 checked snipes?\""),
              std::string::npos);
    EXPECT_NE(r.transcript.find("-> Yes"), std::string::npos);
}

// Box texts are bytes: a NUL byte in one cuts neither the transcript nor the report.
TEST(UiScript, PrintedTranscriptKeepsWhatFollowsANulByte) {
    ASSERT_TRUE(loadText("box caption \"A\" answer OK\n"));
    const std::string text("before\0after", 12);
    const int code = runProgram([&] {
        app().messageBox(text, 0, "A");
        app().messageBox(text, 0, "B"); // not expected: reported
        return 0;
    });
    std::FILE* sink = std::tmpfile();
    ASSERT_NE(sink, nullptr);
    EXPECT_EQ(finish(code, sink), 1);
    resetForTests();
    std::rewind(sink);
    std::string out;
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, sink)) > 0;)
        out.append(buf, n);
    std::fclose(sink);
    const std::string shown = "text \"" + text + "\"";
    const std::size_t first = out.find(shown);
    ASSERT_NE(first, std::string::npos) << out;
    const std::size_t second = out.find(shown, first + 1);
    ASSERT_NE(second, std::string::npos) << out;
    EXPECT_NE(out.find("--- ui script FAILED ---", first), std::string::npos) << out;
    EXPECT_NE(out.find("unexpected message box #2", first), std::string::npos) << out;
}

TEST(UiScript, MismatchesFailTheRunWithAReport) {
    DemoRun unexpected = runDemo(file("demo_unexpected_box.uiscript"));
    EXPECT_EQ(unexpected.code, 1);
    EXPECT_NE(unexpected.report.find("unexpected message box #1: caption \"Login\""),
              std::string::npos)
        << unexpected.report;

    // A wrong expected text, a missing control, an unknown row, a modal show that never
    // came and an unused pop-up turn are all reported.
    DemoRun wrong = runDemo(R"(
modal frmLogin
  set txtUserName "bob"
  set txtNoSuch "x"
  click cmdOK
end
modal frmLogin
  click cmdOK
end
idle
  check frmMain.lvListView "1001" on
  check frmMain.lvListView "9999" on
  menu frmMain.mnuDeleteAuction
  close frmMain
end
popup frmMain.mnuProperties dismiss
box text "Cancel 5 checked snipes?" answer Yes
)");
    EXPECT_EQ(wrong.code, 1);
    EXPECT_EQ(wrong.outcome.remaining.size(), 2u); // the mismatched box got its default, Yes
    for (const char* part : {"line 4: set txtNoSuch: no control txtNoSuch on frmLogin",
                             "line 12: check frmMain.lvListView: no row 9999",
                             "is not the one expected", "line 7: modal show of frmLogin never came",
                             "line 16: pop-up menu mnuProperties never shown"})
        EXPECT_NE(wrong.report.find(part), std::string::npos) << part << "\n" << wrong.report;
}

TEST(UiScript, WaitLetsTimersRunAndTreesAndTabsAreDriven) {
    struct Clock : Form {
        Clock() : Form("frmClock") {
            Timer1.setInterval(1000);
            Timer1.onTimer = [this] { ++ticks; };
            int root = tv.addNode("All", "k0");
            tv.addNode("Active", "k1", root);
            tv.onNodeClick = [this](int n) { nodes.push_back(tv.node(n).key); };
            ts1.addTab({.tag = "ebay"});
            ts1.addTab({.tag = "snipes"});
            ts1.onMouseUp = [this](const MouseEvent&) { tabs.push_back(ts1.selectedIndex()); };
        }
        Timer& Timer1 = add<Timer>("Timer1");
        TreeView& tv = add<TreeView>("tvTreeView");
        TabStrip& ts1 = add<TabStrip>("ts1");
        int ticks = 0;
        std::vector<std::string> nodes;
        std::vector<int> tabs;
    };
    ASSERT_TRUE(loadText("idle\n wait 2500\n node frmClock.tvTreeView k1\n"
                         " dblnode frmClock.tvTreeView #0\n node frmClock.tvTreeView k1\n"
                         " tab frmClock.ts1 2\n close frmClock\nend\n"));
    Clock* clock = nullptr;
    int code = runProgram([&] {
        clock = &app().form<Clock>();
        app().setMainForm(clock);
        clock->show();
        app().run();
        return 0;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(clock->ticks, 2);
    // k1 is hidden under a collapsed root until the double click expands it.
    EXPECT_EQ(clock->nodes, (std::vector<std::string>{"k0", "k1"}));
    EXPECT_EQ(clock->tabs, (std::vector<int>{2}));
    EXPECT_NE(report().find("line 3: node frmClock.tvTreeView: the user could not do it"),
              std::string::npos)
        << report();
    resetForTests();
}

TEST(UiScript, ParseErrorsNameTheLine) {
    struct Case {
        const char* text;
        const char* error;
    } cases[] = {
        {"click frmMain.cmdOK", "line 1: \"click\" outside a modal or idle block"},
        {"idle\n  check frmMain.lv 1\nend", "line 2: check: wrong number of arguments"},
        {"modal frmLogin\n  click cmdOK", "line 1: block not closed with \"end\""},
        {"box answer Maybe", "line 1: box: unknown answer: Maybe"},
        {"box answer No after soon", "line 1: box: after is not a number of ms: soon"},
        {"box after -5", "line 1: box: after is not a number of ms: -5"},
        {"idle\n set a \"open\nend", "line 2: unterminated quoted text"},
        {"frobnicate", "line 1: unknown word: frobnicate"},
        {"popup mnuProperties pick x", "line 1: popup: address the menu as form.menu"},
        {"modal frmLogin sometimes\nend",
         "line 1: modal: give one form name, then optionally \"optional\""},
        {"box other answer Maybe", "line 1: box other: unknown answer: Maybe"},
        {"box other Yes", "line 1: box other: \"box other answer <answer>\""},
        {"box other answer Yes\nbox other answer No", "line 2: box other: given twice"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(internal::parse(c.text, error)) << c.text;
        EXPECT_EQ(error, c.error);
    }
    std::string error;
    auto s = internal::parse("# comment\nbox caption \"A\\nB\" style 0x24 answer no after 3000\n",
                             error);
    ASSERT_TRUE(s) << error;
    EXPECT_EQ(s->boxes[0].expected.caption, "A\nB");
    EXPECT_EQ(s->boxes[0].expected.style, 0x24u);
    EXPECT_EQ(s->boxes[0].expected.answer, id::No);
    EXPECT_EQ(s->boxes[0].expected.after, 3000u);
}

TEST(UiScript, OptionalBlocksAndTheAnswerForUnlistedBoxes) {
    DemoRun r = runDemo(R"(modal frmWizard optional
end
modal frmLogin optional
  set txtUserName "alice"
  click cmdOK
end
idle
  check frmMain.lvListView "1002" on
  menu frmMain.mnuDeleteAuction
  close frmMain
end
box other answer No
)");
    EXPECT_EQ(r.report, "");
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.outcome.user, "alice"); // the optional block that came was used
    EXPECT_EQ(r.outcome.remaining.size(), 3u);
    for (const char* line : {"text \"Cancel 1 checked snipes?\", style MB_YESNO|MB_ICONQUESTION -> "
                             "No (not listed)\n",
                             "] optional modal block of frmWizard at line 1 not used\n"})
        EXPECT_NE(r.transcript.find(line), std::string::npos) << line << "\n" << r.transcript;

    // Listed boxes are still matched in order around the unlisted ones; a box without the
    // answer's button gets its default one.
    ASSERT_TRUE(loadText("box other answer No\nbox caption \"B\" answer Yes\nbox caption \"D\"\n"));
    std::vector<int> answers;
    runProgram([&] {
        for (const auto& [caption, style] :
             {std::pair{"A", mb::YesNo}, {"B", mb::YesNo}, {"C", mb::OkOnly}, {"B", mb::YesNo}})
            answers.push_back(app().messageBox("?", style, caption));
        return 0;
    });
    EXPECT_EQ(answers, (std::vector<int>{id::No, id::Yes, id::Ok, id::No}));
    EXPECT_EQ(report(), "expected message box never shown: caption \"D\", text \"*\"\n");
    resetForTests();
}

// A script for a whole installer run: an optional block never used, a box not listed and a
// dump, each in the transcript.
TEST(UiScript, DumpWritesTheFormsControlsIntoTheTranscript) {
    struct Licence : Form {
        Licence() : Form("frmLicence") {
            setCaption("Licence");
            lblTitle.setCaption("Read this");
            rtbText.setText("Terms: none");
            rtbText.setBold(0, 6);
            chkAgree.setCaption("I agree");
            chkAgree.setChecked(true);
            chkAgree.setEnabled(false);
            cboLanguage.addItem("English");
            cboLanguage.setListIndex(0);
            cboLanguage.setVisible(false);
        }
        Label& lblTitle = add<Label>("lblTitle");
        RichTextBox& rtbText = add<RichTextBox>("rtbText");
        CheckBox& chkAgree = add<CheckBox>("chkAgree", 0);
        ComboBox& cboLanguage = add<ComboBox>("cboLanguage");
    };
    ASSERT_TRUE(loadText("idle\n dump frmLicence\n dump frmNone\n close frmLicence\nend\n"
                         "modal frmNever optional\nend\nbox other answer OK\n"));
    runProgram([&] {
        app().messageBox("Welcome", 0, "Setup");
        Form& f = app().form<Licence>();
        app().setMainForm(&f);
        f.show();
        app().run();
        return 0;
    });
    EXPECT_EQ(report(), "line 3: dump frmNone: no form frmNone is loaded\n");
    const std::string t = transcript();
    resetForTests();
    for (const std::string line :
         {"] dump frmLicence: caption \"Licence\", visible \"true\", enabled \"true\", font "
          "\"MS Sans Serif 8\"\n",
          "] dump frmLicence.lblTitle Label: caption \"Read this\", visible \"true\", "
          "enabled \"true\", font \"MS Sans Serif 8\"\n",
          "] dump frmLicence.rtbText RichTextBox: caption \"\", text \"Terms: none\", visible "
          "\"true\", enabled \"true\", ",
          "\", boldRuns \"0+6\"\n",
          "] dump frmLicence.chkAgree(0) CheckBox: caption \"I agree\", value \"1\", visible "
          "\"true\", enabled \"false\", ",
          "] dump frmLicence.cboLanguage ComboBox: caption \"\", text \"English\", listIndex "
          "\"0\", visible \"false\", enabled \"true\", ",
          "] box caption \"Setup\", text \"Welcome\", style MB_OK -> OK (not listed)\n",
          "] optional modal block of frmNever at line 6 not used\n"})
        EXPECT_NE(t.find(line), std::string::npos) << line << "\n" << t;
}

} // namespace
} // namespace kv::ui::script
