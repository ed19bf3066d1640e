// The wizard's preparation before its first page, its stages, folders and selection.

#include "installer/common/delimited_lists.h"
#include "installer/common/exec_op.h"
#include "installer/common/file_ops.h"
#include "installer/common/folders.h"
#include "installer/common/install_registry.h"
#include "installer/common/paths.h"
#include "installer/common/run_time_folders.h"
#include "installer/common/shared_windows.h"
#include "installer/common/system_queries.h"
#include "installer/common/text_utils.h"
#include "installer/setup/language.h"
#include "installer/setup/script.h"
#include "installer/setup/setup_state.h"
#include "installer/setup/wizard_form.h"
#include "platform/system/machine.h"

#include <cstdio>
#include <string>

namespace kv::installer {
namespace {

// A figure in MB: one decimal above 10, two from 1 to 10, three below 1; never negative;
// with the machine's decimal separator.
std::string megabytes(double mb) {
    if (mb < 0) mb = 0;
    const int decimals = mb > 10 ? 1 : mb >= 1 ? 2 : 3;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, mb);
    std::string figure = buffer;
    if (const auto point = figure.find('.'); point != std::string::npos)
        figure.replace(point, 1, machine::current().profile().locale.decimalSeparator);
    return figure + " MB";
}

} // namespace

void TSDialogForm::Prepare() {
    execDll_ = std::make_unique<TExecDll>(handle());
    const std::string library = script_.Text(ScriptText::ExecutionDllName);
    if (!library.empty()) execDll_->Refresh(GetExeDir(true) + library, true, false);
    log_.WriteLogHeader();
    LoadTexts();
    const SetupState& state = setupState();
    TargetEdit.setText(state.presetTargetDir.empty()
                           ? ExpandFolderVars(script_.Text(ScriptText::TargetDir))
                           : state.presetTargetDir);
    ProgramMenuEdit.setText(script_.Text(ScriptText::StartProgramLinkFolder));
    const ScriptText names[] = {ScriptText::StartMenuLinkName, ScriptText::DesktopLinkName,
                                ScriptText::SendToLinkName, ScriptText::StartupLinkName};
    ui::CheckBox* boxes[] = {&StartMenuCheck, &DesktopCheck, &SendToCheck, &StartUpCheck};
    for (int i = 0; i < static_cast<int>(ExtraShortcut::Count); ++i) {
        std::string name = script_.Text(names[i]);
        if (!name.empty() && name[0] == '^') {
            name.erase(0, 1);
            boxes[i]->setChecked(true);
        }
        extraNames_[static_cast<std::size_t>(i)] = name;
    }
    if (!script_.Flag(ScriptFlag::ShowCompactSetup)) {
        CompactRadio.setVisible(false);
        CompactText->setVisible(false);
    }
    if (!script_.IsPageListed("Custom")) {
        CustomRadio.setVisible(false);
        CustomText->setVisible(false);
    }
    FillComponentList();
    if (!script_.IsPageListed("SetupType")) CustomRadio.setValue(true);
    ShowSpace();
    FillAssociateList();
    ShowUserFields();
}

// Every page's texts. The user-information text and the company field's place follow the
// fields shown, so they come with them.
void TSDialogForm::LoadTexts() {
    const int charset = GetCharset();
    if (IsRightToLeftCharset(charset)) {
        ApplyBiDiMode(*this, charset);
        for (ui::Control* control : controls())
            if (!dynamic_cast<ui::RichTextBox*>(control)) ApplyBiDiMode(*control, charset);
        ApplyBiDiMode(DescriptionEdit, charset); // the file boxes read as their text does
    }
    const std::string progName = script_.Text(ScriptText::ProgName);
    const auto text = [&](const char* section, const char* key) {
        return ReplaceAll(LangText(section, key, ""), "PROG_NAME", progName);
    };
    SetPaneText(
        WelcomeText,
        text("Welcome", "s1") +
            (script_.Flag(ScriptFlag::ShowCloseRecommendation) ? text("Welcome", "s2")
                                                               : "<p><p><p><p><p>") +
            "<p>" +
            (script_.Flag(ScriptFlag::ShowAdwareDisclaimer) ? text("Welcome", "s4") : "<p><p><p>") +
            text("Welcome", "s3"));
    LicenseLabel1.setCaption(LangText("License", "s1", ""));
    LicenseLabel2.setCaption(LangText("License", "s2", ""));
    LicenseAcceptRadio.setCaption(LangText("License", "s3", ""));
    LicenseDeclineRadio.setCaption(LangText("License", "s4", ""));
    ReadmeLabel.setCaption(LangText("Readme", "s1", ""));
    NameLabel.setCaption(LangText("UserInfo", "s11", ""));
    CompanyLabel.setCaption(LangText("UserInfo", "s12", ""));
    SetPaneText(DestinationText, text("Destination", "s1"));
    DestinationGroup.setCaption(" " + LangText("Destination", "s2", "") + " ");
    BrowseButton.setCaption(LangText("Buttons", "Browse", "&Browse..."));
    SpaceRequiredTitle.setCaption(LangText("Destination", "s3", ""));
    SpaceAvailableTitle.setCaption(LangText("Destination", "s4", ""));
    SetPaneText(SetupTypeText, LangText("SetupType", "s1", ""));
    TypicalRadio.setCaption(LangText("SetupType", "s11", ""));
    CompactRadio.setCaption(LangText("SetupType", "s12", ""));
    CustomRadio.setCaption(LangText("SetupType", "s13", ""));
    SetPaneText(TypicalText, LangText("SetupType", "s21", ""));
    SetPaneText(CompactText, LangText("SetupType", "s22", ""));
    SetPaneText(CustomText, LangText("SetupType", "s23", ""));
    SetPaneText(ComponentsText, LangText("Components", "s1", ""));
    ComponentsLabel.setCaption(LangText("Components", "s2", ""));
    DescriptionLabel.setCaption(LangText("Components", "s3", ""));
    SetPaneText(AssociateText, text("Associate", "s1"));
    AssociateLabel.setCaption(LangText("Associate", "s2", ""));
    SetShortcutsText();
    ProgramMenuLabel.setCaption(LangText("Shortcuts", "s3", ""));
    StartMenuCheck.setCaption(LangText("Shortcuts", "s11", ""));
    DesktopCheck.setCaption(LangText("Shortcuts", "s12", ""));
    SendToCheck.setCaption(LangText("Shortcuts", "s13", ""));
    StartUpCheck.setCaption(LangText("Shortcuts", "s14", ""));
    SetPaneText(ConfirmText, LangText("Confirm", "s1", ""));
    SetPaneText(FinishText, LangText("Complete", "s7", ""));
    SetCompleteText();
    const std::string url = script_.Text(ScriptText::CompanyUrl);
    UrlLabel.setCaption(url);
    UrlLabel.setToolTip(url);
    UrlLabel.setVisible(!url.empty());
}

void TSDialogForm::SetPaneText(ui::RichTextBox*& pane, std::string_view text) {
    SetEditText(*pane, text);
    if (!pane->rightToLeft()) MakeRightToLeft(pane, GetCharset());
}

// One row per group: its name, size, Typical, Compact, file count and description.
void TSDialogForm::FillComponentList() {
    ComponentList.clear();
    ComponentList.clearColumns();
    for (const char* title : {"Name", "Size", "Typical", "Compact", "Files", "Description"})
        ComponentList.addColumn(title);
    const bool allChecked = !script_.IsPageListed("SetupType") && !script_.IsPageListed("Custom");
    for (const ScriptGroup& group : script_.Groups()) {
        const int row = ComponentList.addItem(GroupItem(group, 0));
        ComponentList.setText(row, 1, GroupItem(group, 1) + " KB");
        for (int item = 2; item <= 5; ++item)
            ComponentList.setText(row, item, GroupItem(group, item));
        ComponentList.setChecked(row, allChecked || GroupItem(group, 6) == "1");
    }
}

// One row per file type offered, each starting checked, its whole record kept as its tag.
void TSDialogForm::FillAssociateList() {
    AssociateList.clear();
    AssociateList.clearColumns();
    AssociateList.addColumn("File Type");
    AssociateList.addColumn("Extension");
    for (const std::string& record : script_.List(ScriptList::AssociationItems)) {
        const int row = AssociateList.addItem("  " + ListItem(record, 2), record);
        AssociateList.setText(row, 1, ListItem(record, 1));
        AssociateList.setChecked(row, true);
    }
}

// The name and company fields, each shown (and filled) only when the script asks for it;
// the company field takes the name field's place when that is hidden.
void TSDialogForm::ShowUserFields() {
    const bool name = script_.Flag(ScriptFlag::RequestUserName);
    const bool company = script_.Flag(ScriptFlag::RequestCompanyName);
    NameEdit.setText(name ? GetRegisteredOwner() : "");
    CompanyEdit.setText(company ? GetRegisteredOrganization() : "");
    SetPaneText(UserInfoText,
                LangText("UserInfo", "s" + std::to_string((name ? 1 : 0) + (company ? 2 : 0)), ""));
    NameEdit.setVisible(name);
    NameLabel.setVisible(name);
    CompanyEdit.setVisible(company);
    CompanyLabel.setVisible(company);
    if (!name) {
        CompanyEdit.move(CompanyEdit.left(), NameEdit.top());
        CompanyLabel.move(CompanyLabel.left(), NameLabel.top());
    }
}

void TSDialogForm::ShowSpace() {
    double requiredKb = 0;
    for (int row = 0; row < static_cast<int>(script_.Groups().size()); ++row)
        if (GroupSelected(row))
            requiredKb +=
                std::atof(GroupItem(script_.Groups()[static_cast<std::size_t>(row)], 1).c_str());
    SpaceRequiredLabel.setCaption(megabytes(requiredKb / 1024));
    const std::string target = TargetEdit.text();
    SpaceAvailableLabel.setCaption(target.empty() ? "0.0 MB"
                                                  : megabytes(DiskFreeSpace(target) / 1048576));
}

void TSDialogForm::SetRunTimeDirs() {
    SetRunTimeDirName1(script_.Text(ScriptText::RunTimeDir1));
    SetRunTimeDirName2(script_.Text(ScriptText::RunTimeDir2));
    SetRunTimeDirName3(script_.Text(ScriptText::RunTimeDir3));
}

void TSDialogForm::RunSetupStart(bool& abort) {
    HandFoldersOver();
    log_.Log("Execute Before Dialogs");
    RunStageOps('1', abort);
}

bool TSDialogForm::PrepareAndRunSetupStart() {
    // The run-time folder records first, so that a target folder under one of them is
    // found when Prepare expands it (rather than fixed as not found).
    SetRunTimeDirs();
    Prepare();
    bool abort = false;
    RunSetupStart(abort);
    return !abort;
}

void TSDialogForm::RunStageOps(char stage, bool& abort) {
    abort = false;
    const std::string digit(1, stage);
    for (const std::string& record : script_.List(ScriptList::ExecuteOps)) {
        if (abort) break;
        std::string logText;
        RunStage(execDll_.get(), record, digit, abort, logText);
        if (!logText.empty()) log_.Log(logText);
    }
    if (RunTimeDirAbort()) abort = true;
}

std::string TSDialogForm::AppFolder(bool withSlash) {
    const std::string& preset = setupState().presetTargetDir;
    return SetTrailingSlash(preset.empty() ? TargetEdit.text() : preset, withSlash);
}

std::string TSDialogForm::CommonFolder(bool withSlash) {
    const std::string& preset = setupState().presetCommonDir;
    return SetTrailingSlash(
        preset.empty() ? ExpandFolderVars(script_.Text(ScriptText::CommonDir)) : preset, withSlash);
}

std::string TSDialogForm::AuxFolder(bool withSlash) {
    const std::string& preset = setupState().presetAuxiliaryDir;
    return SetTrailingSlash(
        preset.empty() ? ExpandFolderVars(script_.Text(ScriptText::AuxDir)) : preset, withSlash);
}

void TSDialogForm::HandFoldersOver() {
    SetTargetDir(AppFolder(false));
    SetCommonDir(CommonFolder(false));
    SetAuxDir(AuxFolder(false));
}

// The folder unit's table holds the wizard's six variables as well, so one pass expands
// them with every other folder variable; doubled backslashes go in every case.
std::string TSDialogForm::ExpandFormVars(std::string_view text) {
    HandFoldersOver();
    return CollapseBackslashes(ExpandFolderVars(text));
}

std::string TSDialogForm::SetupTypeName() const {
    if (TypicalRadio.value()) return "Typical";
    if (CompactRadio.value()) return "Compact";
    if (CustomRadio.value()) return "Custom";
    return {};
}

bool TSDialogForm::GroupSelected(int row) const {
    const auto& groups = script_.Groups();
    if (row < 0 || row >= static_cast<int>(groups.size())) return false;
    const ScriptGroup& group = groups[static_cast<std::size_t>(row)];
    if (TypicalRadio.value()) return GroupItem(group, 2) == "1";
    if (CompactRadio.value()) return GroupItem(group, 3) == "1";
    if (CustomRadio.value()) return ComponentList.checked(row);
    return true;
}

std::string TSDialogForm::SelectionString() {
    std::string out;
    for (int row = 0; row < static_cast<int>(script_.Groups().size()); ++row)
        out += GroupSelected(row) ? '1' : '0';
    return out;
}

std::string TSDialogForm::SelectedGroupNames() const {
    std::string out;
    for (int row = 0; row < static_cast<int>(script_.Groups().size()); ++row)
        if (GroupSelected(row))
            out += (out.empty() ? "|" : "") +
                   GroupItem(script_.Groups()[static_cast<std::size_t>(row)], 0) + "|";
    return out;
}

const std::string& TSDialogForm::ExtraShortcutName(ExtraShortcut which) const {
    return extraNames_[static_cast<std::size_t>(which)];
}

} // namespace kv::installer
