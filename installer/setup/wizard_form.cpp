#include "installer/setup/wizard_form.h"

#include "installer/common/program_ops.h"
#include "installer/common/shared_windows.h"
#include "installer/common/text_utils.h"
#include "installer/setup/copy_bar_form.h"
#include "installer/setup/exit_setup_form.h"
#include "installer/setup/main_form.h"
#include "installer/setup/script.h"
#include "installer/setup/setup_state.h"
#include "platform/ui/design.h"

namespace kv::installer {

TSDialogForm::TSDialogForm(TScript& script)
    : ui::Form("SDialogForm", ui::Units::Pixels), script_(script), log_(script),
      uninstall_(script) {
    using namespace ui;
    // The design layout, in pixels; each page fills the page control, one shown at a time.
    constexpr Rect page{0, 0, 504, 300};
    applyDesign({
        {.widget = this, .caption = "Setup", .geometry = {0, 0, 504, 360}},
        {.widget = &PageControl, .geometry = page},
        {.widget = &WelcomeDlg, .parent = &PageControl, .geometry = page, .state = kHidden},
        {.widget = &LicenseDlg, .parent = &PageControl, .geometry = page, .state = kHidden},
        {.widget = &ReadmeDlg, .parent = &PageControl, .geometry = page, .state = kHidden},
        {.widget = &UserInformationDlg, .parent = &PageControl, .geometry = page, .state = kHidden},
        {.widget = &DestinationDlg, .parent = &PageControl, .geometry = page, .state = kHidden},
        {.widget = &SetupTypeDlg, .parent = &PageControl, .geometry = page, .state = kHidden},
        {.widget = &CustomDlg, .parent = &PageControl, .geometry = page, .state = kHidden},
        {.widget = &AssociateDlg, .parent = &PageControl, .geometry = page, .state = kHidden},
        {.widget = &ShortcutsDlg, .parent = &PageControl, .geometry = page, .state = kHidden},
        {.widget = &ConfirmSetupDlg, .parent = &PageControl, .geometry = page, .state = kHidden},
        {.widget = &CopyFilesDlg, .parent = &PageControl, .geometry = page, .state = kHidden},
        {.widget = &CompleteDlg, .parent = &PageControl, .geometry = page, .state = kHidden},
        {.widget = &SideImage, .parent = &PageControl, .geometry = {8, 12, 156, 280}},
        {.widget = WelcomeText, .parent = &WelcomeDlg, .geometry = {176, 12, 316, 280}},
        {.widget = &LicenseLabel1,
         .parent = &LicenseDlg,
         .geometry = {176, 12, 316, 30},
         .state = kWordWrap},
        {.widget = &LicenseEdit, .parent = &LicenseDlg, .geometry = {176, 46, 316, 150}},
        {.widget = &LicenseLabel2,
         .parent = &LicenseDlg,
         .geometry = {176, 204, 316, 28},
         .state = kWordWrap},
        {.widget = &LicenseAcceptRadio, .parent = &LicenseDlg, .geometry = {176, 236, 316, 18}},
        {.widget = &LicenseDeclineRadio, .parent = &LicenseDlg, .geometry = {176, 258, 316, 18}},
        {.widget = &ReadmeLabel, .parent = &ReadmeDlg, .geometry = {176, 12, 316, 16}},
        {.widget = &ReadmeEdit, .parent = &ReadmeDlg, .geometry = {176, 34, 316, 254}},
        {.widget = UserInfoText, .parent = &UserInformationDlg, .geometry = {176, 12, 316, 110}},
        {.widget = &NameLabel, .parent = &UserInformationDlg, .geometry = {176, 140, 80, 16}},
        {.widget = &NameEdit, .parent = &UserInformationDlg, .geometry = {260, 136, 232, 21}},
        {.widget = &CompanyLabel, .parent = &UserInformationDlg, .geometry = {176, 176, 80, 16}},
        {.widget = &CompanyEdit, .parent = &UserInformationDlg, .geometry = {260, 172, 232, 21}},
        {.widget = DestinationText, .parent = &DestinationDlg, .geometry = {176, 12, 316, 150}},
        {.widget = &DestinationGroup, .parent = &DestinationDlg, .geometry = {176, 166, 316, 60}},
        {.widget = &TargetEdit, .parent = &DestinationGroup, .geometry = {10, 24, 208, 21}},
        {.widget = &BrowseButton,
         .parent = &DestinationGroup,
         .caption = "&Browse...",
         .geometry = {226, 22, 80, 24}},
        {.widget = &SpaceRequiredTitle, .parent = &DestinationDlg, .geometry = {176, 240, 190, 16}},
        {.widget = &SpaceRequiredLabel, .parent = &DestinationDlg, .geometry = {370, 240, 122, 16}},
        {.widget = &SpaceAvailableTitle,
         .parent = &DestinationDlg,
         .geometry = {176, 260, 190, 16}},
        {.widget = &SpaceAvailableLabel,
         .parent = &DestinationDlg,
         .geometry = {370, 260, 122, 16}},
        {.widget = SetupTypeText, .parent = &SetupTypeDlg, .geometry = {176, 12, 316, 40}},
        {.widget = &TypicalRadio,
         .parent = &SetupTypeDlg,
         .caption = "Typical",
         .geometry = {176, 60, 316, 18},
         .state = kChecked},
        {.widget = TypicalText, .parent = &SetupTypeDlg, .geometry = {196, 80, 296, 38}},
        {.widget = &CompactRadio,
         .parent = &SetupTypeDlg,
         .caption = "Compact",
         .geometry = {176, 124, 316, 18}},
        {.widget = CompactText, .parent = &SetupTypeDlg, .geometry = {196, 144, 296, 38}},
        {.widget = &CustomRadio,
         .parent = &SetupTypeDlg,
         .caption = "Custom",
         .geometry = {176, 188, 316, 18}},
        {.widget = CustomText, .parent = &SetupTypeDlg, .geometry = {196, 208, 296, 38}},
        {.widget = ComponentsText, .parent = &CustomDlg, .geometry = {176, 12, 316, 40}},
        {.widget = &ComponentsLabel, .parent = &CustomDlg, .geometry = {176, 56, 316, 16}},
        {.widget = &ComponentList, .parent = &CustomDlg, .geometry = {176, 74, 316, 130}},
        {.widget = &DescriptionLabel, .parent = &CustomDlg, .geometry = {176, 210, 316, 16}},
        {.widget = &DescriptionEdit, .parent = &CustomDlg, .geometry = {176, 228, 316, 60}},
        {.widget = AssociateText, .parent = &AssociateDlg, .geometry = {176, 12, 316, 56}},
        {.widget = &AssociateLabel, .parent = &AssociateDlg, .geometry = {176, 72, 316, 16}},
        {.widget = &AssociateList, .parent = &AssociateDlg, .geometry = {176, 92, 316, 190}},
        {.widget = ShortcutsText, .parent = &ShortcutsDlg, .geometry = {176, 12, 316, 84}},
        {.widget = &ProgramMenuLabel, .parent = &ShortcutsDlg, .geometry = {176, 100, 316, 16}},
        {.widget = &ProgramMenuEdit, .parent = &ShortcutsDlg, .geometry = {176, 120, 316, 21}},
        {.widget = &StartMenuCheck, .parent = &ShortcutsDlg, .geometry = {176, 170, 316, 18}},
        {.widget = &DesktopCheck, .parent = &ShortcutsDlg, .geometry = {176, 194, 316, 18}},
        {.widget = &SendToCheck, .parent = &ShortcutsDlg, .geometry = {176, 218, 316, 18}},
        {.widget = &StartUpCheck, .parent = &ShortcutsDlg, .geometry = {176, 242, 316, 18}},
        {.widget = ConfirmText, .parent = &ConfirmSetupDlg, .geometry = {176, 12, 316, 64}},
        {.widget = &SummaryEdit, .parent = &ConfirmSetupDlg, .geometry = {176, 80, 316, 200}},
        {.widget = CompleteText, .parent = &CompleteDlg, .geometry = {176, 12, 316, 120}},
        {.widget = FinishText, .parent = &CompleteDlg, .geometry = {176, 140, 316, 40}},
        {.widget = &ReadmeCheck, .parent = &CompleteDlg, .geometry = {176, 200, 316, 18}},
        {.widget = &LaunchCheck, .parent = &CompleteDlg, .geometry = {176, 230, 316, 18}},
        {.widget = &RestartGroup,
         .parent = &CompleteDlg,
         .geometry = {176, 230, 316, 64},
         .state = kHidden},
        {.widget = &RestartNowRadio, .parent = &RestartGroup, .geometry = {10, 18, 290, 18}},
        {.widget = &RestartLaterRadio, .parent = &RestartGroup, .geometry = {10, 40, 290, 18}},
        {.widget = &CopyFileLabel, .parent = &CopyFilesDlg, .geometry = {176, 120, 316, 16}},
        {.widget = &CopyFolderLabel, .parent = &CopyFilesDlg, .geometry = {176, 140, 316, 16}},
        {.widget = &CopyBar, .parent = &CopyFilesDlg, .geometry = {176, 170, 316, 18}},
        {.widget = &HintLabel, .geometry = {12, 302, 480, 14}},
        {.widget = &UrlLabel, .geometry = {12, 328, 200, 16}},
        {.widget = &BackButton, .caption = "< &Back", .geometry = {236, 324, 80, 24}},
        {.widget = &NextButton,
         .caption = "&Next >",
         .geometry = {316, 324, 80, 24},
         .state = kDefaultButton},
        {.widget = &CancelButton, .caption = "&Cancel", .geometry = {412, 324, 80, 24}},
        {.widget = &StopTimer, .state = kDisabled},
        {.widget = &CopyTimer, .state = kDisabled},
        {.widget = &SpaceTimer, .state = kDisabled},
    });
    setBorderStyle(BorderStyle::FixedDialog);
    Font f = font();
    SetDefaultFont(f);
    setFont(f);
    StopTimer.setInterval(100);
    CopyTimer.setInterval(10);
    SpaceTimer.setInterval(1000);
    SummaryEdit.setMultiLine(true);
    SummaryEdit.setLocked(true);
    SideImage.setBorderStyle(BorderStyle::None);
    DescriptionEdit.setLocked(true);
    for (ListView* list : {&ComponentList, &AssociateList}) {
        list->setView(ListViewMode::Report);
        list->setCheckBoxes(true);
    }
    Font link = UrlLabel.font();
    link.underline = true;
    UrlLabel.setFont(link);
    UrlLabel.setForeColor(Color{0xFF0000}); // blue
    UrlLabel.setMousePointer(MousePointer::Hand);

    onActivate = [this] { Form_Activate(); };
    onQueryUnload = [this](int& cancel, ui::UnloadMode) { Form_QueryUnload(cancel); };
    onUnload = [this](int&) { Form_Unload(); };
    NextButton.onClick = [this] { NextButtonClick(); };
    BackButton.onClick = [this] { BackButtonClick(); };
    BrowseButton.onClick = [this] { BrowseButtonClick(); };
    CancelButton.onClick = [this] { CancelButton_Click(); };
    UrlLabel.onClick = [this] { UrlLabel_Click(); };
    LicenseAcceptRadio.onClick = [this] { UpdateButtons(); };
    LicenseDeclineRadio.onClick = [this] { UpdateButtons(); };
    TargetEdit.onChange = [this] { TargetEdit_Change(); };
    ComponentList.onItemClick = [this](int row) { ComponentList_ItemClick(row); };
    StopTimer.onTimer = [this] { StopTimer_Timer(); };
    CopyTimer.onTimer = [this] { CopyTimer_Timer(); };
    SpaceTimer.onTimer = [this] { SpaceTimer_Timer(); };
}

TSDialogForm::~TSDialogForm() = default;

void TSDialogForm::Form_Activate() {
    if (firstShowDone_) return;
    firstShowDone_ = true;
    FormShow();
}

// The close question: asked unless exit was chosen; while copying, the stop timer closes
// the wizard once the copy is over.
void TSDialogForm::Form_QueryUnload(int& cancel) {
    if (freeing_) return;
    log_.Log("Entering: FormCloseQuery - GetStopCopy=FALSE");
    if (AskExitSetup(this) != ExitAnswer::Exit) {
        cancel = 1;
    } else if (copying_) {
        StopTimer.setEnabled(true);
        cancel = 1;
    }
    log_.Log("Exiting: FormCloseQuery - GetStopCopy=FALSE");
}

// The close steps: the copy bar freed, the background window (when it made the wizard)
// closed unless it is closing already.
void TSDialogForm::Form_Unload() {
    StopTimer.setEnabled(false);
    CopyTimer.setEnabled(false);
    SpaceTimer.setEnabled(false);
    if (copyBar_) copyBar_->unload();
    copyBar_ = nullptr;
    closed_ = true;
    if (mainWindow_ && !mainWindow_->Closing()) mainWindow_->close();
}

void TSDialogForm::CancelButton_Click() {
    close();
}

void TSDialogForm::UrlLabel_Click() {
    ShellOpen(UrlLabel.caption(), "", 5);
}

void TSDialogForm::TargetEdit_Change() {
    SpaceTimer.setEnabled(false);
    SpaceTimer.setEnabled(true);
}

void TSDialogForm::ComponentList_ItemClick(int row) {
    const auto& groups = script_.Groups();
    if (row < 0 || row >= static_cast<int>(groups.size())) return;
    DescriptionEdit.setText(
        ReplaceAll(GroupItem(groups[static_cast<std::size_t>(row)], 5), "\\n", "\r\n"));
}

void TSDialogForm::StopTimer_Timer() {
    if (copying_) return;
    StopTimer.setEnabled(false);
    close();
}

void TSDialogForm::CopyTimer_Timer() {
    CopyTimer.setEnabled(false);
    Install();
}

void TSDialogForm::SpaceTimer_Timer() {
    SpaceTimer.setEnabled(false);
    ShowSpace();
}

void TSDialogForm::AbortSetup() {
    setupState().exitChosen = true;
    close();
}

void TSDialogForm::Free() {
    freeing_ = true;
    unload();
}

bool TSDialogForm::ExitQuestionOpen() {
    return setupState().exitQuestionOpen;
}

bool TSDialogForm::ExitChosen() {
    return setupState().exitChosen;
}

} // namespace kv::installer
