// The real setup, headless under UI scripts: the wizard's stages, page walk, buttons,
// placement and close question, read back from the UI transcript, Setup.log and the file
// that stage records wrote.

#include "tests/e2e/fixture.h"
#include "tests/e2e/log_lines.h"

#include "platform/fs/files.h"
#include "platform/system/testing/temp_machine.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace kv::e2e {
namespace {

using Lines = std::vector<std::string>;

// A "|"-delimited record with the given items set.
std::string record(std::initializer_list<std::pair<int, std::string>> items) {
    std::vector<std::string> cells;
    for (const auto& [i, text] : items) {
        if (cells.size() <= static_cast<std::size_t>(i))
            cells.resize(static_cast<std::size_t>(i) + 1);
        cells[static_cast<std::size_t>(i)] = text;
    }
    std::string out = "|";
    for (const std::string& cell : cells)
        out += cell + "|";
    return out;
}

// A stage record appending a line to C:\order.txt, or one that ends setup ("Exit").
std::string stageRecord(const char* name, const char* stage, const char* appended) {
    const char* title = appended ? "Append Text to a File" : "Exit";
    const std::string header = record({{1, name}, {2, stage}, {4, "1"}, {19, "1"}, {20, title}});
    const std::string arguments =
        appended ? record({{13, "C:\\order.txt"}, {14, std::string(appended) + "\\\\n"}}) : "|";
    return "SET_PERFORM_EXECUTE_OP(~" + header + "~" + arguments + "~)\n";
}

// Whether `wanted` occurs in `lines` in its order (other lines may come between).
bool inOrder(const Lines& lines, const Lines& wanted) {
    std::size_t next = 0;
    for (const std::string& line : lines)
        if (next < wanted.size() && line == wanted[next]) ++next;
    return next == wanted.size();
}

class WizardProgram : public ::testing::Test {
protected:
    // Setup.txt with a log in C:\App (which exists) and the given lines.
    void script(const std::string& lines) {
        ASSERT_TRUE(fs::createFolders("C:\\App"));
        f_.writeSetupText("SET_PROG_NAME(Demo)\nSET_CREATE_SETUP_LOG\nSET_TARGET_DIR(C:\\App)\n" +
                          lines);
    }
    // Runs setup under the UI script and returns its transcript and report.
    std::string runUi(const std::string& uiScript, const std::string& arguments = "") {
        const RunResult r = f_.runSetup({.uiScript = uiScript, .arguments = arguments});
        EXPECT_TRUE(r.started);
        EXPECT_EQ(r.exitCode, 0) << r.output << r.errors;
        return r.output;
    }
    Lines setupLog() { return readSetupLog("C:\\App").value_or(Lines{}); }
    std::string order() { return fs::readFile("C:\\order.txt").value_or(""); }
    // Lines of the log that announce a page.
    Lines screens() {
        Lines out;
        for (const std::string& line : setupLog())
            if (line.rfind("Show Screen: ", 0) == 0) out.push_back(line);
        return out;
    }

    InstallerFixture f_{machine::testing::windowsProfile("XP")};
};

TEST_F(WizardProgram, SetupStartExitEndsWithoutAWindow) {
    script("SET_DIALOGS(WelcomeDlg)\n" + stageRecord("first", "Setup Start", "a") +
           stageRecord("stop", "Setup Start", nullptr) +
           stageRecord("after", "Setup Start", "never") + stageRecord("end", "Setup End", "end"));
    const std::string out = runUi("# no user actions\n");
    EXPECT_EQ(out.find("show"), std::string::npos) << out;
    EXPECT_NE(out.find("all as expected"), std::string::npos) << out;
    EXPECT_EQ(order(), "a\r\n");
    const Lines log = setupLog();
    EXPECT_TRUE(inOrder(log, {"Execute Before Dialogs", "  first", "  stop"})) << out;
    EXPECT_TRUE(screens().empty());
    EXPECT_FALSE(inOrder(log, {"Execute After Dialogs"}));
}

TEST_F(WizardProgram, RecordsRunInScriptOrderAndAnUnknownPageFinishes) {
    script("SET_DIALOGS(WelcomeDlg,BogusDlg,CompleteDlg)\n" +
           stageRecord("one", "Setup Start", "a") + stageRecord("end", "Setup End", "d") +
           stageRecord("two", "Setup Start", "b"));
    const std::string out = runUi("idle\n  click SDialogForm.NextButton\nend\n");
    EXPECT_NE(out.find("all as expected"), std::string::npos) << out;
    EXPECT_EQ(order(), "a\r\nb\r\nd\r\n");
    EXPECT_TRUE(inOrder(setupLog(), {"Execute Before Dialogs", "  one", "  two",
                                     "Show Screen: Welcome", "Execute After Dialogs", "  end",
                                     "Entering: FormCloseQuery - GetStopCopy=FALSE",
                                     "Exiting: FormCloseQuery - GetStopCopy=FALSE"}))
        << out;
    EXPECT_EQ(screens(), Lines{"Show Screen: Welcome"});
}

TEST_F(WizardProgram, CancelResumeKeepsThePageAndExitEndsSetup) {
    script("SET_DIALOGS(WelcomeDlg,DestinationDlg,CompleteDlg)\n" +
           stageRecord("end", "Setup End", "d"));
    const std::string out = runUi("idle\n"
                                  "  click SDialogForm.NextButton\n"
                                  "  click SDialogForm.CancelButton\n"
                                  "end\n"
                                  "modal ExitSetupForm\n  click ResumeButton\nend\n"
                                  "idle\n"
                                  "  expect SDialogForm caption \"Choose Destination Location\"\n"
                                  "  click SDialogForm.CancelButton\n"
                                  "end\n"
                                  "modal ExitSetupForm\n  click ExitSetupButton\nend\n");
    EXPECT_NE(out.find("all as expected"), std::string::npos) << out;
    // Still on the destination page after Resume; Exit ends setup without stage 4.
    const Lines log = setupLog();
    EXPECT_TRUE(inOrder(log, {"Show Screen: Choose Destination Location",
                              "Entering: FormCloseQuery - GetStopCopy=FALSE",
                              "Exiting: FormCloseQuery - GetStopCopy=FALSE",
                              "Entering: FormCloseQuery - GetStopCopy=FALSE",
                              "Exiting: FormCloseQuery - GetStopCopy=FALSE"}))
        << out;
    EXPECT_EQ(screens(),
              (Lines{"Show Screen: Welcome", "Show Screen: Choose Destination Location"}));
    EXPECT_FALSE(inOrder(log, {"Execute After Dialogs"}));
    EXPECT_EQ(order(), "");
}

// One step of a walk in a UI script: the action, then the page's caption and whether Back
// and Next are enabled.
std::string step(const std::string& action, const char* caption, bool back, bool next) {
    auto on = [](bool b) { return b ? "\"true\"" : "\"false\""; };
    return (action.empty() ? "" : "  " + action + "\n") + "  expect SDialogForm caption \"" +
           caption + "\"\n  expect SDialogForm.BackButton enabled " + on(back) +
           "\n  expect SDialogForm.NextButton enabled " + on(next) + "\n";
}

TEST_F(WizardProgram, BackAndNextOnEachPageKind) {
    script("SET_DIALOGS(LicenseDlg,ReadmeDlg,SetupTypeDlg,CustomDlg,ConfirmSetupDlg,"
           "CopyFilesDlg,CompleteDlg)\n");
    const std::string next = "click SDialogForm.NextButton", back = "click SDialogForm.BackButton";
    const std::string out = runUi(
        "idle\n" + step("", "License Agreement", false, false) +
        step("tick SDialogForm.LicenseAcceptRadio on", "License Agreement", false, true) +
        step("tick SDialogForm.LicenseDeclineRadio on", "License Agreement", false, false) +
        step("tick SDialogForm.LicenseAcceptRadio on", "License Agreement", false, true) +
        step(next, "Readme", true, true) + step(back, "License Agreement", false, true) +
        step(next, "Readme", true, true) + step(next, "Setup Type", true, true) +
        // Typical: the components are skipped both ways.
        step(next, "Confirm Setup Settings", true, true) + step(back, "Setup Type", true, true) +
        step("tick SDialogForm.CustomRadio on", "Setup Type", true, true) +
        step(next, "Select Components", true, true) +
        step(next, "Confirm Setup Settings", true, true) +
        // The copy page runs its sequence, then shows the last page.
        step(next, "Copying Files", false, false) + "  wait 50\nend\nidle\n" +
        step("", "Setup Complete", false, true) + "  " + next + "\nend\n");
    EXPECT_NE(out.find("all as expected"), std::string::npos) << out;
    EXPECT_EQ(screens(), (Lines{"Show Screen: License Agreement", "Show Screen: Readme",
                                "Show Screen: License Agreement", "Show Screen: Readme",
                                "Show Screen: Setup Type", "Show Screen: Confirm Setup Settings",
                                "Show Screen: Setup Type", "Show Screen: Select Components",
                                "Show Screen: Confirm Setup Settings", "Show Screen: Copying Files",
                                "Show Screen: Setup Complete"}));
    EXPECT_TRUE(inOrder(setupLog(), {"Show Screen: Setup Complete", "Execute After Dialogs"}));
}

TEST_F(WizardProgram, PlacedByNameWithOffsetsOrHiddenInABackgroundUpdate) {
    script("SET_DIALOG_LOCATION(|Top/Left|10|20|)\nSET_DIALOGS(WelcomeDlg)\n");
    std::string out = runUi("idle\n  expect SDialogForm left \"10\"\n"
                            "  expect SDialogForm top \"20\"\n  close SDialogForm\nend\n"
                            "modal ExitSetupForm\n  click ExitSetupButton\nend\n");
    EXPECT_NE(out.find("all as expected"), std::string::npos) << out;
    // A background update: out of sight, straight to copying (the update is silent).
    ASSERT_TRUE(fs::createFolders("C:\\Upd"));
    ASSERT_TRUE(fs::writeFile("C:\\Upd\\App.info", "[NewSetup]\r\nBackgroundUpdate=1\r\n"));
    script("SET_DIALOG_LOCATION(|Top/Left|10|20|)\nSET_DIALOGS(WelcomeDlg,CopyFilesDlg)\n");
    out = runUi("idle\n  expect SDialogForm left \"-499\"\n"
                "  expect SDialogForm top \"-355\"\nend\n",
                "/OriginalInfoFile=C:\\Upd\\App.dat");
    EXPECT_NE(out.find("all as expected"), std::string::npos) << out;
    // Only the install sequence's own line: no page was walked.
    EXPECT_EQ(screens(), Lines{"Show Screen: Copying Files"});
}

TEST_F(WizardProgram, SilentSetupRunsTheCopyPageAndEnds) {
    script("SET_SILENT_SETUP\nSET_DIALOGS(WelcomeDlg,CopyFilesDlg,CompleteDlg)\n" +
           stageRecord("end", "Setup End", "d"));
    const std::string out = runUi("# no user actions\n");
    EXPECT_NE(out.find("all as expected"), std::string::npos) << out;
    EXPECT_EQ(screens(), Lines{"Show Screen: Copying Files"});
    // Silent: no Complete page, so no "Setup End" either.
    EXPECT_EQ(order(), "");
}

} // namespace
} // namespace kv::e2e
