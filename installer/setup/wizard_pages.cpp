// The wizard's page walk: its first show and placement, each page shown with its buttons,
// Next, Back and the end of the pages.

#include "installer/common/delimited_lists.h"
#include "installer/common/messages.h"
#include "installer/common/shared_windows.h"
#include "installer/setup/language.h"
#include "installer/setup/script.h"
#include "installer/setup/wizard_form.h"
#include "platform/text/ansi.h"
#include "platform/ui/application.h"

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
    // The background window's client area comes here once it exists.
    const ui::Rect area = ui::app().workArea();
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
    // The pages' own steps come here with their layout; the copy pages start the copy.
    if (isCopyPage(page)) CopyTimer.setEnabled(true);
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

// The user-information page's check comes with that page.
bool TSDialogForm::ValidatePage() {
    return true;
}

void TSDialogForm::NextButtonClick() {
    if (!ValidatePage()) return;
    script_.NextPage();
    if (is(script_.CurrentPage(), "CustomDlg") && !CustomRadio.value()) script_.NextPage();
    if (!ShowCurrentPage()) FinishDialogs();
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
    // Unless aborted, the Complete page's choices (readme, restart, launch) are acted on
    // here once that page is laid out.
    AbortSetup();
}

} // namespace kv::installer
