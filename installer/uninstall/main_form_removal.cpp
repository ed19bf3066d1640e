// The removal: the script sorted into the item lists, then the phases that work them off,
// each ending with its tick and a pause that lets the window repaint.
#include "installer/common/association_ops.h"
#include "installer/common/exec_op.h"
#include "installer/common/messages.h"
#include "installer/common/system_queries.h"
#include "installer/uninstall/item_order.h"
#include "installer/uninstall/main_form.h"
#include "installer/uninstall/uninstall_state.h"
#include "platform/ui/caret.h"

namespace kv::installer::uninstall {
namespace {

constexpr std::uint32_t kPhasePause = 500; // ms

// A handler of the boolean kind: done or failed.
ItemHandler booleanHandler(bool (*handler)(const std::string&)) {
    return [handler](const std::string& item) {
        return handler(item) ? ItemResult::Done : ItemResult::Failed;
    };
}

} // namespace

void TMainForm::RunUninstall() {
    SortedScript sorted = SortScriptLines(lines_);
    lists_ = std::move(sorted.lists);
    if (sorted.execDllName) {
        execDllName_ = *sorted.execDllName;
        if (execDll_) execDll_->Refresh(GetExeDir(true) + execDllName_, true, false);
    }
    PerformUninstall();
}

void TMainForm::PerformUninstall() {
    rules_ = RemovalRules{items(ItemList::KeptDirs),
                          items(ItemList::ForgivenDirs),
                          items(ItemList::ReadOnlyFiles),
                          {}};
    failures_ = FailureCounts{};

    ui::hideCaret(*this);
    logHeader("PERFORM EXECUTE OP");
    if (runExecuteRecords("5")) {
        SetUninstallDone(true);
        close(ui::UnloadMode::FromCode);
        return;
    }

    showTick(1);
    logHeader("REMOVE SHARED FILES");
    walkList(ItemList::SharedFiles, FailureCategory::Files,
             [this](const std::string& path) { return RemoveSharedFile(rules_, path); });
    WaitProcessing(kPhasePause);

    const ItemHandler removeFile = [this](const std::string& path) {
        return RemoveFileItem(rules_, path);
    };
    showTick(2);
    logHeader("REMOVE FILES");
    walkList(ItemList::ReadOnlyFiles, FailureCategory::Files,
             [this](const std::string& path) { return RemoveReadOnlyFile(rules_, path); });
    walkList(ItemList::Files, FailureCategory::Files, removeFile);
    WaitProcessing(kPhasePause);

    const ItemHandler removeFolder = [this](const std::string& path) {
        return RemoveFolderItem(rules_, path);
    };
    const ItemHandler forceFolder = [](const std::string& path) { return ForceRemoveFolder(path); };
    showTick(3);
    logHeader("REMOVE FOLDERS");
    walkList(ItemList::Folders, FailureCategory::Directories, removeFolder);
    WaitProcessing(kPhasePause);

    showTick(4);
    logHeader("REMOVE PROGRAM FOLDERS");
    walkList(ItemList::ForcedMenuFolders, FailureCategory::Directories, forceFolder);
    walkList(ItemList::MenuFolders, FailureCategory::Directories, removeFolder);
    WaitProcessing(kPhasePause);

    showTick(5);
    logHeader("REMOVE PROGRAM DIRECTORIES");
    walkList(ItemList::ForcedDirs, FailureCategory::Directories, forceFolder);
    walkList(ItemList::Dirs, FailureCategory::Directories, removeFolder);
    WaitProcessing(kPhasePause);

    showTick(6);
    logHeader("REMOVE REGISTRY KEYS");
    walkList(ItemList::RegKeys, FailureCategory::Registry, booleanHandler(RemoveRegKeyItem));
    walkList(ItemList::RegistryOps, FailureCategory::Registry, booleanHandler(RegistryRecordItem));
    walkList(ItemList::IniOps, FailureCategory::Ini, booleanHandler(IniRecordItem));
    walkList(ItemList::EnvironmentOps, FailureCategory::Ini, booleanHandler(EnvironmentRecordItem));
    walkList(ItemList::Associations, FailureCategory::Associations,
             booleanHandler(AssociationRecordItem));
    walkList(ItemList::OpenWithItems, FailureCategory::Associations, booleanHandler(OpenWithItem));
    WaitProcessing(kPhasePause);

    logHeader("PERFORM EXECUTE OP");
    const bool aborted = runExecuteRecords("6");
    walkList(ItemList::ServiceFiles, FailureCategory::Files, removeFile);
    if (aborted) {
        SetUninstallDone(true);
        close(ui::UnloadMode::FromCode);
        return;
    }

    if (!execDllName_.empty())
        handleItem(GetExeDir(true) + execDllName_, FailureCategory::Files, removeFile);
    const std::string report = RemovalReport(failures_);
    if (!report.empty()) ShowErrorBox(nullptr, report);
    Label7.setVisible(true);
    SetUninstallDone(true);
    CloseButton.setEnabled(true);
    CloseButton.setFocus();
    NotifyAssocChanged();
}

void TMainForm::walkList(ItemList list, FailureCategory category, const ItemHandler& handler) {
    for (const std::string& item : RemovalOrder(items(list)))
        handleItem(item, category, handler);
}

void TMainForm::handleItem(const std::string& item, FailureCategory category,
                           const ItemHandler& handler) {
    const ItemResult result = handler(item);
    if (result == ItemResult::Skipped) return;
    if (result == ItemResult::Failed) failures_.add(category);
    logItem(item, result == ItemResult::Failed);
}

bool TMainForm::runExecuteRecords(const char* stageDigit) {
    // A copy: an operation that waits lets the window close, which frees the lists.
    const std::vector<std::string> records = items(ItemList::ExecuteOps);
    bool abort = false;
    for (auto it = records.rbegin(); it != records.rend() && !abort; ++it) {
        std::string log;
        const bool ok = RunStage(execDll_.get(), *it, stageDigit, abort, log);
        if (!ok) failures_.add(FailureCategory::Execute);
        logItem(*it, !ok);
    }
    return abort;
}

void TMainForm::showTick(int phase) {
    ticks()[phase - 1]->setVisible(true);
}

void TMainForm::logHeader(std::string_view phase) {
    Memo1.setText(Memo1.text() + "\r\n" + std::string(phase) + " \r\n");
}

void TMainForm::logItem(std::string_view item, bool failed) {
    Memo1.setText(Memo1.text() + (failed ? "*" : "") + "\t" + std::string(item) + " \r\n");
}

} // namespace kv::installer::uninstall
