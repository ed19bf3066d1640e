// The install sequence behind the copy page, and what the copy step shows on that page.

#include "installer/common/exec_op.h"
#include "installer/common/install_registry.h"
#include "installer/common/messages.h"
#include "installer/common/run_time_folders.h"
#include "installer/setup/copy_bar_form.h"
#include "installer/setup/language.h"
#include "installer/setup/script.h"
#include "installer/setup/wizard_form.h"
#include "platform/desktop/atoms.h"
#include "platform/fs/files.h"
#include "platform/ui/application.h"
#include "platform/ui/backend.h"

#include <cstdlib>
#include <memory>

namespace kv::installer {
namespace {

// The atom a background update's caller holds while setup runs; setup drops it when done.
constexpr const char* kAutoUpdateAtom = "AutoUpdateAtomTokenByWelmox";

// Joined to the last log line.
constexpr const char* kDirOk = "\\\\x ... TRUE";
constexpr const char* kDirFailed = "\\\\x ... FALSE";

// The folder shortened to the width: its leading levels after the root give way to "...",
// the last level always kept ("C:\...\Demo\Data").
std::string fitFolder(const std::string& folder, const ui::Font& font, int width) {
    ui::Backend& backend = ui::app().backend();
    auto fits = [&](const std::string& text) {
        return width <= 0 || backend.measureText(text, font).width <= width;
    };
    if (fits(folder)) return folder;
    const std::size_t root = folder.find('\\');
    const std::size_t last = folder.rfind('\\');
    if (root == std::string::npos || root == last) return folder;
    const std::string head = folder.substr(0, root + 1) + "...";
    std::size_t cut = root;
    for (;;) {
        const std::string candidate = head + folder.substr(cut);
        if (fits(candidate) || cut == last) return candidate;
        cut = folder.find('\\', cut + 1);
    }
}

void deleteAutoUpdateAtom() {
    if (const desktop::Atom atom = desktop::globalFindAtom(kAutoUpdateAtom))
        desktop::globalDeleteAtom(atom);
}

} // namespace

void TSDialogForm::Install() {
    // The copy bar with the billboard in the wizard's place.
    if (script_.Flag(ScriptFlag::AddBillboard) && !script_.Flag(ScriptFlag::SilentSetup)) {
        hide();
        WaitPumping(200);
        copyBar_ = &static_cast<TCopyBarForm&>(ui::app().load(
            std::make_unique<TCopyBarForm>(script_, [this] { return copyEntriesRunning_; })));
        copyBar_->show();
    }
    copying_ = true;
    RunInstallSteps();
    copying_ = false;
}

void TSDialogForm::RunInstallSteps() {
    if (!CreateDirLogged("Create Target Directory: ", AppFolder(false)) ||
        (script_.Flag(ScriptFlag::CommonFolderUsed) &&
         !CreateDirLogged("Create Common Directory: ", CommonFolder(false))) ||
        (script_.Flag(ScriptFlag::AuxiliaryFolderUsed) &&
         !CreateDirLogged("Create Auxiliary Directory: ", AuxFolder(false))) ||
        RunTimeDirAbort()) {
        AbortSetup();
        return;
    }
    log_.Log("Show Screen: " + caption());
    UpdateButtons();

    HandFoldersOver();
    const std::string typeName = SetupTypeName();
    const std::string groupNames = SelectedGroupNames();
    SetSetupTypeName(typeName);
    SetSelectedGroups(groupNames);
    uninstall_.AddUninstallLine("SetupType=" + typeName, false);
    uninstall_.AddUninstallLine("GroupNames=" + groupNames, false);

    log_.Log("Execute Before Copy");
    bool abort = false;
    RunStageOps('2', abort);
    if (abort) {
        AbortSetup();
        return;
    }

    log_.Log("Handle First UnInstall Data");
    uninstallData_.WriteUninstallData(CheckedFileTypes());
    uninstallData_.WriteOriginalInfo();
    int files = 0;
    for (int row = 0; row < static_cast<int>(script_.Groups().size()); ++row)
        if (GroupSelected(row))
            files +=
                std::atoi(GroupItem(script_.Groups()[static_cast<std::size_t>(row)], 4).c_str());
    CopyBar.setRange(0, files);
    if (copyBar_) copyBar_->CopyProgress.setRange(0, files);
    uninstall_.AddUninstallLine("TargetDir=" + AppFolder(false), false);
    uninstall_.AddUninstallLine("SharedDir=" + CommonFolder(false), false);
    uninstall_.AddUninstallLine("AuxiliaryDir=" + AuxFolder(false), false);

    const bool copied = copier_.CopyGroups() && !RunTimeDirAbort();
    WaitPumping(100);
    log_.Log("");
    // A failed copy has either asked to close already or leaves the wizard on this page.
    if (!copied) {
        if (copyBar_ && !StopTimer.enabled() && !closed_) GiveWayToTheWizard();
        return;
    }

    log_.Log("Execute After Copy");
    RunStageOps('3', abort);
    if (abort) {
        AbortSetup();
        return;
    }
    DoRegistryOps();
    DoIniFileOps();
    DoEnvironmentOps();
    DoAssociations();
    DoOpenWith();
    CreateShortcuts();
    RegisterCopiedServers();
    RecordRegKey();
    uninstall_.AddScriptRemoveLines();

    deleteAutoUpdateAtom();
    if (script_.Flag(ScriptFlag::SilentSetup)) {
        AbortSetup();
        return;
    }
    if (copyBar_) {
        copyBar_->Finish();
        if (copyBar_->Cancelled()) {
            close();
            return;
        }
    }
    // A close asked for during the sequence ends setup once it is over, without more pages.
    if (StopTimer.enabled() || closed_) return;
    show();
    NextButtonClick();
}

void TSDialogForm::GiveWayToTheWizard() {
    copyBar_->FreeBillboard();
    copyBar_->hide();
    if (copyBar_->Cancelled())
        close();
    else
        show();
}

bool TSDialogForm::CreateDirLogged(const std::string& message, const std::string& folder) {
    log_.Log(message + folder);
    const bool ok = !folder.empty() && fs::createFolders(folder);
    log_.Log(ok ? kDirOk : kDirFailed);
    if (!ok) {
        std::string text = LangText("Messages", "s2", "");
        const std::size_t at = text.find("%s");
        if (at != std::string::npos) text.replace(at, 2, folder);
        CaptionMessage(LangText("Messages", "Caption", "Error"), text, GetCharset());
    }
    return ok;
}

std::vector<std::string> TSDialogForm::CheckedFileTypes() const {
    std::vector<std::string> records;
    for (int row = 0; row < AssociateList.itemCount(); ++row)
        if (AssociateList.checked(row)) records.push_back(AssociateList.item(row).tag);
    return records;
}

void TSDialogForm::RecordRegKey() {
    const std::string key = WriteUserRegistration(
        script_.Text(ScriptText::CompanyName), script_.Text(ScriptText::ProgName),
        script_.Text(ScriptText::ProgVersion), NameEdit.text(), CompanyEdit.text());
    if (!key.empty()) uninstall_.AddUninstallLine("REMOVE_REG_KEY(" + key + ")", false);
}

void TSDialogForm::StepCopyBar() {
    CopyBar.setValue(CopyBar.value() + 1);
    if (copyBar_) copyBar_->CopyProgress.setValue(copyBar_->CopyProgress.value() + 1);
}

void TSDialogForm::ShowCopyFile(const std::string& fileName, const std::string& folder) {
    CopyFileLabel.setCaption(fileName);
    CopyFolderLabel.setCaption(fitFolder(folder, CopyFolderLabel.font(), CopyFolderLabel.width()));
}

} // namespace kv::installer
