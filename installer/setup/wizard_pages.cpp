// The wizard's page walk: its first show and placement, each page shown with its buttons,
// Next, Back and the end of the pages.

#include "installer/common/delimited_lists.h"
#include "installer/common/messages.h"
#include "installer/common/shared_windows.h"
#include "installer/common/system_queries.h"
#include "installer/setup/language.h"
#include "installer/setup/main_form.h"
#include "installer/setup/script.h"
#include "installer/setup/setup_state.h"
#include "installer/setup/wizard_form.h"
#include "platform/fs/files.h"
#include "platform/fs/path.h"
#include "platform/text/ansi.h"
#include "platform/ui/application.h"
#include "platform/ui/folder_picker.h"

#include <cstdlib>

namespace kv::installer {
namespace {

// A page of the wizard: its name in the page list and the language section of its texts.
struct PageKind {
    const char* name;
    const char* section; // null: a page without texts of its own
};

constexpr PageKind kPages[] = {
    {"WelcomeDlg", "Welcome"},         {"LicenseDlg", "License"},
    {"ReadmeDlg", "Readme"},           {"UserInformationDlg", "UserInfo"},
    {"DestinationDlg", "Destination"}, {"SetupTypeDlg", "SetupType"},
    {"CustomDlg", "Components"},       {"AssociateDlg", "Associate"},
    {"ShortcutsDlg", "Shortcuts"},     {"ConfirmSetupDlg", "Confirm"},
    {"CopyFilesDlg", "CopyFiles"},     {"CopyFilesDlgHide", nullptr},
    {"CompleteDlg", "Complete"},
};

const PageKind* pageKind(std::string_view name) {
    for (const PageKind& page : kPages)
        if (text::equalsNoCase(page.name, name)) return &page;
    return nullptr;
}

bool is(std::string_view page, std::string_view name) {
    return text::equalsNoCase(page, name);
}

bool isCopyPage(std::string_view page) {
    return is(page, "CopyFilesDlg") || is(page, "CopyFilesDlgHide");
}

} // namespace

// Silent setup starts on the copy page (the visible one, else the hidden one).
void TSDialogForm::FormShow() {
    SetDialogLocation();
    if (script_.Flag(ScriptFlag::SilentSetup)) {
        script_.SetPage("CopyFilesDlg");
        if (script_.PageIndex() < 0) script_.SetPage("CopyFilesDlgHide");
    } else {
        script_.SetPageIndex(0);
    }
    if (!ShowCurrentPage()) FinishDialogs();
}

void TSDialogForm::SetDialogLocation() {
    const std::string location = script_.Text(ScriptText::DialogLocation);
    const std::string placement = backgroundUpdate_ ? "Hide" : ListItem(location, 0);
    const int dx = std::atoi(ListItem(location, 1).c_str());
    const int dy = std::atoi(ListItem(location, 2).c_str());
    // The background window's client area when it exists (it has no frame).
    const ui::Rect area = mainWindow_ ? mainWindow_->geometry() : ui::app().workArea();
    PlaceForm(*this, placement, area.height - height(), 0, area.top + dy, area.left + dx,
              area.width - width());
}

bool TSDialogForm::ShowCurrentPage() {
    const std::string page = script_.CurrentPage();
    if (!pageKind(page)) return false;
    ShowPage(page);
    return true;
}

void TSDialogForm::ShowPage(const std::string& page) {
    const PageKind& kind = *pageKind(page);
    if (kind.section) {
        setCaption(LangText(kind.section, "Caption", ""));
        if (!isCopyPage(page)) log_.Log("Show Screen: " + caption());
        for (ui::Control* sheet : controls())
            if (sheet->container() == &PageControl)
                sheet->setVisible(text::equalsNoCase(sheet->name(), kind.name));
    }
    UpdateButtons();
    // The other pages' own steps come here with their layout; the copy pages start the copy.
    if (is(page, "UserInformationDlg")) {
        if (NameEdit.visible() && NameEdit.text().empty())
            NameEdit.setFocus();
        else if (CompanyEdit.visible() && CompanyEdit.text().empty())
            CompanyEdit.setFocus();
    } else if (is(page, "DestinationDlg")) {
        BrowseButton.setCaption(LangText("Buttons", "Browse", "&Browse..."));
        ShowSpace();
    } else if (is(page, "ConfirmSetupDlg")) {
        SummaryEdit.setText(ConfirmSummary());
        HintLabel.setCaption(LangText("Confirm", "s2", ""));
    } else if (isCopyPage(page)) {
        CopyTimer.setEnabled(true);
    } else if (is(page, "CompleteDlg")) {
        ShowCompletePage();
    }
}

// When a restart is needed its choice takes the launch box's place, the readme box above it.
void TSDialogForm::ShowCompletePage() {
    ReadmeCheck.setCaption(LangText("Complete", "s8", ""));
    LaunchCheck.setCaption(LangText("Complete", "s3", ""));
    RestartGroup.setCaption(" " + LangText("Complete", "s4", "") + " ");
    RestartNowRadio.setCaption(LangText("Complete", "s5", ""));
    RestartLaterRadio.setCaption(LangText("Complete", "s6", ""));
    ReadmeCheck.setChecked(script_.Flag(ScriptFlag::ProposeReadmeChecked));
    ReadmeCheck.setVisible(script_.Flag(ScriptFlag::ProposeReadme));
    LaunchCheck.setChecked(script_.Flag(ScriptFlag::ProposeLaunchChecked));
    LaunchCheck.setVisible(script_.Flag(ScriptFlag::ProposeLaunch));
    if (script_.Flag(ScriptFlag::ProposeRestart)) restartNeeded_ = true;
    if (restartNeeded_) {
        RestartGroup.move(LaunchCheck.left(), LaunchCheck.top());
        RestartGroup.setVisible(true);
        ReadmeCheck.move(ReadmeCheck.left(), LaunchCheck.top() - 30);
        LaunchCheck.setVisible(false);
        RestartNowRadio.setValue(true);
    }
    setCaption(LangText("Complete", "Caption", ""));
    CancelButton.setVisible(false);
    NextButton.setCaption(LangText("Buttons", "Finish", "&Finish"));
    setupState().exitChosen = true;
}

std::string TSDialogForm::ConfirmSummary() {
    static constexpr const char* kShortcutTitles[] = {
        "Start Menu Shortcut:", "Desktop Shortcut:", "SendTo Shortcut:", "StartUp Shortcut:"};
    const ui::CheckBox* boxes[] = {&StartMenuCheck, &DesktopCheck, &SendToCheck, &StartUpCheck};
    std::string text = "Target Directory\r\n   " + AppFolder(false) +
                       "\r\n\r\nStart/Program Menu Entry:\r\n   " + ProgramMenuEdit.text();
    for (int i = 0; i < static_cast<int>(ExtraShortcut::Count); ++i)
        if (boxes[i]->checked())
            text += std::string("\r\n\r\n") + kShortcutTitles[i] + "\r\n   " +
                    ExtraShortcutName(static_cast<ExtraShortcut>(i));
    if (script_.IsPageListed("UserInformation")) {
        text += "\r\n\r\nUser Information:";
        if (!NameEdit.text().empty()) text += "\r\n   Name:    \t" + NameEdit.text();
        if (!CompanyEdit.text().empty()) text += "\r\n   Company: \t" + CompanyEdit.text();
    }
    return text;
}

void TSDialogForm::UpdateButtons() {
    const std::string page = script_.CurrentPage();
    BackButton.setEnabled(script_.PageIndex() > 0 && !isCopyPage(page) && !is(page, "CompleteDlg"));
    NextButton.setEnabled(!isCopyPage(page) &&
                          (!is(page, "LicenseDlg") || LicenseAcceptRadio.value()));
    BackButton.setCaption(LangText("Buttons", "Back", "< &Back"));
    NextButton.setCaption(LangText("Buttons", "Next", "&Next >"));
    CancelButton.setCaption(LangText("Buttons", "Cancel", "&Cancel"));
    HintLabel.setCaption("");
}

// Only the user-information page checks its fields: a blank name, else an empty company.
bool TSDialogForm::ValidatePage() {
    if (!is(script_.CurrentPage(), "UserInformationDlg")) return true;
    ui::TextBox* missing = nullptr;
    std::string message;
    if (NameEdit.visible() && text::trimBlanks(NameEdit.text()).empty()) {
        missing = &NameEdit;
        message = LangText("UserInfo", "s21", "Please enter User Name!");
    } else if (CompanyEdit.visible() && CompanyEdit.text().empty()) {
        missing = &CompanyEdit;
        message = LangText("UserInfo", "s22", "Please enter Company Name!");
    }
    if (!missing) return true;
    CaptionMessage(LangText("Messages", "Caption", "Error"), message, GetCharset());
    missing->setFocus();
    return false;
}

void TSDialogForm::NextButtonClick() {
    if (!ValidatePage()) return;
    script_.NextPage();
    if (is(script_.CurrentPage(), "CustomDlg") && !CustomRadio.value()) script_.NextPage();
    if (!ShowCurrentPage()) FinishDialogs();
}

void TSDialogForm::BrowseButtonClick() {
    std::string start = TargetEdit.text();
    for (int i = 0; i < 10 && !start.empty() && !fs::exists(start); ++i)
        start = fs::folderPart(start);
    const std::string folder = ui::pickFolder(
        this, LangText("Messages", "s3", "Select Destination Directory"), "My Computer", start);
    if (!folder.empty()) TargetEdit.setText(folder);
}

// Only Next finishes: Back to a name without a page does nothing.
void TSDialogForm::BackButtonClick() {
    script_.PrevPage();
    if (is(script_.CurrentPage(), "CustomDlg") && !CustomRadio.value()) script_.PrevPage();
    ShowCurrentPage();
}

void TSDialogForm::FinishDialogs() {
    NextButton.setEnabled(false);
    WaitPumping(10);
    log_.Log("Execute After Dialogs");
    bool abort = false;
    RunStageOps('4', abort);
    // The readme offered on the Complete page comes here with its window.
    if (!abort) {
        if (restartNeeded_ && RestartNowRadio.value()) {
            RebootWindows();
        } else if (LaunchCheck.checked()) {
            setupState().launchFile = ExpandFormVars(script_.Text(ScriptText::ProgExeName));
            setupState().launchFolder =
                ExpandFormVars(script_.Text(ScriptText::StartProgramLinkWorkDir));
        }
    }
    AbortSetup();
}

} // namespace kv::installer
