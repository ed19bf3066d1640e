// The wizard in this process on the headless backend: what Prepare fills, the setup types'
// selection, the form folders, placement, the page walk with its buttons and log lines, and
// the close question.

#include "installer/setup/wizard_form.h"

#include "installer/common/folders.h"
#include "installer/common/registry_primitives.h"
#include "installer/common/system_queries.h"
#include "installer/common/tests/machine_helpers.h"
#include "installer/setup/english.h"
#include "installer/setup/exit_setup_form.h"
#include "installer/setup/language.h"
#include "installer/setup/readme_form.h"
#include "installer/setup/reset.h"
#include "installer/setup/script.h"
#include "installer/setup/setup_state.h"
#include "installer/setup/tests/setup_fixture.h"
#include "platform/fs/files.h"
#include "platform/system/restart.h"
#include "platform/ui/application.h"
#include "platform/ui/end_program.h"
#include "platform/ui/folder_picker.h"
#include "platform/ui/headless/headless.h"
#include "platform/ui/timer.h"
#include "platform/ui/user_input.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace kv::installer {
namespace {

using Lines = std::vector<std::string>;

class WizardTest : public testing::SetupFixture {
protected:
    // Loads the script and makes the wizard as setup does, up to its stage 1.
    TSDialogForm& prepare(const std::string& text) {
        script_.LoadFromText(text);
        auto& w =
            static_cast<TSDialogForm&>(ui::app().load(std::make_unique<TSDialogForm>(script_)));
        ui::app().setMainForm(&w);
        EXPECT_EQ(!w.PrepareAndRunSetupStart(), expectAbort_);
        return w;
    }
    // Prepared and shown.
    TSDialogForm& start(const std::string& text) {
        TSDialogForm& w = prepare(text);
        w.show();
        return w;
    }
    // The log lines after its header (which ends with its third blank line).
    static Lines logBody(TSDialogForm& w) {
        const Lines& all = w.Log().Lines();
        int blanks = 0;
        std::size_t i = 0;
        while (i < all.size() && blanks < 3)
            if (all[i++].empty()) ++blanks;
        return Lines(all.begin() + static_cast<std::ptrdiff_t>(i), all.end());
    }

    TScript script_;
    bool expectAbort_ = false;
};

constexpr const char* kGroups = "SET_GROUP_DATA(Main|100|1|1|3|Main files|0)\n"
                                "SET_GROUP_DATA(Extra|2048|1|0|2|Extra files|1)\n"
                                "SET_GROUP_DATA(Help|20480|0|0|1|Help files|0)\n";

TEST_F(WizardTest, PrepareFillsTheControlsFromTheScript) {
    RegWriteString("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion",
                   "RegisteredOwner", "Ann Owner");
    RegWriteString("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion",
                   "RegisteredOrganization", "Owner Ltd");
    TSDialogForm& w = prepare(std::string(kGroups) +
                              "SET_DIALOGS(WelcomeDlg,SetupTypeDlg,CustomDlg)\n"
                              "SET_TARGET_DIR(<WinDir>\\\\Demo)\n"
                              "SET_START_PROGRAM_LINK_FOLDER(Demo Menu)\n"
                              "SET_START_MENU_LINK_NAME(^Demo)\nSET_DESKTOP_LINK_NAME(Demo Desk)\n"
                              "SET_REQUEST_COMPANY_NAME\nSET_COMPANY_URL(www.example.com)\n"
                              "SET_ADD_ASSOCIATION_ITEM(|Demo.Doc|.dmo|Demo document|x|)\n");
    EXPECT_NE(w.handle(), 0u);
    ASSERT_NE(w.ExecDll(), nullptr);
    EXPECT_EQ(w.ExecDll()->handle(), w.handle());
    EXPECT_EQ(w.TargetEdit.text(), GetWindowsDir(true) + "Demo");
    EXPECT_EQ(w.ProgramMenuEdit.text(), "Demo Menu");
    EXPECT_EQ(w.ExtraShortcutName(ExtraShortcut::StartMenu), "Demo");
    EXPECT_TRUE(w.StartMenuCheck.checked());
    EXPECT_EQ(w.ExtraShortcutName(ExtraShortcut::Desktop), "Demo Desk");
    EXPECT_FALSE(w.DesktopCheck.checked());
    EXPECT_EQ(w.ExtraShortcutName(ExtraShortcut::SendTo), "");
    // Compact only on request; Custom listed; Typical stays the choice.
    EXPECT_FALSE(w.CompactRadio.visible());
    EXPECT_TRUE(w.CustomRadio.visible());
    EXPECT_TRUE(w.TypicalRadio.value());
    ASSERT_EQ(w.ComponentList.itemCount(), 3);
    EXPECT_EQ(w.ComponentList.text(1, 0), "Extra");
    EXPECT_EQ(w.ComponentList.text(1, 1), "2048 KB");
    EXPECT_EQ(w.ComponentList.text(1, 5), "Extra files");
    EXPECT_FALSE(w.ComponentList.checked(0));
    EXPECT_TRUE(w.ComponentList.checked(1));
    // Typical: Main and Extra, 2148 KB.
    EXPECT_EQ(w.SpaceRequiredLabel.caption(), "2.10 MB");
    ASSERT_EQ(w.AssociateList.itemCount(), 1);
    EXPECT_EQ(w.AssociateList.text(0, 0), "  Demo document");
    EXPECT_EQ(w.AssociateList.text(0, 1), ".dmo");
    EXPECT_TRUE(w.AssociateList.checked(0));
    EXPECT_EQ(w.AssociateList.item(0).tag, "|Demo.Doc|.dmo|Demo document|x|");
    // The name is not asked for: hidden and empty, the company field in its place.
    EXPECT_FALSE(w.NameEdit.visible());
    EXPECT_EQ(w.NameEdit.text(), "");
    EXPECT_TRUE(w.CompanyEdit.visible());
    EXPECT_EQ(w.CompanyEdit.text(), "Owner Ltd");
    EXPECT_EQ(w.CompanyEdit.top(), w.NameEdit.top());
    EXPECT_EQ(w.UrlLabel.caption(), "www.example.com");
    EXPECT_TRUE(w.UrlLabel.visible());
}

TEST_F(WizardTest, PresetTargetAndHiddenChoices) {
    setupState().presetTargetDir = "D:\\Preset";
    TSDialogForm& w =
        prepare(std::string(kGroups) + "SET_TARGET_DIR(C:\\Script)\nSET_SHOW_COMPACT_SETUP\n"
                                       "SET_REQUEST_USER_NAME\nSET_DIALOGS(WelcomeDlg)\n");
    EXPECT_EQ(w.TargetEdit.text(), "D:\\Preset");
    EXPECT_EQ(w.AppFolder(true), "D:\\Preset\\");
    EXPECT_EQ(GetTargetDir(), "D:\\Preset");
    EXPECT_TRUE(w.CompactRadio.visible());
    EXPECT_FALSE(w.CustomRadio.visible());
    // Neither SetupType nor Custom listed: Custom chosen, every row checked.
    EXPECT_TRUE(w.CustomRadio.value());
    for (int row = 0; row < 3; ++row)
        EXPECT_TRUE(w.ComponentList.checked(row)) << row;
    EXPECT_TRUE(w.NameEdit.visible());
    EXPECT_FALSE(w.CompanyEdit.visible());
    EXPECT_EQ(w.CompanyEdit.text(), "");
    EXPECT_FALSE(w.UrlLabel.visible());
    EXPECT_EQ(w.SpaceRequiredLabel.caption(), "22.1 MB");
}

TEST_F(WizardTest, RunTimeFoldersInTheTargetAndTheirAbort) {
    TSDialogForm& w = prepare("SET_RUN_TIME_DIR_1(|||||||||||||1|C:\\Plug|)\n"
                              "SET_TARGET_DIR(<RunTimeDir_1>App)\n");
    EXPECT_EQ(w.TargetEdit.text(), "C:\\Plug\\App");
    w.Free();
    resetForTests();
    // A folder that must be found and is not: "Setup Start" aborts.
    expectAbort_ = true;
    prepare("SET_RUN_TIME_DIR_2(||||||||||||||||||1|)\nSET_COMMON_DIR(<RunTimeDir_2>Shared)\n")
        .Free();
}

TEST_F(WizardTest, SelectionFollowsTheSetupType) {
    TSDialogForm& w = prepare(std::string(kGroups) + "SET_DIALOGS(SetupTypeDlg,CustomDlg)\n");
    struct Case {
        ui::OptionButton* choice; // null: none chosen
        const char* type;
        const char* selection;
        const char* names;
        const char* space;
    };
    const Case cases[] = {
        {&w.TypicalRadio, "Typical", "110", "|Main|Extra|", "2.10 MB"},
        {&w.CompactRadio, "Compact", "100", "|Main|", "0.098 MB"},
        {&w.CustomRadio, "Custom", "010", "|Extra|", "2.00 MB"},
        {nullptr, "", "111", "|Main|Extra|Help|", "22.1 MB"},
    };
    for (const Case& c : cases) {
        for (ui::OptionButton* b : {&w.TypicalRadio, &w.CompactRadio, &w.CustomRadio})
            b->setValue(b == c.choice);
        w.ShowSpace();
        EXPECT_EQ(w.SetupTypeName(), c.type);
        EXPECT_EQ(w.SelectionString(), c.selection) << c.type;
        EXPECT_EQ(w.SelectedGroupNames(), c.names) << c.type;
        EXPECT_EQ(w.SpaceRequiredLabel.caption(), c.space) << c.type;
    }
    w.CustomRadio.setValue(true);
    w.ComponentList.setChecked(1, false);
    EXPECT_EQ(w.SelectionString(), "000");
    EXPECT_EQ(w.SelectedGroupNames(), "");
    w.TargetEdit.setText("");
    w.ShowSpace();
    EXPECT_EQ(w.SpaceAvailableLabel.caption(), "0.0 MB");
}

TEST_F(WizardTest, ExpandFormVars) {
    TSDialogForm& w = prepare("SET_TARGET_DIR(C:\\App)\nSET_COMMON_DIR(C:\\Common\\)\n"
                              "SET_AUX_DIR(<InstallDir>Aux)\n");
    const std::string win = GetWindowsDir(true);
    const std::string sys = GetSystemDir(true);
    struct Case {
        const char* text;
        std::string expanded;
    };
    const Case cases[] = {
        {"<Application Folder>a.exe", "C:\\App\\a.exe"},
        {"<Common Folder>\\c.dll", "C:\\Common\\c.dll"},
        {"<Auxiliary Folder>x", "C:\\App\\Aux\\x"},
        {"<Windows Directory>w.ini", win + "w.ini"},
        {"<System Directory>s.dll", sys + "s.dll"},
        {"<System16 Directory>t.drv", GetSystem16Dir() + "\\t.drv"},
        {"<InstallDir>bin\\b.exe", "C:\\App\\bin\\b.exe"},
        // An absolute folder before it: <InstallDir> drops out.
        {"<Windows Directory><InstallDir>v.txt", win + "v.txt"},
        {"C:\\a\\\\b.txt", "C:\\a\\b.txt"},
        {"plain text", "plain text"},
        {"<application folder>", "C:\\App\\"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(w.ExpandFormVars(c.text), c.expanded) << c.text;
    // The folders were handed to the folder unit on the way.
    EXPECT_EQ(GetCommonDir(), "C:\\Common");
}

TEST_F(WizardTest, PlacementByNameWithOffsets) {
    ui::app().setScreen({1024, 768}, {0, 30, 1024, 708});
    struct Case {
        const char* location;
        bool background;
        int left, top;
    };
    const Case cases[] = {
        {"", false, (1024 - 504) / 2, 30 + (708 - 360) / 2},
        {"|Top/Left|10|20|", false, 10, 50},
        {"|bottom/right|-5|-6|", false, 1024 - 504 - 5, 30 + 708 - 360 - 6},
        {"|Top/Center|", false, (1024 - 504) / 2, 30},
        {"|Top/Left|10|20|", true, 5 - 504, 5 - 360},
        // Offsets beyond any screen are held at a million pixels either way.
        {"|Top/Left|2147483647|-99999999999|", false, 1000000, 30 - 1000000},
    };
    for (const Case& c : cases) {
        TSDialogForm& w = prepare(std::string("SET_DIALOG_LOCATION(") + c.location + ")\n");
        w.SetBackgroundUpdate(c.background);
        w.SetDialogLocation();
        EXPECT_EQ(w.left(), c.left) << c.location << c.background;
        EXPECT_EQ(w.top(), c.top) << c.location << c.background;
        w.Free();
    }
}

// Each step of a walk: the button, then the page reached and the buttons' states.
struct Step {
    char button; // 'N' Next, 'B' Back, 'A' tick the licence's accept, '-' the first page
    const char* page;
    bool back, next;
};

TEST_F(WizardTest, PageWalkWithItsButtons) {
    struct Walk {
        const char* pages;
        const char* extra;
        std::vector<Step> steps;
    };
    const Walk walks[] = {
        {"WelcomeDlg,SetupTypeDlg,CustomDlg,ConfirmSetupDlg,CopyFilesDlg,CompleteDlg",
         "",
         {{'-', "WelcomeDlg", false, true},
          {'N', "SetupTypeDlg", true, true},
          // Typical: the components are skipped both ways.
          {'N', "ConfirmSetupDlg", true, true},
          {'B', "SetupTypeDlg", true, true},
          {'N', "ConfirmSetupDlg", true, true},
          // The copy page, then (the sequence over) the last page.
          {'N', "CompleteDlg", false, true}}},
        {"LicenseDlg,ReadmeDlg,UserInformationDlg,DestinationDlg,AssociateDlg,ShortcutsDlg",
         "",
         {{'-', "LicenseDlg", false, false},
          {'A', "LicenseDlg", false, true},
          {'N', "ReadmeDlg", true, true},
          {'B', "LicenseDlg", false, true},
          {'N', "ReadmeDlg", true, true},
          {'N', "UserInformationDlg", true, true},
          {'N', "DestinationDlg", true, true},
          {'N', "AssociateDlg", true, true},
          {'N', "ShortcutsDlg", true, true}}},
        // Custom chosen: its page shows.
        {"WelcomeDlg,CustomDlg,CopyFilesDlgHide,CompleteDlg",
         "",
         {{'-', "WelcomeDlg", false, true},
          {'N', "CustomDlg", true, true},
          {'N', "CompleteDlg", false, true}}},
    };
    for (const Walk& walk : walks) {
        SCOPED_TRACE(walk.pages);
        TSDialogForm& w = start(std::string("SET_CREATE_SETUP_LOG\nSET_TARGET_DIR(C:\\App)\n"
                                            "SET_DIALOGS(") +
                                walk.pages + ")\n" + walk.extra);
        for (const Step& s : walk.steps) {
            SCOPED_TRACE(std::string(1, s.button) + " " + s.page);
            ui::Control* button = nullptr;
            if (s.button == 'N') button = &w.NextButton;
            if (s.button == 'B') button = &w.BackButton;
            if (s.button == 'A') button = &w.LicenseAcceptRadio;
            if (button) {
                EXPECT_TRUE(ui::user::click(*button));
            }
            ui::app().waitPumping(50); // the copy timer runs the sequence
            EXPECT_EQ(script_.CurrentPage(), s.page);
            EXPECT_EQ(w.BackButton.enabled(), s.back);
            EXPECT_EQ(w.NextButton.enabled(), s.next);
            ui::Control* sheet = w.find(s.page);
            ASSERT_NE(sheet, nullptr);
            EXPECT_TRUE(sheet->visible());
        }
        EXPECT_EQ(w.BackButton.caption(), "< &Back");
        const bool complete = std::string(walk.steps.back().page) == "CompleteDlg";
        EXPECT_EQ(w.NextButton.caption(), complete ? "&Finish" : "&Next >");
        EXPECT_EQ(w.CancelButton.caption(), "&Cancel");
        setupState().exitChosen = true;
        w.close();
        resetForTests();
    }
}

TEST_F(WizardTest, ShowScreenLinesAndTheEndOfThePages) {
    TSDialogForm& w = start("SET_CREATE_SETUP_LOG\nSET_DIALOGS(WelcomeDlg,BogusDlg,CompleteDlg)\n");
    EXPECT_EQ(w.caption(), "Welcome");
    // An unknown name ends the pages there.
    EXPECT_TRUE(ui::user::click(w.NextButton));
    EXPECT_TRUE(w.Closed());
    EXPECT_EQ(logBody(w),
              (Lines{"Execute Before Dialogs", "Show Screen: Welcome", "Execute After Dialogs",
                     "Entering: FormCloseQuery - GetStopCopy=FALSE",
                     "Exiting: FormCloseQuery - GetStopCopy=FALSE"}));
}

TEST_F(WizardTest, NoPagesOrSilentWithoutCopyPageFinishAtOnce) {
    for (const char* text : {"SET_CREATE_SETUP_LOG\n",
                             "SET_CREATE_SETUP_LOG\nSET_SILENT_SETUP\nSET_DIALOGS(WelcomeDlg)\n"}) {
        TSDialogForm& w = start(text);
        EXPECT_TRUE(w.Closed()) << text;
        EXPECT_EQ(logBody(w).at(1), "Execute After Dialogs") << text;
        resetForTests();
    }
}

TEST_F(WizardTest, SilentSetupStartsOnTheCopyPageAndEnds) {
    for (const char* page : {"CopyFilesDlg", "CopyFilesDlgHide"}) {
        TSDialogForm& w = start(std::string("SET_CREATE_SETUP_LOG\nSET_SILENT_SETUP\n"
                                            "SET_TARGET_DIR(C:\\App)\nSET_DIALOGS(WelcomeDlg,") +
                                page + ",CompleteDlg)\n");
        EXPECT_EQ(script_.CurrentPage(), page);
        EXPECT_FALSE(w.BackButton.enabled());
        EXPECT_FALSE(w.NextButton.enabled());
        ui::app().run();
        EXPECT_TRUE(w.Closed()) << page;
        // The sequence's lines, and no page; the close waited for the copy (twice asked, once
        // done) and "Setup End" never ran.
        EXPECT_EQ(
            logBody(w),
            (Lines{"Execute Before Dialogs", "Create Target Directory: C:\\App ... TRUE",
                   std::string("Show Screen: ") +
                       (std::string(page) == "CopyFilesDlg" ? "Copying Files" : "Setup"),
                   "Execute Before Copy", "Handle First UnInstall Data", "", "Execute After Copy",
                   "Create Start/Program Link(s):", "Entering: FormCloseQuery - GetStopCopy=FALSE",
                   "Exiting: FormCloseQuery - GetStopCopy=FALSE",
                   "Entering: FormCloseQuery - GetStopCopy=FALSE",
                   "Exiting: FormCloseQuery - GetStopCopy=FALSE"}))
            << page;
        resetForTests();
    }
}

TEST_F(WizardTest, CancelAsksAndExitIsKept) {
    TSDialogForm& w = start("SET_DIALOGS(WelcomeDlg,DestinationDlg)\n");
    ui::user::click(w.NextButton);
    std::vector<std::string> asked;
    auto answer = [&](const char* button) {
        return [&, button](ui::Form& f) {
            auto& q = static_cast<TExitSetupForm&>(f);
            asked.push_back(q.caption() + "|" + q.ResumeButton.caption() + "|" +
                            q.ExitSetupButton.caption());
            EXPECT_TRUE(setupState().exitQuestionOpen);
            EXPECT_TRUE(w.ExitQuestionOpen());
            ui::user::click(*f.find(button));
        };
    };
    ui_->onModal("ExitSetupForm", answer("ResumeButton"));
    EXPECT_TRUE(ui::user::click(w.CancelButton));
    EXPECT_FALSE(w.Closed());
    EXPECT_EQ(script_.CurrentPage(), "DestinationDlg");
    EXPECT_FALSE(setupState().exitQuestionOpen);
    ui_->onModal("ExitSetupForm", answer("ExitSetupButton"));
    EXPECT_TRUE(ui::user::close(w));
    EXPECT_TRUE(w.Closed());
    EXPECT_EQ(asked, (Lines{"Exit Setup|&Resume|E&xit Setup", "Exit Setup|&Resume|E&xit Setup"}));
    // Once exit was chosen the question is not asked again.
    EXPECT_EQ(AskExitSetup(nullptr), ExitAnswer::Exit);
}

TEST_F(WizardTest, ExitQuestionReadsRightToLeftForHebrew) {
    const std::filesystem::path lng = machine_.hostFolder('C') / "Setup" / "Hebrew.lng";
    std::filesystem::create_directories(lng.parent_path());
    std::ofstream(lng) << "[General]\r\nCharset=177\r\n[ExitSetup]\r\nCaption=Q\r\n";
    script_.LoadFromText("SET_LANG_NAMES(|Hebrew|)\nSET_LANG_FLAG(2)\n");
    script_.LoadLanguage();
    ASSERT_EQ(GetCharset(), 177);
    ui_->onModal("ExitSetupForm", [](ui::Form& f) {
        auto& q = static_cast<TExitSetupForm&>(f);
        EXPECT_EQ(q.caption(), "Q");
        EXPECT_TRUE(q.rightToLeft());
        EXPECT_TRUE(q.MessageLabel.rightToLeft());
        EXPECT_TRUE(q.ExitSetupButton.rightToLeft());
        q.ResumeButton.click();
    });
    EXPECT_EQ(AskExitSetup(nullptr), ExitAnswer::Resume);
    EXPECT_FALSE(setupState().exitChosen);
}

// The restart notice carries the right-to-left mark (byte 254) in Hebrew only; a file box
// reads right to left when its Hebrew or Arabic letters outnumber its Latin ones.
TEST_F(WizardTest, RightToLeftMarkAndFileBoxes) {
    for (const int charset : {177, 178}) {
        const std::filesystem::path lng = machine_.hostFolder('C') / "Setup" / "Rtl.lng";
        std::filesystem::create_directories(lng.parent_path());
        std::ofstream(lng) << "[General]\r\nCharset=" << charset << "\r\n";
        const std::string text = "SET_LANG_NAMES(|Rtl|)\nSET_LANG_FLAG(2)\nSET_PROPOSE_RESTART\n"
                                 "SET_DIALOGS(CompleteDlg)\n";
        script_.LoadFromText(text);
        script_.LoadLanguage();
        ASSERT_EQ(GetCharset(), charset);
        TSDialogForm& w = start(text);
        const std::string shown = w.CompleteText->text();
        EXPECT_EQ(shown.back() == '\xFE', charset == 177) << shown;
        EXPECT_TRUE(w.CompleteText->rightToLeft());
        setupState().exitChosen = true;
        w.close();
        resetForTests();
        AddEnglishResource();
        LoadBuiltInText();
    }
    struct Case {
        const char* text;
        bool rightToLeft;
    };
    const Case cases[] = {
        {"", false},
        {"ab\xE0\xFA", false},  // as many of each
        {"a\xE0\xFA", true},    // 224 and 250 count
        {"\xDF\xFB", false},    // 223 and 251 do not
        {"\xE0 1234 !?", true}, // nor digits and signs
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadsRightToLeft(c.text), c.rightToLeft) << c.text;
}

TEST_F(WizardTest, StagesRunTheirRecordsInOrderUntilOneAborts) {
    // "Append Text to a File" records (a doubled backslash and n: a line break) of stages 1 and 4,
    // and an Exit in stage 4.
    auto op = [](const char* name, const char* stage, const char* title, const char* text) {
        return "SET_PERFORM_EXECUTE_OP(" +
               testing::execRecord({{1, name}, {2, stage}, {4, "1"}, {19, "1"}, {20, title}},
                                   {{13, "C:\\order.txt"}, {14, text}}) +
               ")\n";
    };
    const char* append = "Append Text to a File";
    TSDialogForm& w = prepare(
        "SET_CREATE_SETUP_LOG\n" + op("one", "Setup Start", append, "a\\\\n") +
        op("two", "Setup End", append, "d\\\\n") + op("three", "Setup Start", append, "b\\\\n") +
        op("stop", "Setup End", "Exit", "") + op("four", "Setup End", append, "never"));
    bool abort = false;
    w.RunStageOps('4', abort);
    EXPECT_TRUE(abort);
    std::ifstream in(machine_.hostFolder('C') / "order.txt", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(text, "a\r\nb\r\nd\r\n");
    const Lines body = logBody(w);
    ASSERT_GE(body.size(), 3u);
    EXPECT_EQ(body[0], "Execute Before Dialogs");
    EXPECT_EQ(body[1], "  one");
}

TEST_F(WizardTest, UserInformationRefusesMissingFields) {
    struct Case {
        const char* flags;
        const char* name;
        const char* company;
        const char* refusal; // empty: Next goes on
    };
    const Case cases[] = {
        {"SET_REQUEST_USER_NAME\n", " \t ", "", "Please enter User Name!"},
        {"SET_REQUEST_USER_NAME\n", "  Ann", "", ""},
        {"SET_REQUEST_COMPANY_NAME\n", "", "", "Please enter Company Name!"},
        {"SET_REQUEST_COMPANY_NAME\n", "", " ", ""}, // the company is not trimmed
        {"SET_REQUEST_USER_NAME\nSET_REQUEST_COMPANY_NAME\n", "", "", "Please enter User Name!"},
        {"SET_REQUEST_USER_NAME\nSET_REQUEST_COMPANY_NAME\n", "Ann", "",
         "Please enter Company Name!"},
        {"", "", "", ""},
    };
    for (const Case& c : cases) {
        TSDialogForm& w = start(std::string(c.flags) +
                                "SET_DIALOGS(UserInformationDlg,DestinationDlg,CompleteDlg)\n");
        w.NameEdit.setText(c.name);
        w.CompanyEdit.setText(c.company);
        const bool refused = *c.refusal != '\0';
        if (refused)
            ui_->expectBox(ui::headless::ExpectedBox{.caption = "Error", .plainText = c.refusal});
        ui::user::click(w.NextButton);
        EXPECT_EQ(script_.CurrentPage(), refused ? "UserInformationDlg" : "DestinationDlg")
            << c.flags << c.name;
        if (refused) {
            const bool nameMissing = std::string(c.refusal).find("User") != std::string::npos;
            EXPECT_TRUE((nameMissing ? w.NameEdit : w.CompanyEdit).hasFocus()) << c.flags;
        }
        EXPECT_EQ(ui_->pendingBoxes(), 0u);
        setupState().exitChosen = true;
        w.close();
        resetForTests();
        AddEnglishResource();
        LoadBuiltInText();
    }
}

TEST_F(WizardTest, ConfirmPageSummarisesTheChoices) {
    struct Case {
        const char* script;
        const char* firstPage;
        std::string summary;
    };
    const std::string head = "Target Directory\r\n   C:\\App\r\n\r\n"
                             "Start/Program Menu Entry:\r\n   Demo";
    const Case cases[] = {
        {"", "WelcomeDlg", head},
        {"SET_DESKTOP_LINK_NAME(^Demo Desk)\nSET_STARTUP_LINK_NAME(^Demo Up)\n"
         "SET_SENDTO_LINK_NAME(Demo Send)\nSET_REQUEST_USER_NAME\n",
         "UserInformationDlg",
         head + "\r\n\r\nDesktop Shortcut:\r\n   Demo Desk\r\n\r\nStartUp Shortcut:\r\n"
                "   Demo Up\r\n\r\nUser Information:\r\n   Name:    \tAnn"},
    };
    for (const Case& c : cases) {
        TSDialogForm& w =
            start(std::string("SET_TARGET_DIR(C:\\App)\n"
                              "SET_START_PROGRAM_LINK_FOLDER(Demo)\n") +
                  c.script + "SET_DIALOGS(" + c.firstPage + ",ConfirmSetupDlg,CompleteDlg)\n");
        w.NameEdit.setText("Ann");
        w.CompanyEdit.setText("");
        ui::user::click(w.NextButton);
        ASSERT_EQ(script_.CurrentPage(), "ConfirmSetupDlg");
        EXPECT_EQ(w.SummaryEdit.text(), c.summary) << c.script;
        setupState().exitChosen = true;
        w.close();
        resetForTests();
        AddEnglishResource();
        LoadBuiltInText();
    }
}

TEST_F(WizardTest, CompletePageOffersAndFinishActs) {
    struct Case {
        const char* flags;
        bool readmeShown, launchShown, restartShown;
        bool later;             // "restart later" chosen
        bool restarted;         // the machine marked for restart
        const char* launchFile; // after Finish
    };
    const Case cases[] = {
        {"SET_PROPOSE_LAUNCH\nSET_PROPOSE_LAUNCH_CHECKED\n", false, true, false, false, false,
         "C:\\App\\demo.exe"},
        {"SET_PROPOSE_LAUNCH\nSET_PROPOSE_README\n", true, true, false, false, false, ""},
        {"SET_PROPOSE_LAUNCH\nSET_PROPOSE_LAUNCH_CHECKED\nSET_PROPOSE_RESTART\n", false, false,
         true, false, true, ""},
        {"SET_PROPOSE_LAUNCH\nSET_PROPOSE_LAUNCH_CHECKED\nSET_PROPOSE_RESTART\n", false, false,
         true, true, false, "C:\\App\\demo.exe"},
    };
    for (const Case& c : cases) {
        TSDialogForm& w =
            start(std::string("SET_TARGET_DIR(C:\\App)\n"
                              "SET_PROG_EXE_NAME(<Application Folder>\\demo.exe)\n"
                              "SET_START_PROGRAM_LINK_WORKDIR(<Application Folder>)\n") +
                  c.flags + "SET_DIALOGS(CompleteDlg)\n");
        EXPECT_EQ(w.caption(), "Setup Complete");
        EXPECT_EQ(w.NextButton.caption(), "&Finish");
        EXPECT_FALSE(w.CancelButton.visible());
        EXPECT_EQ(w.ReadmeCheck.visible(), c.readmeShown) << c.flags;
        EXPECT_EQ(w.LaunchCheck.visible(), c.launchShown) << c.flags;
        EXPECT_EQ(w.RestartGroup.visible(), c.restartShown) << c.flags;
        if (c.restartShown) {
            EXPECT_TRUE(w.RestartNowRadio.value());
            EXPECT_EQ(w.RestartGroup.top(), w.LaunchCheck.top());
        }
        if (c.later) ui::user::click(w.RestartLaterRadio);
        // A restart ends the program at once.
        if (c.restarted) {
            EXPECT_THROW(ui::user::click(w.NextButton), ui::EndProgram);
        } else {
            ui::user::click(w.NextButton);
            EXPECT_TRUE(w.Closed()) << c.flags;
        }
        EXPECT_EQ(machine::restartRequested(), c.restarted) << c.flags;
        EXPECT_EQ(setupState().launchFile, c.launchFile) << c.flags;
        if (*c.launchFile) {
            EXPECT_EQ(setupState().launchFolder, "C:\\App\\");
        }
        machine::clearRestartRequest();
        resetForTests();
        AddEnglishResource();
        LoadBuiltInText();
    }
}

TEST_F(WizardTest, BrowseStartsAtTheNearestFolderAndTakesTheChoice) {
    std::filesystem::create_directories(machine_.hostFolder('C') / "Apps");
    struct Case {
        const char* edit;
        const char* start; // where the picker opens
        bool ok;
        const char* after;
    };
    const Case cases[] = {
        {"C:\\Apps\\New\\Deeper", "C:\\Apps", true, "D:\\Chosen"},
        {"C:\\Apps", "C:\\Apps", false, "C:\\Apps"},
        {"C:\\1\\2\\3\\4\\5\\6\\7\\8\\9\\10\\11\\12", "C:\\1\\2", false,
         "C:\\1\\2\\3\\4\\5\\6\\7\\8\\9\\10\\11\\12"}, // ten parents at most
    };
    for (const Case& c : cases) {
        TSDialogForm& w = start("SET_DIALOGS(DestinationDlg,CompleteDlg)\n");
        w.TargetEdit.setText(c.edit);
        ui_->onModal("FolderPicker", [&](ui::Form& f) {
            auto& picker = static_cast<ui::FolderPickerForm&>(f);
            EXPECT_EQ(picker.TitleLabel.caption(), "Select Destination Directory");
            EXPECT_EQ(picker.RootLabel.caption(), "My Computer");
            EXPECT_EQ(picker.PathEdit.text(), c.start) << c.edit;
            picker.PathEdit.setText("D:\\Chosen");
            ui::user::click(c.ok ? picker.OkButton : picker.CancelButton);
        });
        ui::user::click(w.BrowseButton);
        EXPECT_EQ(w.TargetEdit.text(), c.after) << c.edit;
        setupState().exitChosen = true;
        w.close();
        resetForTests();
        AddEnglishResource();
        LoadBuiltInText();
    }
}

// The copy page's folder label: the folder as it is when it fits, else its leading levels
// after the root give way to "...", the last level always kept.
TEST_F(WizardTest, CopyFolderLabelShortensTheFolderToFit) {
    TSDialogForm& w = start("SET_DIALOGS(CopyFilesDlg)\n");
    const auto width = [&](const std::string& text) {
        return ui::app().backend().measureText(text, w.CopyFolderLabel.font()).width;
    };
    const std::string folder = "C:\\Program Files\\Demo\\Data";
    const std::string shorter = "C:\\...\\Demo\\Data";
    const std::string shortest = "C:\\...\\Data";
    const std::pair<int, std::string> cases[] =
        {
            {width(folder), folder},         {width(folder) - 1, shorter},
            {width(shorter), shorter},       {width(shorter) - 1, shortest},
            {width(shortest) - 1, shortest}, // the last level stays, fitting or not
        };
    for (const auto& [pixels, shown] : cases) {
        w.CopyFolderLabel.resize(pixels, w.CopyFolderLabel.height());
        w.ShowCopyFile("data.dat", folder);
        EXPECT_EQ(w.CopyFileLabel.caption(), "data.dat");
        EXPECT_EQ(w.CopyFolderLabel.caption(), shown) << pixels;
    }
}

// The copy page while the sequence runs: the bar counts the selected groups' files and steps
// per file, the labels name the file and its folder. The exit chosen during the sequence
// closes the wizard once it has ended: no Complete page and no "Setup End".
TEST_F(WizardTest, CopyPageDuringTheSequenceAndAnExitThatWaitsForItsEnd) {
    fs::createFolders("C:\\Setup");
    for (const char* name : {"a.txt", "b.txt", "x.txt"})
        fs::writeFile(std::string("C:\\Setup\\") + name, name);
    // Typical: the Main group only.
    TSDialogForm& w = prepare("SET_CREATE_SETUP_LOG\nSET_TARGET_DIR(C:\\App)\n"
                              "SET_DIALOGS(CopyFilesDlg,CompleteDlg)\n"
                              "SET_GROUP_DATA(Main|1|1|1|2|Main files|1)\n"
                              "SET_SUB_DIR(<Application Folder>Data)\n"
                              "SET_COPY_FILES(a.txt|b.txt)\n"
                              "SET_GROUP_DATA(Extra|1|0|0|5|Extra files|1)\n"
                              "SET_SUB_DIR(<Application Folder>)\n"
                              "SET_COPY_FILES(x.txt)\n");
    w.TypicalRadio.setValue(true);
    w.show();
    // A user who presses Cancel once the sequence runs, and chooses to exit.
    struct User : ui::Form {
        User() : ui::Form("User") {}
        ui::Timer& Clock = add<ui::Timer>("Clock");
    };
    auto& user = static_cast<User&>(ui::app().load(std::make_unique<User>()));
    int cancels = 0;
    user.Clock.setInterval(10);
    user.Clock.onTimer = [&] {
        if (!w.Copying() || cancels > 0) return;
        ++cancels;
        EXPECT_EQ(w.CopyBar.max(), 2);
        ui::user::click(w.CancelButton);
        EXPECT_FALSE(w.Closed());
    };
    user.Clock.setEnabled(true);
    ui_->onModal("ExitSetupForm", [](ui::Form& f) { ui::user::click(*f.find("ExitSetupButton")); });
    ui::app().run();

    EXPECT_EQ(cancels, 1);
    EXPECT_TRUE(w.Closed());
    EXPECT_EQ(w.CopyBar.value(), 2);
    EXPECT_EQ(w.CopyFileLabel.caption(), "b.txt");
    EXPECT_EQ(w.CopyFolderLabel.caption(), "C:\\App\\Data");
    EXPECT_TRUE(fs::exists("C:\\App\\Data\\b.txt"));
    EXPECT_FALSE(fs::exists("C:\\App\\x.txt"));
    // The copy timer started the sequence once; the close asked for during the copy waited
    // for its end, and then no page came.
    EXPECT_EQ(
        logBody(w),
        (Lines{"Execute Before Dialogs", "Create Target Directory: C:\\App ... TRUE",
               "Show Screen: Copying Files", "Execute Before Copy", "Handle First UnInstall Data",
               "", "Start Copy Directory", "  (C:\\App\\Data)",
               "Entering: FormCloseQuery - GetStopCopy=FALSE",
               "Exiting: FormCloseQuery - GetStopCopy=FALSE",
               "  Copy File: C:\\App\\Data\\a.txt ... OK",
               "  Copy File: C:\\App\\Data\\b.txt ... OK", "", "Execute After Copy",
               "Create Start/Program Link(s):", "Entering: FormCloseQuery - GetStopCopy=FALSE",
               "Exiting: FormCloseQuery - GetStopCopy=FALSE"}));
}

// Cancel pressed on the copy page before the sequence starts: the copy timer runs it while
// the exit question is open, and no entry is copied until the user answers. "Resume" copies
// everything and goes on to the Complete page; "Exit Setup" fails the copy and closes setup.
TEST_F(WizardTest, TheCopyWaitsForAnExitQuestionOpenBeforeIt) {
    fs::createFolders("C:\\Setup");
    for (const char* name : {"a.txt", "b.txt"})
        fs::writeFile(std::string("C:\\Setup\\") + name, name);
    for (const bool exit : {false, true}) {
        const std::string app = exit ? "C:\\Exit" : "C:\\Resume";
        TSDialogForm& w = prepare("SET_CREATE_SETUP_LOG\nSET_TARGET_DIR(" + app +
                                  ")\nSET_DIALOGS(CopyFilesDlg,CompleteDlg)\n"
                                  "SET_GROUP_DATA(Main|1|1|1|1|Main files|1)\n"
                                  "SET_SUB_DIR(<Application Folder>)\nSET_COPY_FILES(a.txt)\n"
                                  "SET_GROUP_DATA(More|1|1|1|1|More files|1)\n"
                                  "SET_SUB_DIR(<Application Folder>)\nSET_COPY_FILES(b.txt)\n");
        w.TypicalRadio.setValue(true);
        w.show();
        // The user answers a while after the sequence started.
        struct User : ui::Form {
            User() : ui::Form("User") {}
            ui::Timer& Clock = add<ui::Timer>("Clock");
        };
        auto& user = static_cast<User&>(ui::app().load(std::make_unique<User>()));
        user.Clock.setInterval(50);
        user.Clock.onTimer = [&w, &user, exit] {
            ui::Form* question = ui::app().findForm("ExitSetupForm");
            if (!w.Copying() || !question || !question->shown()) return;
            user.Clock.setEnabled(false);
            ui::user::click(*question->find(exit ? "ExitSetupButton" : "ResumeButton"));
        };
        user.Clock.setEnabled(true);
        ui_->onModal("ExitSetupForm", [](ui::Form&) {});
        EXPECT_TRUE(ui::user::click(w.CancelButton));

        EXPECT_FALSE(user.Clock.enabled()) << exit;
        EXPECT_EQ(fs::exists(app + "\\a.txt"), !exit) << exit;
        EXPECT_EQ(fs::exists(app + "\\b.txt"), !exit) << exit;
        const Lines log = logBody(w);
        EXPECT_EQ(std::find(log.begin(), log.end(), "Execute After Copy") != log.end(), !exit)
            << exit;
        EXPECT_EQ(w.Closed(), exit);
        if (!exit) {
            EXPECT_EQ(script_.CurrentPage(), "CompleteDlg");
        }
        user.unload();
        setupState().exitChosen = true;
        w.close();
        resetForTests();
    }
}

} // namespace
} // namespace kv::installer
