// The real setup's wizard pages, headless under UI scripts: each page's texts, files,
// pictures and space figures, the user-information check, the setup types' groups, the
// confirmation summary, and what Finish does with the last page's choices, read back from
// the UI transcript and the machine.

#include "tests/e2e/fixture.h"

#include "platform/fs/files.h"
#include "platform/system/restart.h"
#include "platform/system/testing/temp_machine.h"

#include <gtest/gtest.h>

#include <string>

namespace kv::e2e {
namespace {

constexpr const char* kAllAsExpected = "--- ui script: all as expected ---";

// "expect SDialogForm.<control> <property> "<value>"" as a script line.
std::string expect(const std::string& control, const std::string& property,
                   const std::string& value) {
    return "  expect SDialogForm" + (control.empty() ? "" : "." + control) + " " + property +
           " \"" + value + "\"\n";
}
const std::string kNext = "  click SDialogForm.NextButton\n";
const std::string kBack = "  click SDialogForm.BackButton\n";

// The smallest file a picture reader takes: a GIF's header of a 1 x 1 picture.
const std::string kPicture("GIF89a\x01\x00\x01\x00\x00\x00\x00", 13);

class SetupPages : public ::testing::Test {
protected:
    explicit SetupPages(const machine::Profile& profile = machine::testing::windowsProfile("XP"))
        : f_(profile) {}
    // Setup.txt for program "Demo" installing to C:\App (which exists), with the lines.
    void script(const std::string& lines) {
        ASSERT_TRUE(fs::createFolders("C:\\App"));
        f_.writeSetupText("SET_PROG_NAME(Demo)\nSET_TARGET_DIR(C:\\App)\n" + lines);
    }
    // Runs setup under the UI script; its transcript and report.
    std::string runUi(const std::string& uiScript) {
        const RunResult r = f_.runSetup({.uiScript = uiScript});
        EXPECT_TRUE(r.started);
        return r.output + r.errors;
    }
    // The path of a file in the setup folder, as a script writes it (backslashes doubled).
    std::string inSetupFolder(const std::string& name) {
        std::string path;
        for (const char c : f_.setupFolderPath() + "\\" + name)
            path += c == '\\' ? std::string("\\\\") : std::string(1, c);
        return path;
    }

    InstallerFixture f_;
};

TEST_F(SetupPages, WelcomeTextFollowsItsTwoFlags) {
    const std::string s1 = "Welcome to the Demo Setup program. This program will install Demo on "
                           "your computer.\\r\\n";
    const std::string s3 = "WARNING: This program is protected by copyright law";
    struct Case {
        const char* flags;
        std::string start; // the text up to s3
    };
    const Case cases[] = {
        // Five line breaks, one, then three in place of the two texts.
        {"", s1 + "\\r\\n\\r\\n\\r\\n\\r\\n\\r\\n\\r\\n\\r\\n\\r\\n\\r\\n" + s3},
        {"SET_SHOW_CLOSE_RECOMMENDATION\nSET_SHOW_ADWARE_DISCLAIMER\n",
         s1 +
             "It is strongly recommended that you exit all Windows programs before running "
             "this Setup program.\\r\\n\\r\\nClick Cancel to quit Setup and then close any "
             "programs you have running. Click Next to continue with the Setup program.\\r\\n"
             "\\r\\nDemo is supported by advertising: while it runs, it may show "
             "advertisements and contact the Internet to fetch them.\\r\\n\\r\\n" +
             s3},
    };
    for (const Case& c : cases) {
        script(std::string(c.flags) + "SET_DIALOGS(WelcomeDlg)\n");
        // The text's start: the end of a longer text than expected would show in the report.
        const std::string out = runUi("idle\n" + expect("", "caption", "Welcome") +
                                      "  dump SDialogForm\n  close SDialogForm\nend\n"
                                      "modal ExitSetupForm\n  click ExitSetupButton\nend\n");
        EXPECT_NE(out.find(kAllAsExpected), std::string::npos) << out;
        const std::string line = "dump SDialogForm.WelcomeText RichTextBox: caption \"\", text \"";
        const std::size_t at = out.find(line);
        ASSERT_NE(at, std::string::npos) << out;
        std::string start = c.start;
        for (std::size_t i = 0; (i = start.find("\\\\", i)) != std::string::npos; ++i)
            start.erase(i, 1); // the dump writes a backslash as in the script
        EXPECT_EQ(out.substr(at + line.size(), start.size()), start) << c.flags;
    }
}

// The licence as plain text (".TXT" in any case, however it reads), the readme as rich
// text; Next follows the accept button; each page's picture by its key, else the default.
TEST_F(SetupPages, LicenceAndReadmeFilesWithTheirPictures) {
    f_.addPayload({.name = "LICENCE.TXT", .bytes = "{\\rtf1 Terms}\r\nNone."});
    f_.addPayload(
        {.name = "readme.rtf", .bytes = "{\\rtf1\\ansi Read {\\b this} first.\\par Then run it.}"});
    f_.addPayload({.name = "side.gif", .bytes = kPicture});
    f_.addPayload({.name = "licence.gif", .bytes = kPicture});
    f_.addPayload({.name = "broken.gif", .bytes = "not a picture"});
    script("SET_DIALOGS(WelcomeDlg,LicenseDlg,ReadmeDlg,CompleteDlg)\n"
           "SET_LICENSE_FILE_NAME(C:\\Elsewhere\\LICENCE.TXT)\nSET_README_FILE_NAME(readme.rtf)\n"
           "SET_DIALOG_BITMAP_FILE_NAME(side.gif)\nSET_DIALOG_BITMAP_3D_FRAME\n"
           "SET_DIALOG_IMAGE(LICENSE=licence.gif)\nSET_DIALOG_IMAGE(Readme=broken.gif)\n");
    const std::string side = inSetupFolder("side.gif");
    const std::string out = runUi(
        "idle\n" + expect("SideImage", "picture", side) + expect("SideImage", "borderStyle", "1") +
        kNext + expect("", "caption", "License Agreement") +
        expect("SideImage", "picture", inSetupFolder("licence.gif")) +
        expect("LicenseLabel1", "caption",
               "Please read the following License Agreement. Use the scroll bar to view the "
               "rest of this agreement.") +
        expect("LicenseLabel2", "caption",
               "Do you accept all the terms of the License Agreement?") +
        expect("LicenseEdit", "text", "{\\\\rtf1 Terms}\\r\\nNone.") +
        expect("LicenseEdit", "locked", "true") + expect("NextButton", "enabled", "false") +
        "  tick SDialogForm.LicenseAcceptRadio on\n" + expect("NextButton", "enabled", "true") +
        "  tick SDialogForm.LicenseDeclineRadio on\n" + expect("NextButton", "enabled", "false") +
        "  tick SDialogForm.LicenseAcceptRadio on\n" + kNext + expect("", "caption", "Readme") +
        expect("SideImage", "picture", side) + expect("ReadmeLabel", "caption", "Readme") +
        expect("ReadmeEdit", "text", "Read this first.\\r\\nThen run it.") +
        expect("ReadmeEdit", "boldRuns", "5+4") + expect("ReadmeEdit", "rightToLeft", "false") +
        kNext + expect("SideImage", "picture", side) + kNext + "end\n");
    EXPECT_NE(out.find(kAllAsExpected), std::string::npos) << out;
}

TEST_F(SetupPages, UserInformationTextFocusAndTheBlankNameRefused) {
    // The machine's registered owner is "Administrator"; it has no organisation.
    const std::string blankName = "  set SDialogForm.NameEdit \"  \\t \"\n" + kNext +
                                  expect("", "caption", "User Information") +
                                  expect("NameEdit", "focus", "true");
    struct Case {
        const char* flags;
        std::string actions;
        const char* box; // the refusal, if any
    };
    const Case cases[] = {
        {"SET_REQUEST_USER_NAME\nSET_REQUEST_COMPANY_NAME\n",
         expect("UserInfoText", "text",
                "Type your name and the name of the company you work for.") +
             expect("CompanyEdit", "focus", "true") + blankName,
         "Please enter User Name!"},
        // The company field in the name field's place.
        {"SET_REQUEST_COMPANY_NAME\n",
         expect("UserInfoText", "text", "Type the name of the company you work for.") +
             expect("NameEdit", "visible", "false") + expect("CompanyEdit", "top", "136") +
             expect("CompanyLabel", "top", "140") + expect("CompanyEdit", "focus", "true") + kNext +
             expect("", "caption", "User Information"),
         "Please enter Company Name!"},
        {"", expect("UserInfoText", "text", "") + expect("CompanyEdit", "visible", "false"),
         nullptr},
    };
    for (const Case& c : cases) {
        script(std::string(c.flags) + "SET_DIALOGS(UserInformationDlg)\n");
        std::string ui = "idle\n" + c.actions +
                         "  close SDialogForm\nend\n"
                         "modal ExitSetupForm\n  click ExitSetupButton\nend\n";
        if (c.box) ui += "box caption \"Error\" plain \"" + std::string(c.box) + "\"\n";
        const std::string out = runUi(ui);
        EXPECT_NE(out.find(kAllAsExpected), std::string::npos) << c.flags << out;
    }
}

// Groups of 1023 KB (Typical, Compact, checked), 1 KB (Typical) and 9300 KB (checked).
constexpr const char* kGroups = "SET_SHOW_COMPACT_SETUP\n"
                                "SET_GROUP_DATA(Core|1023|1|1|1|Core files\\nfor every setup|1)\n"
                                "SET_SUB_DIR(<Application Folder>)\nSET_COPY_FILES(core.dat)\n"
                                "SET_GROUP_DATA(Extra|1|1|0|1|Extra files|0)\n"
                                "SET_SUB_DIR(<Application Folder>)\nSET_COPY_FILES(extra.dat)\n"
                                "SET_GROUP_DATA(Big|9300|0|0|1|Big files|1)\n"
                                "SET_SUB_DIR(<Application Folder>)\nSET_COPY_FILES(big.dat)\n";

// Typical skips the components both ways; each setup type's groups give the space required,
// figures either side of 1 MB and of 10 MB; an empty edit and a drive that does not exist;
// Browse.
TEST_F(SetupPages, SpaceFiguresFollowTheSetupTypeAndTheTarget) {
    script(std::string(kGroups) +
           "SET_DIALOGS(SetupTypeDlg,CustomDlg,DestinationDlg,CompleteDlg)\n");
    const std::string required = "SpaceRequiredLabel";
    const std::string out = runUi(
        "idle\n" +
        expect("TypicalText", "text",
               "The program will be installed with the most common options. "
               "Recommended for most users.") +
        kNext + expect("", "caption", "Choose Destination Location") +
        expect("DestinationText", "text",
               "Setup will install Demo in the following folder.\\r\\n\\r\\nTo install to "
               "this folder, click Next.\\r\\n\\r\\nTo install to a different folder, click "
               "Browse and select another folder.") +
        expect("DestinationGroup", "caption", " Destination Directory ") +
        expect("BrowseButton", "caption", "&Browse...") +
        expect("SpaceRequiredTitle", "caption", "Space required on drive:") +
        expect("SpaceAvailableTitle", "caption", "Space available on drive:") +
        expect(required, "caption", "1.00 MB") + kBack + expect("", "caption", "Setup Type") +
        "  tick SDialogForm.CompactRadio on\n" + kNext + expect(required, "caption", "0.999 MB") +
        kBack + "  tick SDialogForm.CustomRadio on\n" + kNext +
        expect("", "caption", "Select Components") +
        expect("ComponentsLabel", "caption", "Components:") +
        expect("DescriptionLabel", "caption", "Description:") +
        expect("ComponentList", "selectedIndex", "0") + expect("ComponentList", "focus", "true") +
        expect("DescriptionEdit", "text", "Core files\\r\\nfor every setup") +
        "  row SDialogForm.ComponentList #2\n" + expect("DescriptionEdit", "text", "Big files") +
        "  check SDialogForm.ComponentList #1 on\n" + kNext +
        expect(required, "caption", "10.1 MB") + kBack +
        "  check SDialogForm.ComponentList #0 off\n" + kNext +
        expect(required, "caption", "9.08 MB") + "  set SDialogForm.TargetEdit \"\"\n" +
        "  wait 1000\n" + expect("SpaceAvailableLabel", "caption", "0.0 MB") +
        "  set SDialogForm.TargetEdit \"Q:\\\\App\"\n  wait 999\n" +
        expect("SpaceAvailableLabel", "caption", "0.0 MB") + "  wait 1\n" +
        expect("SpaceAvailableLabel", "caption", "0.000 MB") +
        // Browse opens at the nearest folder that exists and takes the choice.
        "  set SDialogForm.TargetEdit \"C:\\\\App\\\\New\\\\Deeper\"\n"
        "  click SDialogForm.BrowseButton\n" +
        expect("TargetEdit", "text", "C:\\\\Chosen") + kNext + kNext +
        "end\n"
        "modal FolderPicker\n  expect TitleLabel caption \"Select Destination Directory\"\n"
        "  expect RootLabel caption \"My Computer\"\n  expect PathEdit text \"C:\\\\App\"\n"
        "  set PathEdit \"C:\\\\Chosen\"\n  click OkButton\nend\n");
    EXPECT_NE(out.find(kAllAsExpected), std::string::npos) << out;
}

// The groups a Compact and a Custom setup install.
TEST_F(SetupPages, CompactAndCustomInstallTheirGroups) {
    for (const char* name : {"core.dat", "extra.dat", "big.dat"})
        f_.addPayload({.name = name, .bytes = name});
    struct Case {
        std::string actions;
        bool core, extra, big;
    };
    const Case cases[] = {
        {"  tick SDialogForm.CompactRadio on\n" + kNext, true, false, false},
        {"  tick SDialogForm.CustomRadio on\n" + kNext +
             "  check SDialogForm.ComponentList #0 off\n"
             "  check SDialogForm.ComponentList #1 on\n" +
             kNext,
         false, true, true},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(fs::createFolders("C:\\App"));
        for (const char* name : {"core.dat", "extra.dat", "big.dat"})
            fs::deleteFile(std::string("C:\\App\\") + name);
        script(std::string(kGroups) +
               "SET_DIALOGS(SetupTypeDlg,CustomDlg,ConfirmSetupDlg,CopyFilesDlg,CompleteDlg)\n");
        const std::string out = runUi(
            "idle\n" + c.actions + expect("", "caption", "Confirm Setup Settings") + kNext +
            "end\nidle\n  wait 2000\n" + expect("", "caption", "Setup Complete") + kNext + "end\n");
        EXPECT_NE(out.find(kAllAsExpected), std::string::npos) << out;
        EXPECT_EQ(fs::exists("C:\\App\\core.dat"), c.core) << c.actions;
        EXPECT_EQ(fs::exists("C:\\App\\extra.dat"), c.extra) << c.actions;
        EXPECT_EQ(fs::exists("C:\\App\\big.dat"), c.big) << c.actions;
    }
}

// The shortcut boxes without a name hidden, the others moved up; the summary's lines.
TEST_F(SetupPages, ShortcutBoxesAndTheSummary) {
    script("SET_DIALOGS(UserInformationDlg,ShortcutsDlg,ConfirmSetupDlg,CompleteDlg)\n"
           "SET_REQUEST_USER_NAME\nSET_REQUEST_COMPANY_NAME\n"
           "SET_START_PROGRAM_LINK_FOLDER(Demo Menu)\n"
           "SET_DESKTOP_LINK_NAME(^Demo Desk)\nSET_STARTUP_LINK_NAME(Demo Up)\n");
    const std::string out = runUi(
        "idle\n  set SDialogForm.NameEdit \"Ann\"\n  set SDialogForm.CompanyEdit \"Ann Ltd\"\n" +
        kNext + expect("", "caption", "Set Program Shortcuts") +
        expect("ShortcutsText", "text",
               "Setup will add program icons to the Program Folder listed below. You may type "
               "a new folder name, or accept the suggested name.\\r\\nCheck the additional "
               "shortcuts you want Setup to create.") +
        expect("ProgramMenuLabel", "caption", "Start/Program Menu") +
        expect("StartMenuCheck", "visible", "false") + expect("SendToCheck", "visible", "false") +
        expect("DesktopCheck", "top", "170") + expect("StartUpCheck", "top", "194") +
        "  tick SDialogForm.StartUpCheck on\n" + kNext +
        expect("", "caption", "Confirm Setup Settings") +
        expect("SummaryEdit", "text",
               "Target Directory\\r\\n   C:\\\\App\\r\\n\\r\\nStart/Program Menu Entry:\\r\\n"
               "   Demo Menu\\r\\n\\r\\nDesktop Shortcut:\\r\\n   Demo Desk\\r\\n\\r\\n"
               "StartUp Shortcut:\\r\\n   Demo Up\\r\\n\\r\\nUser Information:\\r\\n"
               "   Name:    \\tAnn\\r\\n   Company: \\tAnn Ltd") +
        expect("HintLabel", "caption", "Click NEXT to begin copying files...   ") +
        // Back and again: the boxes are arranged once.
        kBack + kNext + kBack + expect("DesktopCheck", "top", "170") +
        expect("StartUpCheck", "top", "194") + kNext + kNext + kNext + "end\n");
    EXPECT_NE(out.find(kAllAsExpected), std::string::npos) << out;
}

// The Complete page with the readme offered and a restart needed: Finish shows the readme
// window, then restarts the machine, unless "later" was chosen.
TEST_F(SetupPages, CompletePageReadmeAndRestart) {
    f_.addPayload({.name = "notes.txt", .bytes = "Notes on Demo."});
    struct Case {
        std::string actions;
        bool readme;
        bool restarted;
    };
    const Case cases[] = {
        {"", true, true},
        {"  tick SDialogForm.ReadmeCheck off\n  tick SDialogForm.RestartLaterRadio on\n", false,
         false},
    };
    for (const Case& c : cases) {
        script("SET_DIALOGS(CompleteDlg)\nSET_README_FILE_NAME_2(notes.txt)\n"
               "SET_PROPOSE_README\nSET_PROPOSE_README_CHECKED\nSET_PROPOSE_LAUNCH\n"
               "SET_PROPOSE_RESTART\n");
        std::string ui =
            "idle\n" + expect("", "caption", "Setup Complete") +
            expect("CompleteText", "text",
                   "Setup has finished copying files to your computer.\\r\\n\\r\\nBefore you "
                   "can use the program, you must restart your computer.") +
            expect("FinishText", "text", "Click Finish to complete the Setup.") +
            expect("FinishText", "boldRuns", "6+6") + expect("LaunchCheck", "visible", "false") +
            expect("RestartGroup", "visible", "true") + expect("RestartGroup", "top", "230") +
            expect("RestartGroup", "caption", " Restart ") + expect("ReadmeCheck", "top", "200") +
            expect("ReadmeCheck", "checked", "true") + expect("RestartNowRadio", "value", "true") +
            c.actions + kNext + "end\n";
        if (c.readme)
            ui += "modal ReadmeForm\n  expect ReadmeForm caption \"Readme\"\n"
                  "  expect RichEdit1 text \"Notes on Demo.\"\n  close ReadmeForm\nend\n";
        const std::string out = runUi(ui);
        EXPECT_NE(out.find(kAllAsExpected), std::string::npos) << out;
        EXPECT_EQ(machine::restartRequested(), c.restarted) << c.actions;
        machine::clearRestartRequest();
    }
}

// A language file of character set 177: the pages read right to left, the file boxes by
// their own text.
TEST_F(SetupPages, HebrewPagesReadRightToLeft) {
    f_.addPayload({.name = "LANG/Hebrew.lng",
                   .bytes = "[General]\r\nLangID=13\r\nCharset=177\r\n"
                            "[Welcome]\r\ns1=\xF9\xEC\xE5\xED PROG_NAME<p>\r\n"});
    f_.addPayload({.name = "licence.txt", .bytes = "\xE4\xF1\xEB\xED\xE4 ok"});
    f_.addPayload({.name = "readme.txt", .bytes = "Read me \xE0\xE1"});
    script("SET_LANG_FLAG(2)\nSET_LANG_NAMES(|Hebrew|)\n"
           "SET_DIALOGS(WelcomeDlg,LicenseDlg,ReadmeDlg,DestinationDlg,CompleteDlg)\n"
           "SET_LICENSE_FILE_NAME(licence.txt)\nSET_README_FILE_NAME(readme.txt)\n");
    const std::string out = runUi(
        "idle\n" + expect("", "rightToLeft", "true") +
        expect("WelcomeText", "rightToLeft", "true") + expect("NextButton", "rightToLeft", "true") +
        // English where the file has no text.
        expect("DestinationText", "rightToLeft", "true") +
        expect("DestinationText", "text",
               "Setup will install Demo in the following folder.\\r\\n\\r\\nTo install to "
               "this folder, click Next.\\r\\n\\r\\nTo install to a different folder, click "
               "Browse and select another folder.") +
        kNext + expect("LicenseEdit", "rightToLeft", "true") +
        expect("LicenseAcceptRadio", "rightToLeft", "true") +
        "  tick SDialogForm.LicenseAcceptRadio on\n" + kNext +
        expect("ReadmeEdit", "rightToLeft", "false") + kNext + kNext +
        expect("CompleteText", "rightToLeft", "true") + kNext + "end\n");
    EXPECT_NE(out.find(kAllAsExpected), std::string::npos) << out;
}

// A machine whose decimal separator is a comma: the figures take it, but not the empty
// edit's "0.0". Without a setup-type page the checked groups count (10323 KB).
class SetupPagesComma : public SetupPages {
protected:
    SetupPagesComma() : SetupPages(commaProfile()) {}
    static machine::Profile commaProfile() {
        machine::Profile profile = machine::testing::windowsProfile("XP");
        profile.locale.decimalSeparator = ",";
        return profile;
    }
};

TEST_F(SetupPagesComma, FiguresUseTheMachinesDecimalSeparator) {
    script(std::string(kGroups) + "SET_DIALOGS(DestinationDlg,CompleteDlg)\n");
    const std::string out =
        runUi("idle\n" + expect("SpaceRequiredLabel", "caption", "10,1 MB") +
              "  set SDialogForm.TargetEdit \"Q:\\\\App\"\n  wait 1000\n" +
              expect("SpaceAvailableLabel", "caption", "0,000 MB") +
              "  set SDialogForm.TargetEdit \"\"\n  wait 1000\n" +
              expect("SpaceAvailableLabel", "caption", "0.0 MB") + kNext + kNext + "end\n");
    EXPECT_NE(out.find(kAllAsExpected), std::string::npos) << out;
}

} // namespace
} // namespace kv::e2e
