// The uninstall program's start in-process on a headless machine: its script's values, the
// question, the end of the auto-update program and the running of the window.

#include "installer/common/process_ops.h"
#include "installer/common/system_queries.h"
#include "installer/uninstall/confirm_uninstall.h"
#include "installer/uninstall/kill_process.h"
#include "installer/uninstall/main_form.h"
#include "installer/uninstall/reset.h"
#include "installer/uninstall/script_values.h"
#include "installer/uninstall/tests/uninstall_fixture.h"
#include "installer/uninstall/uninstall_main.h"
#include "installer/uninstall/uninstall_state.h"
#include "platform/fs/files.h"
#include "platform/ui/application.h"

namespace kv::installer::uninstall {
namespace {

using testing::UninstallTest;
using ui::headless::ExpectedBox;
using ui::headless::Record;

const std::string kBlanks(20, ' ');

int shownCount(const ui::headless::HeadlessBackend& ui, const std::string& form) {
    int n = 0;
    for (const Record& r : ui.records())
        if (r.kind == Record::Kind::Shown && r.form == form) ++n;
    return n;
}

TEST_F(UninstallTest, ReadsScriptValues) {
    writeScript({"PROG_NAME=Demo", "prog_name=Second", "Label1=", "S1=a=b", "REMOVE_FILE(C:\\x);",
                 " CHAR_SET=1", "CHAR_SET=178"});
    struct Case {
        const char* name;
        const char* value;
    };
    const Case cases[] = {
        {"PROG_NAME", "Demo"}, // the first line of a name wins
        {"Prog_Name", "Demo"}, // names without regard to case
        {"LABEL1", ""},
        {"S1", "a=b"},       // only the first "=" separates
        {"CHAR_SET", "178"}, // a name with a leading blank is another name
        {"LABEL2", ""},      // absent
        {"REMOVE_FILE(C:\\x);", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadScriptValue(kScript, c.name), c.value) << c.name;
    EXPECT_EQ(ReadScriptValue("C:\\App\\missing.txt", "PROG_NAME"), "");
}

TEST_F(UninstallTest, ScriptIsTheProgramsPathWithTxt) {
    struct Case {
        const char* exe;
        const char* script;
    };
    const Case cases[] = {
        {"C:\\App\\UnInstall.exe", "C:\\App\\UnInstall.txt"},
        {"C:\\App\\UnInstall_1.2.exe", "C:\\App\\UnInstall_1.2.txt"},
        {"C:\\My.App\\remover", "C:\\My.App\\remover.txt"},
    };
    for (const Case& c : cases) {
        setProgram(c.exe);
        EXPECT_EQ(UninstallScriptPath(), c.script) << c.exe;
    }
}

TEST_F(UninstallTest, ConfirmationBoxStyleAndAnswer) {
    struct Case {
        int charset;
        unsigned style;
        int answer;
        bool yes;
    };
    const Case cases[] = {
        {0, 0x24, ui::id::Yes, true},       {0, 0x24, ui::id::No, false},
        {177, 0x180024, ui::id::Yes, true}, {178, 0x180024, ui::id::No, false},
        {1, 0x24, ui::id::Yes, true},
    };
    for (const Case& c : cases) {
        // Escapes of the question are expanded; no blanks are added to the lines.
        ui_->expectBox(
            ExpectedBox{"Sure?", "\r\n\r\nRemove\r\n\"Demo\"\t?\r\n\r\n", {}, c.style, c.answer});
        EXPECT_EQ(ConfirmUninstall("Sure?", "Remove\\n\"Demo\"\\t?", c.charset), c.yes)
            << c.charset;
    }
    for (const ui::headless::Record& box : ui_->boxes())
        EXPECT_EQ(box.form, "");
}

TEST_F(UninstallTest, MissingScriptShowsItsPathAsItStands) {
    setProgram("C:\\new\\UnInstall.exe");
    ui_->expectBox(ExpectedBox{"Error",
                               "\r\n\r\nC:\\new\\UnInstall.txt" + kBlanks +
                                   "\r\nScript file not found." + kBlanks + "\r\n" + kBlanks +
                                   "\r\nUnInstall aborted!" + kBlanks + "\r\n\r\n",
                               {},
                               0x52010});
    EXPECT_EQ(UninstallMain(), 1);
    EXPECT_EQ(shownCount(*ui_, "MainForm"), 0);
}

TEST_F(UninstallTest, NoLeavesEverything) {
    writeScript({"CONFIRM_CAPTION=Confirm", "CONFIRM_TEXT=Remove", "PROG_NAME=Demo",
                 "GET_AUTO_UPDATE_EXE_FILE_NAME=Update.exe"});
    fs::writeFile("C:\\App\\Update.exe", "u");
    fs::writeFile("C:\\App\\X_Update.exe", "x");
    ui_->expectBox(
        ExpectedBox{"Confirm", "\r\n\r\nRemove \"Demo\" ?\r\n\r\n", {}, 0x24, ui::id::No});
    EXPECT_EQ(UninstallMain(), 0);
    EXPECT_EQ(shownCount(*ui_, "MainForm"), 0);
    for (const char* f : {kExe, kScript, "C:\\App\\Update.exe", "C:\\App\\X_Update.exe"})
        EXPECT_TRUE(fs::exists(f)) << f;
}

TEST_F(UninstallTest, YesEndsTheXProgramAndDeletesBothBeforeTheWindow) {
    writeScript({"GET_AUTO_UPDATE_EXE_FILE_NAME=Update.exe"});
    fs::writeFile("C:\\App\\Update.exe", "u");
    startSleeper("C:\\App\\X_Update.exe");
    startSleeper("C:\\Other\\X_Update.exe"); // the same name elsewhere
    ui_->expectBox(ExpectedBox{.answer = ui::id::Yes});
    bool checked = false;
    ui_->setIdleHandler([&] {
        if (checked) return false;
        checked = true;
        EXPECT_FALSE(fs::exists("C:\\App\\Update.exe"));
        EXPECT_FALSE(fs::exists("C:\\App\\X_Update.exe"));
        EXPECT_EQ(FindProcessNT("C:\\App\\X_Update.exe", true), 0);
        TMainForm* form = ui::app().loadedForm<TMainForm>();
        EXPECT_TRUE(form && form->shown());
        if (form) form->close();
        return true;
    });
    EXPECT_EQ(UninstallMain(), 0);
    EXPECT_TRUE(checked);
    EXPECT_NE(FindProcessNT("C:\\Other\\X_Update.exe", true), 0);
    EXPECT_TRUE(fs::exists("C:\\Other\\X_Update.exe"));
    EXPECT_EQ(ui::app().title(), "UnInstall - ");
}

TEST_F(UninstallTest, FilesReappearingDuringTheWindowGoAfterIt) {
    writeScript({"GET_AUTO_UPDATE_EXE_FILE_NAME=Update.exe"});
    ui_->expectBox(ExpectedBox{.answer = ui::id::Yes});
    ui_->setIdleHandler([&] {
        fs::writeFile("C:\\App\\Update.exe", "u");
        fs::writeFile("C:\\App\\X_Update.exe", "x");
        ui::app().loadedForm<TMainForm>()->close();
        return true;
    });
    EXPECT_EQ(UninstallMain(), 0);
    EXPECT_FALSE(fs::exists("C:\\App\\Update.exe"));
    EXPECT_FALSE(fs::exists("C:\\App\\X_Update.exe"));
}

TEST_F(UninstallTest, KillProcessEndsOnlyTheProgramOfThatPath) {
    startSleeper("C:\\App\\X_Update.exe");
    startSleeper("C:\\Other\\X_Update.exe");
    EXPECT_FALSE(KillProcess("X_Update.exe")); // a bare name matches nothing
    EXPECT_FALSE(KillProcess("C:\\Third\\X_Update.exe"));
    EXPECT_TRUE(KillProcess("c:\\app\\x_update.exe"));
    WaitProcessEnd("C:\\App\\X_Update.exe");
    EXPECT_EQ(FindProcessNT("C:\\App\\X_Update.exe", true), 0);
    EXPECT_NE(FindProcessNT("C:\\Other\\X_Update.exe", true), 0);
    EXPECT_FALSE(KillProcess("C:\\App\\X_Update.exe")); // no longer running
}

TEST_F(UninstallTest, CloseWhenDoneEndsTheLoop) {
    writeScript({});
    ui_->expectBox(ExpectedBox{.answer = ui::id::Yes});
    ui_->setIdleHandler([&] {
        TMainForm* form = ui::app().loadedForm<TMainForm>();
        if (!form) return false;
        SetUninstallDone(true);
        form->CloseButton.click();
        return true;
    });
    EXPECT_EQ(UninstallMain(), 0);
    EXPECT_EQ(ui::app().loadedForm<TMainForm>(), nullptr);
}

TEST_F(UninstallTest, TestModeIsTestedOnce) {
    EXPECT_FALSE(IsTestMode());
    fs::writeFile(kTestModeFile, "");
    EXPECT_FALSE(IsTestMode());
}

} // namespace
} // namespace kv::installer::uninstall
