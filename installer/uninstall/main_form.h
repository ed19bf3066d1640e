#pragma once
// The uninstall window: the intro text, six phase labels that get a tick as each phase of
// the removal ends (or, in test mode, the log of the items handled), the completion text
// and the Close button. It holds what the removal works on: the script's lines, the item
// lists sorted from them and the execution-extension library.

#include "installer/common/exec_dll.h"
#include "platform/ui/buttons.h"
#include "platform/ui/form.h"
#include "platform/ui/pictures.h"
#include "platform/ui/rich_text.h"
#include "platform/ui/text_controls.h"
#include "platform/ui/timer.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace kv::installer::uninstall {

// The item lists the script's command lines are sorted into: one per command, and the list
// of the folder phase, which no command fills.
enum class ItemList {
    SharedFiles,       // REMOVE_SHARED_FILE
    ReadOnlyFiles,     // REMOVE_READONLY_FILE
    Files,             // REMOVE_FILE
    ServiceFiles,      // REMOVE_SERVICE_FILE
    Dirs,              // REMOVE_DIR
    ForcedDirs,        // FORCE_REMOVE_DIR
    KeptDirs,          // DONT_REMOVE_DIR
    ForgivenDirs,      // AVOID_ERR_REMOVE_DIR
    MenuFolders,       // REMOVE_FOLDER
    ForcedMenuFolders, // FORCE_REMOVE_FOLDER
    RegKeys,           // REMOVE_REG_KEY
    RegistryOps,       // SET_PERFORM_REGISTRY_OP
    IniOps,            // SET_PERFORM_INIFILE_OP
    EnvironmentOps,    // SET_PERFORM_ENVIRONMENT_OP
    Associations,      // SET_ADD_ASSOCIATION_ITEM
    OpenWithItems,     // SET_ADD_OPEN_WITH_ITEM
    ExecuteOps,        // SET_PERFORM_EXECUTE_OP
    Folders,           // the folder phase's list
};
constexpr int kItemListCount = 18;

class TMainForm : public ui::Form {
public:
    TMainForm();

    ui::PictureBox& PicturePanel = add<ui::PictureBox>("PicturePanel");
    ui::RichTextBox* RichEdit1 = &add<ui::RichTextBox>("RichEdit1"); // the intro text
    ui::PictureBox& Panel1 = add<ui::PictureBox>("Panel1");
    ui::Image& Image1 = add<ui::Image>("Image1");
    ui::Image& Image2 = add<ui::Image>("Image2");
    ui::Image& Image3 = add<ui::Image>("Image3");
    ui::Image& Image4 = add<ui::Image>("Image4");
    ui::Image& Image5 = add<ui::Image>("Image5");
    ui::Image& Image6 = add<ui::Image>("Image6");
    ui::Label& Label1 = add<ui::Label>("Label1");
    ui::Label& Label2 = add<ui::Label>("Label2");
    ui::Label& Label3 = add<ui::Label>("Label3");
    ui::Label& Label4 = add<ui::Label>("Label4");
    ui::Label& Label5 = add<ui::Label>("Label5");
    ui::Label& Label6 = add<ui::Label>("Label6");
    ui::TextBox& Memo1 = add<ui::TextBox>("Memo1"); // the item log
    ui::Label& Label7 = add<ui::Label>("Label7");   // the completion text
    ui::Label& CompanyUrlLabel = add<ui::Label>("CompanyUrlLabel");
    ui::CommandButton& CloseButton = add<ui::CommandButton>("CloseButton");
    ui::CommandButton& TestButton = add<ui::CommandButton>("TestButton");
    ui::Timer& StartupTimer = add<ui::Timer>("StartupTimer");

    // The six tick images and phase labels, in phase order.
    std::array<ui::Image*, 6> ticks();
    std::array<ui::Label*, 6> phaseLabels();

    // What the window holds for the removal.
    const std::string& scriptPath() const { return scriptPath_; }
    const std::vector<std::string>& scriptLines() const { return lines_; }
    std::vector<std::string>& items(ItemList list) { return lists_[static_cast<int>(list)]; }
    TExecDll* execDll() { return execDll_.get(); }
    std::string& execDllName() { return execDllName_; }
    int charset() const { return charset_; }

    // Makes the window the application's main window and shows it, its show event first.
    void ShowAsMain();
    // Sorts the script into the item lists and runs the removal sequence.
    void RunUninstall();

private:
    void FormCreate();
    void FormShow();
    void StartupTimerTimer();
    void CloseButtonClick();
    void CompanyUrlLabelClick();
    void FormClose();

    std::string scriptPath_;
    std::vector<std::string> lines_;
    std::array<std::vector<std::string>, kItemListCount> lists_;
    std::unique_ptr<TExecDll> execDll_;
    std::string execDllName_;
    int charset_ = 0;
};

} // namespace kv::installer::uninstall
