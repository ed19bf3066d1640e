// The wizard's page walk: its first show and placement, each page shown with its buttons,
// Next, Back and the end of the pages.

#include "installer/common/delimited_lists.h"
#include "installer/common/messages.h"
#include "installer/common/shared_windows.h"
#include "installer/common/system_queries.h"
#include "installer/setup/language.h"
#include "installer/setup/main_form.h"
#include "installer/setup/readme_form.h"
#include "installer/setup/script.h"
#include "installer/setup/setup_state.h"
#include "installer/setup/wizard_form.h"
#include "platform/fs/files.h"
#include "platform/fs/path.h"
#include "platform/text/ansi.h"
#include "platform/ui/application.h"
#include "platform/ui/folder_picker.h"

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <memory>
#include <optional>

namespace kv::installer {
namespace {

// A page of the wizard: its name in the page list, the language section of its texts and
// its key in the script's picture list.
struct PageKind {
    const char* name;
    const char* section; // null: a page without texts or picture of its own
    const char* picture;
};

constexpr PageKind kPages[] = {
    {"WelcomeDlg", "Welcome", "Welcome"},
    {"LicenseDlg", "License", "License"},
    {"ReadmeDlg", "Readme", "Readme"},
    {"UserInformationDlg", "UserInfo", "User Information"},
    {"DestinationDlg", "Destination", "Destination"},
    {"SetupTypeDlg", "SetupType", "Setup Type"},
    {"CustomDlg", "Components", "Custom"},
    {"AssociateDlg", "Associate", "Associate"},
    {"ShortcutsDlg", "Shortcuts", "Shortcuts"},
    {"ConfirmSetupDlg", "Confirm", "Confirm Setup"},
    {"CopyFilesDlg", "CopyFiles", "Copy Files"},
    {"CopyFilesDlgHide", nullptr, nullptr},
    {"CompleteDlg", "Complete", "Complete"},
};

// The picture of the setup folder's file (its file-name part); nullopt when it cannot be
// read or is no picture.
std::optional<ui::Picture> loadPicture(std::string_view fileName) {
    const std::string name = fs::fileNamePart(fileName);
    if (name.empty()) return std::nullopt;
    const std::string path = GetExeDir(true) + name;
    const std::optional<std::string> bytes = fs::readFile(path);
    if (!bytes) return std::nullopt;
    return ui::decodePicture(*bytes, path);
}

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
    SideImage.setBorderStyle(script_.Flag(ScriptFlag::DialogBitmap3dFrame)
                                 ? ui::BorderStyle::FixedSingle
                                 : ui::BorderStyle::None);
    defaultPicture_ =
        loadPicture(script_.Text(ScriptText::DialogBitmapFileName)).value_or(ui::Picture{});
    SideImage.setPicture(defaultPicture_);
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
    const int dx = PlacementOffset(ListItem(location, 1));
    const int dy = PlacementOffset(ListItem(location, 2));
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
        SetPagePicture(kind.picture);
        setCaption(LangText(kind.section, "Caption", ""));
        if (!isCopyPage(page)) log_.Log("Show Screen: " + caption());
        for (ui::Control* sheet : controls())
            if (sheet->container() == &PageControl && sheet != &SideImage)
                sheet->setVisible(text::equalsNoCase(sheet->name(), kind.name));
    }
    UpdateButtons();
    if (is(page, "LicenseDlg")) {
        LoadTextFile(LicenseEdit, script_.Text(ScriptText::LicenseFileName), GetCharset());
    } else if (is(page, "ReadmeDlg")) {
        LoadTextFile(ReadmeEdit, script_.Text(ScriptText::ReadmeFileName), GetCharset());
    } else if (is(page, "UserInformationDlg")) {
        if (NameEdit.visible() && NameEdit.text().empty())
            NameEdit.setFocus();
        else if (CompanyEdit.visible() && CompanyEdit.text().empty())
            CompanyEdit.setFocus();
    } else if (is(page, "DestinationDlg")) {
        ShowSpace();
    } else if (is(page, "CustomDlg")) {
        if (ComponentList.itemCount() > 0) {
            ComponentList.setSelectedIndex(0);
            ComponentList_ItemClick(0);
        }
        ComponentList.setFocus();
    } else if (is(page, "ShortcutsDlg")) {
        ArrangeShortcutBoxes();
    } else if (is(page, "ConfirmSetupDlg")) {
        SummaryEdit.setText(ConfirmSummary());
        HintLabel.setCaption(LangText("Confirm", "s2", ""));
    } else if (isCopyPage(page)) {
        CopyTimer.setEnabled(true);
    } else if (is(page, "CompleteDlg")) {
        ShowCompletePage();
    }
}

// The key's value in the "key=file" lines (the key without regard to case), loaded when
// it is not the file shown last.
void TSDialogForm::SetPagePicture(std::string_view key) {
    std::string file;
    for (const std::string& line : script_.List(ScriptList::DialogImages)) {
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos && text::equalsNoCase(line.substr(0, equals), key)) {
            file = line.substr(equals + 1);
            break;
        }
    }
    if (file == shownPictureFile_) return;
    shownPictureFile_ = file;
    const std::optional<ui::Picture> picture = file.empty() ? std::nullopt : loadPicture(file);
    SideImage.setPicture(picture ? *picture : defaultPicture_);
}

// The boxes of the extra shortcuts without a name are hidden, the ones below moving up into
// the places that frees; the page's text then says whether extra shortcuts are offered.
void TSDialogForm::ArrangeShortcutBoxes() {
    if (!shortcutBoxesArranged_) {
        shortcutBoxesArranged_ = true;
        ui::CheckBox* boxes[] = {&StartMenuCheck, &DesktopCheck, &SendToCheck, &StartUpCheck};
        int tops[std::size(boxes)];
        for (std::size_t i = 0; i < std::size(boxes); ++i)
            tops[i] = boxes[i]->top();
        std::size_t place = 0;
        for (std::size_t i = 0; i < std::size(boxes); ++i) {
            if (extraNames_[i].empty()) {
                boxes[i]->setVisible(false);
                continue;
            }
            boxes[i]->move(boxes[i]->left(), tops[place++]);
        }
    }
    SetShortcutsText();
}

void TSDialogForm::SetShortcutsText() {
    bool anyExtra = false;
    for (const std::string& name : extraNames_)
        anyExtra = anyExtra || !name.empty();
    SetPaneText(ShortcutsText, LangText("Shortcuts", "s1", "") +
                                   (anyExtra ? "<p>" + LangText("Shortcuts", "s2", "") : ""));
}

// Done copying, then the launch offer; a restart's notice instead when one is needed.
void TSDialogForm::SetCompleteText() {
    std::string text = LangText("Complete", "s0", "");
    if (restartNeeded_) {
        text += "<p><p>" + LangText("Complete", "s2", "");
        if (GetCharset() == 177) text += '\xFE';
    } else if (script_.Flag(ScriptFlag::ProposeLaunch)) {
        text += "<p><p>" + LangText("Complete", "s1", "");
    }
    SetPaneText(CompleteText, text);
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
    SetCompleteText();
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
    // Real windows show the host's folders: they map to the machine's drives (or to Z:).
    const ui::FolderPaths paths{
        [](const std::string& path) { return fs::hostPath(path).string(); },
        [](const std::string& host) { return fs::machinePath(std::filesystem::path(host)); }};
    const std::string folder =
        ui::pickFolder(this, LangText("Messages", "s3", "Select Destination Directory"),
                       "My Computer", start, paths);
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
    if (!abort) {
        const std::string readme = script_.Text(ScriptText::ReadmeFileName2);
        if (!readme.empty() && ReadmeCheck.checked()) {
            auto& window =
                static_cast<TReadmeForm&>(ui::app().load(std::make_unique<TReadmeForm>()));
            window.setCaption(LangText("Readme", "Caption", "Readme"));
            LoadTextFile(window.RichEdit1, readme, GetCharset());
            window.show(ui::ShowMode::Modal, this);
            window.unload();
        }
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
