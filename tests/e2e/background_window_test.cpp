// The real setup with its full-screen background window, headless under UI scripts: the
// window over the work area with the wizard above it, its end with the wizard's, a
// "Setup Start" exit, and the copy bar with the billboard while files are copied.

#include "tests/e2e/fixture.h"
#include "tests/e2e/log_lines.h"

#include "platform/fs/file.h"
#include "platform/fs/files.h"
#include "platform/registry/registry.h"
#include "platform/system/testing/temp_machine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kv::e2e {
namespace {

using Lines = std::vector<std::string>;

constexpr const char* kDynData = "Software\\Welmox_Dyn_Data";

bool dynDataExists() {
    registry::Key key;
    return registry::openKey(registry::rootKey(registry::Root::CurrentUser), kDynData, key) ==
           registry::Status::Success;
}

// The lines of the transcript that show, hide or unload a window, in order.
Lines windowLines(const std::string& transcript) {
    Lines out;
    std::size_t from = 0;
    while (from < transcript.size()) {
        std::size_t end = transcript.find('\n', from);
        if (end == std::string::npos) end = transcript.size();
        const std::string line = transcript.substr(from, end - from);
        for (const char* word : {"] show ", "] hide ", "] unload "})
            if (line.find(word) != std::string::npos) {
                out.push_back(line.substr(line.find(']') + 2));
                break;
            }
        from = end + 1;
    }
    return out;
}

// Whether each wanted line starts one of `lines`, in order.
bool inOrder(const Lines& lines, const Lines& wanted) {
    std::size_t next = 0;
    for (const std::string& line : lines)
        if (next < wanted.size() && line.rfind(wanted[next], 0) == 0) ++next;
    return next == wanted.size();
}

class BackgroundProgram : public ::testing::Test {
protected:
    explicit BackgroundProgram(machine::Profile profile = machine::testing::windowsProfile("XP"))
        : f_(profile) {}
    void script(const std::string& lines) {
        ASSERT_TRUE(fs::createFolders("C:\\App"));
        f_.writeSetupText("SET_PROG_NAME(Demo)\nSET_CREATE_SETUP_LOG\nSET_TARGET_DIR(C:\\App)\n"
                          "SET_SETUP_BACKGROUND\nSET_TOP_LABEL_TEXT(Demo Setup)\n" +
                          lines);
    }
    std::string runUi(const std::string& uiScript) {
        const RunResult r = f_.runSetup({.uiScript = uiScript});
        EXPECT_TRUE(r.started);
        EXPECT_EQ(r.exitCode, 0) << r.output << r.errors;
        EXPECT_NE(r.output.find("all as expected"), std::string::npos) << r.output;
        return r.output;
    }

    InstallerFixture f_;
};

TEST_F(BackgroundProgram, CoversTheWorkAreaBelowTheWizardAndEndsWithIt) {
    script("SET_DIALOGS(WelcomeDlg)\nSET_DIALOG_LOCATION(|Top/Left|0|0|)\n");
    registry::Key key;
    ASSERT_EQ(registry::createKey(registry::rootKey(registry::Root::CurrentUser), kDynData, key),
              registry::Status::Success);
    ASSERT_EQ(registry::setValue(key, "OriginDir", registry::stringValue("C:\\From")),
              registry::Status::Success);
    const std::string out = runUi("idle\n"
                                  "  wait 600\n"
                                  "  expect SMainForm caption \"Welmox - Demo\"\n"
                                  "  expect SMainForm left \"0\"\n"
                                  "  expect SMainForm top \"0\"\n"
                                  "  expect SMainForm width \"1024\"\n"
                                  "  expect SMainForm height \"738\"\n"
                                  "  expect SDialogForm visible \"true\"\n"
                                  "  expect SDialogForm caption \"Welcome\"\n"
                                  "  click SDialogForm.NextButton\n"
                                  "end\n");
    // The background first, the wizard half a second later; the wizard's closing closes the
    // background.
    EXPECT_TRUE(
        inOrder(windowLines(out), {"show SMainForm \"\" at 0,0 size 1024x738", "show SDialogForm",
                                   "unload SMainForm", "unload SDialogForm"}))
        << out;
    registry::resetForTests();
    EXPECT_FALSE(dynDataExists());
}

TEST_F(BackgroundProgram, SetupStartExitClosesTheBackgroundWithoutTheWizard) {
    // A "Setup Start" record whose operation is "Exit".
    std::string header = "|";
    for (int i = 0; i <= 20; ++i)
        header += std::string(i == 1              ? "stop"
                              : i == 2            ? "Setup Start"
                              : i == 4 || i == 19 ? "1"
                              : i == 20           ? "Exit"
                                                  : "") +
                  "|";
    const std::string exitRecord = "SET_PERFORM_EXECUTE_OP(~" + header + "~|~)\n";
    script("SET_DIALOGS(WelcomeDlg)\n" + exitRecord);
    const std::string out = runUi("# no user actions\n");
    const Lines windows = windowLines(out);
    EXPECT_TRUE(inOrder(windows, {"show SMainForm", "unload SMainForm"})) << out;
    EXPECT_FALSE(inOrder(windows, {"show SDialogForm"})) << out;
}

TEST_F(BackgroundProgram, CopyBarAndBillboardWhileCopying) {
    script("SET_DIALOGS(CopyFilesDlg,CompleteDlg)\n"
           "SET_ADD_BILLBOARD\n"
           "SET_BILLBOARD_DATA(|0|0|0|1|0|Top/Right|0|0|0|16711680||||||300|200|8|1|)\n"
           "SET_BILLBOARD_FILE(page.txt)\n"
           "SET_GROUP_DATA(Program|1|1|1|2|Program files|1)\n"
           "SET_SUB_DIR(<Application Folder>)\n"
           "SET_COPY_FILES(a.dat|b.dat)\n");
    f_.addPayload({.name = "page.txt", .bytes = "Thank you for choosing Demo\r\n"});
    f_.addPayload({.name = "a.dat", .bytes = "a"});
    f_.addPayload({.name = "b.dat", .bytes = "b"});
    const std::string out = runUi("idle\n"
                                  "  wait 1500\n"
                                  "  expect SDialogForm caption \"Setup Complete\"\n"
                                  "  expect CopyBarForm visible \"false\"\n"
                                  "  expect CopyBarForm.CopyProgress value \"2\"\n"
                                  "  expect BillboardForm loaded \"false\"\n"
                                  "  click SDialogForm.NextButton\n"
                                  "end\n");
    // The wizard gives way to the bar and its billboard while the files are copied.
    EXPECT_TRUE(
        inOrder(windowLines(out), {"show SMainForm", "show SDialogForm", "hide SDialogForm",
                                   "show CopyBarForm", "show BillboardForm", "unload BillboardForm",
                                   "hide CopyBarForm", "show SDialogForm"}))
        << out;
    EXPECT_TRUE(fs::exists("C:\\App\\a.dat") && fs::exists("C:\\App\\b.dat"));
}

// A file that cannot be copied even beside its target: the bar and its billboard give way
// to the wizard again, left on its copy page with Back and Next disabled until Cancel.
TEST_F(BackgroundProgram, AFailedCopyBringsTheWizardBackOnItsCopyPage) {
    script("SET_DIALOGS(CopyFilesDlg,CompleteDlg)\n"
           "SET_ADD_BILLBOARD\n"
           "SET_BILLBOARD_DATA(|0|0|0|1|0|Top/Right|0|0|0|16711680||||||300|200|8|1|)\n"
           "SET_BILLBOARD_FILE(page.txt)\n"
           "SET_GROUP_DATA(Program|1|1|1|2|Program files|1)\n"
           "SET_SUB_DIR(<Application Folder>)\n"
           "SET_COPY_FILES(a.dat|b.dat)\n");
    f_.addPayload({.name = "page.txt", .bytes = "Thank you for choosing Demo\r\n"});
    f_.addPayload({.name = "a.dat", .bytes = "a"});
    f_.addPayload({.name = "b.dat", .bytes = "b"});
    ASSERT_TRUE(fs::writeFile("C:\\App\\a.dat", "old"));
    ASSERT_TRUE(fs::writeFile("C:\\App\\Xa.dat", "old"));
    fs::File target = fs::File::open("C:\\App\\a.dat", fs::Access::Read, fs::Share::Exclusive);
    fs::File side = fs::File::open("C:\\App\\Xa.dat", fs::Access::Read, fs::Share::Exclusive);
    ASSERT_TRUE(target.isOpen() && side.isOpen());
    const std::string out = runUi("idle\n"
                                  "  wait 1500\n"
                                  "  expect SDialogForm visible \"true\"\n"
                                  "  expect SDialogForm caption \"Copying Files\"\n"
                                  "  expect SDialogForm.BackButton enabled \"false\"\n"
                                  "  expect SDialogForm.NextButton enabled \"false\"\n"
                                  "  expect CopyBarForm visible \"false\"\n"
                                  "  expect BillboardForm loaded \"false\"\n"
                                  "  click SDialogForm.CancelButton\n"
                                  "end\n"
                                  "modal ExitSetupForm\n  click ExitSetupButton\nend\n");
    EXPECT_TRUE(
        inOrder(windowLines(out), {"hide SDialogForm", "show CopyBarForm", "show BillboardForm",
                                   "unload BillboardForm", "hide CopyBarForm", "show SDialogForm",
                                   "unload SDialogForm"}))
        << out;
    target.close();
    side.close();
    EXPECT_EQ(fs::readFile("C:\\App\\a.dat"), "old");
    EXPECT_FALSE(fs::exists("C:\\App\\b.dat"));
}

class SmallScreenProgram : public BackgroundProgram {
protected:
    static machine::Profile small() {
        machine::Profile p = machine::testing::windowsProfile("XP");
        p.screen.width = 800;
        p.screen.height = 600;
        return p;
    }
    SmallScreenProgram() : BackgroundProgram(small()) {}
};

TEST_F(SmallScreenProgram, TheWorkAreaOfTheMachinesScreen) {
    script("SET_DIALOGS(WelcomeDlg)\n");
    runUi("idle\n"
          "  wait 600\n"
          "  expect SMainForm width \"800\"\n"
          "  expect SMainForm height \"570\"\n"
          "  click SDialogForm.NextButton\n"
          "end\n");
}

} // namespace
} // namespace kv::e2e
