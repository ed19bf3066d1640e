// The uninstall window made from its script and shown: designed and script texts, the
// values handed on for the removal, right-to-left mirroring and test mode.

#include "installer/common/exec_op.h"
#include "installer/common/folders.h"
#include "installer/uninstall/main_form.h"
#include "installer/uninstall/tests/uninstall_fixture.h"
#include "platform/fs/files.h"
#include "platform/process/shell.h"
#include "platform/ui/application.h"

namespace kv::installer::uninstall {
namespace {

class MainFormTest : public testing::UninstallTest {
protected:
    TMainForm& showForm() {
        TMainForm& form = ui::app().form<TMainForm>();
        form.ShowAsMain();
        return form;
    }
};

TEST_F(MainFormTest, EmptySettingsKeepTheDesign) {
    writeScript({"PROG_NAME=Demo", "LABEL1=", "S2=", "BUTTON_CLOSE=", "COMPANY_URL="});
    TMainForm& form = showForm();
    EXPECT_EQ(form.caption(), "UnInstall - Demo");
    EXPECT_EQ(ui::app().title(), "UnInstall - Demo");
    EXPECT_EQ(ui::app().mainForm(), &form);
    const char* designed[] = {"Shared program files...", "Standard program files...",
                              "Folder items...",         "Program folders...",
                              "Program directories...",  "Program registry entries..."};
    int i = 0;
    for (ui::Label* label : form.phaseLabels())
        EXPECT_EQ(label->caption(), designed[i++]);
    for (ui::Image* tick : form.ticks()) {
        EXPECT_FALSE(tick->visible());
        EXPECT_EQ(tick->left(), 8);
    }
    EXPECT_EQ(form.Label7.caption(), "UnInstall completed successfully !");
    EXPECT_TRUE(form.Label7.font().bold);
    EXPECT_FALSE(form.Label7.visible());
    EXPECT_EQ(form.CloseButton.caption(), "&Close");
    EXPECT_FALSE(form.CloseButton.enabled());
    EXPECT_FALSE(form.TestButton.visible());
    EXPECT_TRUE(form.StartupTimer.enabled());
    EXPECT_TRUE(form.Panel1.visible());
    EXPECT_FALSE(form.Memo1.visible());
    EXPECT_EQ(form.Memo1.text(), "");
    EXPECT_EQ(form.PicturePanel.borderStyle(), ui::BorderStyle::None);
    EXPECT_FALSE(form.rightToLeft());
    EXPECT_EQ(form.font().name, "Tahoma");
    EXPECT_EQ(form.Label1.font().name, "Tahoma");
    EXPECT_EQ(form.Label7.font().name, "Tahoma");
    EXPECT_NE(form.execDll(), nullptr);
    EXPECT_EQ(form.execDll()->handle(), 0u);
    form.unload();
    EXPECT_EQ(form.execDll(), nullptr);
}

TEST_F(MainFormTest, ScriptTextsAndValues) {
    writeScript({"PROG_NAME=Demo", "COMPANY_URL=http://example.com/", "LABEL1=One", "LABEL6=Six",
                 "S1=Removes <b>PROG_NAME</b> but not prog_name.\\nPROG_NAME!", "S2=All gone",
                 "BUTTON_CLOSE=&Done", "GET_DIALOG_BITMAP_3D_FRAME=1", "TargetDir=C:\\Prog\\Demo",
                 "SharedDir=C:\\Prog\\Shared", "AuxiliaryDir=C:\\Aux", "SetupType=Custom",
                 "GroupNames=|Main|Help|", "REMOVE_FILE(C:\\Prog\\Demo\\a.txt);"});
    TMainForm& form = showForm();
    EXPECT_EQ(form.CompanyUrlLabel.caption(), "http://example.com/");
    EXPECT_EQ(form.Label1.caption(), "One");
    EXPECT_EQ(form.Label2.caption(), "Standard program files...");
    EXPECT_EQ(form.Label6.caption(), "Six");
    EXPECT_EQ(form.Label7.caption(), "All gone");
    EXPECT_EQ(form.CloseButton.caption(), "&Done");
    EXPECT_EQ(form.PicturePanel.borderStyle(), ui::BorderStyle::FixedSingle);
    // The name replaced where written in capitals only; the markup made bold.
    EXPECT_EQ(form.RichEdit1->text(), "Removes Demo but not prog_name.\r\nDemo!");
    EXPECT_EQ(form.RichEdit1->boldRuns(), (std::vector<ui::TextRun>{{8, 4}}));
    EXPECT_TRUE(form.RichEdit1->locked());
    EXPECT_EQ(form.scriptLines().size(), 14u);
    EXPECT_EQ(form.scriptPath(), kScript);
    EXPECT_EQ(GetTargetDir(), "C:\\Prog\\Demo");
    EXPECT_EQ(GetCommonDir(), "C:\\Prog\\Shared");
    EXPECT_EQ(GetAuxDir(), "C:\\Aux");
    EXPECT_TRUE(IsGroupSelected("Help"));
    EXPECT_TRUE(CheckSetupType("=", "Custom"));
}

TEST_F(MainFormTest, RightToLeftMirrorsTheTicks) {
    for (int charset : {0, 1, 177, 178}) {
        ui_ = &ui::headless::install(); // a fresh window model for each case
        writeScript(
            {"CHAR_SET=" + std::to_string(charset), "S1=<B>Hello</B> PROG_NAME", "PROG_NAME=Demo"});
        TMainForm& form = showForm();
        const bool rtl = charset >= 177;
        EXPECT_EQ(form.charset(), charset);
        EXPECT_EQ(form.rightToLeft(), rtl) << charset;
        for (ui::Image* tick : form.ticks())
            EXPECT_EQ(tick->left(), rtl ? form.Panel1.width() - (8 + 16) : 8) << charset;
        EXPECT_EQ(form.Image6.top(), 124);
        for (ui::Label* label : form.phaseLabels())
            EXPECT_EQ(label->rightToLeft(), rtl);
        EXPECT_EQ(form.Label7.rightToLeft(), rtl);
        EXPECT_EQ(form.CloseButton.rightToLeft(), rtl);
        // The intro box is the window's own, replaced in place when right to left.
        EXPECT_EQ(form.find<ui::RichTextBox>("RichEdit1"), form.RichEdit1);
        EXPECT_EQ(form.RichEdit1->rightToLeft(), rtl);
        EXPECT_EQ(form.RichEdit1->text(), "Hello Demo");
        EXPECT_EQ(form.RichEdit1->boldRuns(), (std::vector<ui::TextRun>{{0, 5}}));
    }
}

TEST_F(MainFormTest, LinkLabelOpensItsTextShownNormally) {
    writeScript({"COMPANY_URL=http://example.com/demo"});
    TMainForm& form = showForm();
    form.CompanyUrlLabel.click();
    EXPECT_EQ(process::recordedShellOpens(),
              (std::vector<process::ShellOpenRecord>{{"http://example.com/demo", "", 1}}));
}

TEST_F(MainFormTest, TestModeShowsTheItemLog) {
    writeScript({"PROG_NAME=Demo"});
    fs::writeFile("C:\\Setup.tst", "");
    TMainForm& form = showForm();
    EXPECT_TRUE(form.Memo1.visible());
    EXPECT_FALSE(form.Panel1.visible());
}

} // namespace
} // namespace kv::installer::uninstall
