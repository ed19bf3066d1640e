#pragma once
// TSDialogForm: the installation wizard. One window with a page per name of the script's
// page list, shown in the script's order with Back, Next and Cancel; it runs the stages
// "Setup Start" (before it shows) and "Setup End" (when the pages are done), starts the
// install sequence from its copy page, and asks before it closes while setup is unfinished.

#include "installer/common/exec_dll.h"
#include "installer/setup/copy_wizard.h"
#include "installer/setup/file_copy.h"
#include "installer/setup/setup_log.h"
#include "installer/setup/uninstall_data_writer.h"
#include "installer/setup/uninstall_script.h"
#include "platform/ui/buttons.h"
#include "platform/ui/form.h"
#include "platform/ui/frame.h"
#include "platform/ui/list_view.h"
#include "platform/ui/pictures.h"
#include "platform/ui/progress_bar.h"
#include "platform/ui/rich_text.h"
#include "platform/ui/text_controls.h"
#include "platform/ui/timer.h"

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kv::installer {

class TScript;
class TSMainForm;
class TCopyBarForm;

// The extra shortcuts offered beside the program menu's, in the order of their boxes.
enum class ExtraShortcut : int { StartMenu, Desktop, SendTo, StartUp, Count };

class TSDialogForm : public ui::Form, public CopyWizard {
public:
    // The script must outlive the wizard.
    explicit TSDialogForm(TScript& script);
    ~TSDialogForm() override;

    // The page control and its pages, one per page name (CopyFilesDlgHide has none).
    ui::Frame& PageControl = add<ui::Frame>("PageControl");
    ui::Frame& WelcomeDlg = add<ui::Frame>("WelcomeDlg");
    ui::Frame& LicenseDlg = add<ui::Frame>("LicenseDlg");
    ui::Frame& ReadmeDlg = add<ui::Frame>("ReadmeDlg");
    ui::Frame& UserInformationDlg = add<ui::Frame>("UserInformationDlg");
    ui::Frame& DestinationDlg = add<ui::Frame>("DestinationDlg");
    ui::Frame& SetupTypeDlg = add<ui::Frame>("SetupTypeDlg");
    ui::Frame& CustomDlg = add<ui::Frame>("CustomDlg");
    ui::Frame& AssociateDlg = add<ui::Frame>("AssociateDlg");
    ui::Frame& ShortcutsDlg = add<ui::Frame>("ShortcutsDlg");
    ui::Frame& ConfirmSetupDlg = add<ui::Frame>("ConfirmSetupDlg");
    ui::Frame& CopyFilesDlg = add<ui::Frame>("CopyFilesDlg");
    ui::Frame& CompleteDlg = add<ui::Frame>("CompleteDlg");

    // The picture beside the pages: the page's own, else the default one.
    ui::PictureBox& SideImage = add<ui::PictureBox>("SideImage");

    // What the pages show, fill and read, page by page. The text panes are replaced by
    // right-to-left ones for Hebrew and Arabic, hence pointers.
    ui::RichTextBox* WelcomeText = &add<ui::RichTextBox>("WelcomeText");
    ui::Label& LicenseLabel1 = add<ui::Label>("LicenseLabel1");
    ui::RichTextBox& LicenseEdit = add<ui::RichTextBox>("LicenseEdit"); // the licence file
    ui::Label& LicenseLabel2 = add<ui::Label>("LicenseLabel2");
    ui::OptionButton& LicenseAcceptRadio = add<ui::OptionButton>("LicenseAcceptRadio");
    ui::OptionButton& LicenseDeclineRadio = add<ui::OptionButton>("LicenseDeclineRadio");
    ui::Label& ReadmeLabel = add<ui::Label>("ReadmeLabel");
    ui::RichTextBox& ReadmeEdit = add<ui::RichTextBox>("ReadmeEdit"); // the readme file
    ui::RichTextBox* UserInfoText = &add<ui::RichTextBox>("UserInfoText");
    ui::Label& NameLabel = add<ui::Label>("NameLabel");
    ui::TextBox& NameEdit = add<ui::TextBox>("NameEdit");
    ui::Label& CompanyLabel = add<ui::Label>("CompanyLabel");
    ui::TextBox& CompanyEdit = add<ui::TextBox>("CompanyEdit");
    ui::RichTextBox* DestinationText = &add<ui::RichTextBox>("DestinationText");
    ui::Frame& DestinationGroup = add<ui::Frame>("DestinationGroup");
    ui::TextBox& TargetEdit = add<ui::TextBox>("TargetEdit");
    ui::CommandButton& BrowseButton = add<ui::CommandButton>("BrowseButton");
    ui::Label& SpaceRequiredTitle = add<ui::Label>("SpaceRequiredTitle");
    ui::Label& SpaceRequiredLabel = add<ui::Label>("SpaceRequiredLabel"); // the figures
    ui::Label& SpaceAvailableTitle = add<ui::Label>("SpaceAvailableTitle");
    ui::Label& SpaceAvailableLabel = add<ui::Label>("SpaceAvailableLabel");
    ui::RichTextBox* SetupTypeText = &add<ui::RichTextBox>("SetupTypeText");
    ui::OptionButton& TypicalRadio = add<ui::OptionButton>("TypicalRadio");
    ui::RichTextBox* TypicalText = &add<ui::RichTextBox>("TypicalText");
    ui::OptionButton& CompactRadio = add<ui::OptionButton>("CompactRadio");
    ui::RichTextBox* CompactText = &add<ui::RichTextBox>("CompactText");
    ui::OptionButton& CustomRadio = add<ui::OptionButton>("CustomRadio");
    ui::RichTextBox* CustomText = &add<ui::RichTextBox>("CustomText");
    ui::RichTextBox* ComponentsText = &add<ui::RichTextBox>("ComponentsText");
    ui::Label& ComponentsLabel = add<ui::Label>("ComponentsLabel");
    ui::ListView& ComponentList = add<ui::ListView>("ComponentList");
    ui::Label& DescriptionLabel = add<ui::Label>("DescriptionLabel");
    ui::RichTextBox& DescriptionEdit = add<ui::RichTextBox>("DescriptionEdit");
    ui::RichTextBox* AssociateText = &add<ui::RichTextBox>("AssociateText");
    ui::Label& AssociateLabel = add<ui::Label>("AssociateLabel");
    ui::ListView& AssociateList = add<ui::ListView>("AssociateList");
    ui::RichTextBox* ShortcutsText = &add<ui::RichTextBox>("ShortcutsText");
    ui::Label& ProgramMenuLabel = add<ui::Label>("ProgramMenuLabel");
    ui::TextBox& ProgramMenuEdit = add<ui::TextBox>("ProgramMenuEdit");
    ui::CheckBox& StartMenuCheck = add<ui::CheckBox>("StartMenuCheck");
    ui::CheckBox& DesktopCheck = add<ui::CheckBox>("DesktopCheck");
    ui::CheckBox& SendToCheck = add<ui::CheckBox>("SendToCheck");
    ui::CheckBox& StartUpCheck = add<ui::CheckBox>("StartUpCheck");
    ui::RichTextBox* ConfirmText = &add<ui::RichTextBox>("ConfirmText");
    ui::TextBox& SummaryEdit = add<ui::TextBox>("SummaryEdit"); // the confirm page's summary
    ui::RichTextBox* CompleteText = &add<ui::RichTextBox>("CompleteText");
    ui::RichTextBox* FinishText = &add<ui::RichTextBox>("FinishText"); // "Click Finish..."
    ui::CheckBox& ReadmeCheck = add<ui::CheckBox>("ReadmeCheck");
    ui::CheckBox& LaunchCheck = add<ui::CheckBox>("LaunchCheck");
    ui::Frame& RestartGroup = add<ui::Frame>("RestartGroup");
    ui::OptionButton& RestartNowRadio = add<ui::OptionButton>("RestartNowRadio");
    ui::OptionButton& RestartLaterRadio = add<ui::OptionButton>("RestartLaterRadio");
    ui::ProgressBar& CopyBar = add<ui::ProgressBar>("CopyBar");
    ui::Label& CopyFileLabel = add<ui::Label>("CopyFileLabel");
    ui::Label& CopyFolderLabel = add<ui::Label>("CopyFolderLabel");

    // Below the pages.
    ui::Label& HintLabel = add<ui::Label>("HintLabel");
    ui::Label& UrlLabel = add<ui::Label>("UrlLabel");
    ui::CommandButton& BackButton = add<ui::CommandButton>("BackButton");
    ui::CommandButton& NextButton = add<ui::CommandButton>("NextButton");
    ui::CommandButton& CancelButton = add<ui::CommandButton>("CancelButton");
    ui::Timer& StopTimer = add<ui::Timer>("StopTimer");   // closes once copying is over
    ui::Timer& CopyTimer = add<ui::Timer>("CopyTimer");   // starts the install sequence
    ui::Timer& SpaceTimer = add<ui::Timer>("SpaceTimer"); // recomputes the space figures

    // Before the first page: the extension library, the log header, the texts, the
    // folders, the shortcut names, the setup types, the component and file-type rows, the
    // space figures and the user's name and company.
    void Prepare();
    // Hands the script's three run-time folder records to the run-time folder unit.
    void SetRunTimeDirs();
    // Runs the "Setup Start" stage; abort tells that setup must end now.
    void RunSetupStart(bool& abort);
    // What setup runs before the wizard first shows: the run-time folder records, Prepare,
    // then the "Setup Start" stage. False when that stage asks setup to end.
    bool PrepareAndRunSetupStart();
    // Runs the stage's execute-operation records in order until one aborts, logging each
    // record's non-empty log; a run-time folder that had to be found also aborts.
    void RunStageOps(char stage, bool& abort);

    // The application, common and auxiliary folders: the preset when there is one, else
    // the target edit or the script's folder expanded.
    std::string AppFolder(bool withSlash);
    std::string CommonFolder(bool withSlash);
    std::string AuxFolder(bool withSlash);
    // Hands the three folders to the folder-variable unit.
    void HandFoldersOver();
    // "Typical", "Compact" or "Custom" after the chosen setup type.
    std::string SetupTypeName() const;
    // Whether the group of a component row is installed under the chosen setup type.
    bool GroupSelected(int row) const;
    // "|" + each selected row's caption + "|"; empty when none is selected.
    std::string SelectedGroupNames() const;
    // The extra shortcut's name (its leading "^" removed).
    const std::string& ExtraShortcutName(ExtraShortcut which) const;
    // The confirm page's summary: folders, checked shortcuts and the user's details.
    std::string ConfirmSummary();
    // Recomputes the space required and available.
    void ShowSpace();

    // The first show: placement, the starting page.
    void FormShow();
    // Places the wizard by the script's placement (hidden in a background update).
    void SetDialogLocation();
    // Shows the page at the script's page index; false when its name has no page.
    bool ShowCurrentPage();
    void NextButtonClick();
    // Picks the target folder, starting at the edit's nearest existing folder.
    void BrowseButtonClick();
    void BackButtonClick();
    // The pages are done: the "Setup End" stage, then the wizard closes.
    void FinishDialogs();
    // Ends setup: exit chosen (no question), the wizard closed.
    void AbortSetup() override;
    // Frees the wizard without the close question (setup ended before it showed).
    void Free();
    // The background window that made the wizard: the area it is placed in, closed with it.
    void SetMainWindow(TSMainForm* form) { mainWindow_ = form; }
    TSMainForm* MainWindow() const { return mainWindow_; }
    // The copy bar shown instead of the wizard while copying (SET_ADD_BILLBOARD), while
    // it exists.
    TCopyBarForm* CopyBarWindow() const { return copyBar_; }
    // A background update: the wizard is placed out of sight.
    void SetBackgroundUpdate(bool on) { backgroundUpdate_ = on; }
    // The install sequence, started once by the copy timer: the folders, the stages
    // "Before Copy" and "After Copy", the first uninstall data, the copy, the removal lines,
    // then the end of a silent setup or the next page. Copying is marked while it runs.
    void Install();
    // Creates the folder with its parents, logging the message, the folder and the result;
    // a failure shows the "cannot create" box. False on failure.
    bool CreateDirLogged(const std::string& message, const std::string& folder);
    // The unexpanded records of the checked file-type rows, in script order.
    std::vector<std::string> CheckedFileTypes() const;
    // Records the user's name and company under the program's key, with its removal line.
    void RecordRegKey();
    // The script's registry, INI and environment operations, the checked file types and
    // the open-with verb, each run with the install action and logged.
    void DoRegistryOps();
    void DoIniFileOps();
    void DoEnvironmentOps();
    void DoAssociations();
    void DoOpenWith();
    // The program menu's shortcuts, the checked extra ones and the auto-update link at
    // start-up, each with its removal line.
    void CreateShortcuts();
    // Registers the COM servers the copy collected.
    void RegisterCopiedServers();

    // Setup.log, the uninstall script and the files to register after copying.
    SetupLog& Log() { return log_; }
    UninstallScript& Uninstall() { return uninstall_; }
    const std::vector<std::string>& RegisterList() const { return registerList_; }
    TExecDll* ExecDll() { return execDll_.get(); }
    bool Copying() const { return copying_; }
    bool Closed() const { return closed_; }
    bool RestartNeeded() const { return restartNeeded_; }

    // What the copy step reads and tells.
    std::string SelectionString() override;
    std::string ExpandFormVars(std::string_view text) override;
    void StepCopyBar() override;
    void ShowCopyFile(const std::string& fileName, const std::string& folder) override;
    void SetRestartNeeded() override { restartNeeded_ = true; }
    void SetCopyEntriesRunning(bool running) override { copyEntriesRunning_ = running; }
    void AddToRegisterList(const std::string& path) override { registerList_.push_back(path); }
    bool ExitQuestionOpen() override;
    bool ExitChosen() override;

private:
    // The texts of the pages and their controls, from the language; right to left for
    // Hebrew and Arabic.
    void LoadTexts();
    // Fills a text pane (markup applied) and turns it right to left for Hebrew and Arabic.
    void SetPaneText(ui::RichTextBox*& pane, std::string_view text);
    // The page's picture by its key in the script's picture list; the default picture when
    // it has none or it cannot be loaded.
    void SetPagePicture(std::string_view key);
    // The shortcut page's text: the extra shortcuts' line only when one has a name.
    void SetShortcutsText();
    // The Complete page's main text: done, then the launch offer or the restart notice.
    void SetCompleteText();
    // Hides the extra shortcut boxes without a name, moving the others up (once).
    void ArrangeShortcutBoxes();
    // The selected component row's description.
    void ComponentList_ItemClick(int row);
    void FillComponentList();
    void FillAssociateList();
    void ShowUserFields();
    // A page by name: its caption, log line, page and buttons, then its own steps.
    void ShowPage(const std::string& page);
    void UpdateButtons();
    // The Complete page's boxes, restart choice and Finish button.
    void ShowCompletePage();
    // Whether the page lets Next go on.
    bool ValidatePage();

    void Form_Activate();
    void Form_QueryUnload(int& cancel);
    void Form_Unload();
    void CancelButton_Click();
    void UrlLabel_Click();
    void TargetEdit_Change();
    void StopTimer_Timer();
    void CopyTimer_Timer();
    void SpaceTimer_Timer();
    // The steps of Install between marking and clearing the copy.
    void RunInstallSteps();
    // After a failed copy: the copy bar and its billboard go and the wizard shows again on
    // its copy page, whose Cancel ends setup (closes at once when the bar was cancelled).
    void GiveWayToTheWizard();

    TScript& script_;
    TSMainForm* mainWindow_ = nullptr;
    TCopyBarForm* copyBar_ = nullptr;
    std::unique_ptr<TExecDll> execDll_;
    SetupLog log_;
    UninstallScript uninstall_;
    FileCopier copier_{script_, log_, uninstall_, *this};
    UninstallDataWriter uninstallData_{script_, uninstall_, copier_, *this};
    std::vector<std::string> registerList_;
    std::array<std::string, static_cast<int>(ExtraShortcut::Count)> extraNames_;
    bool copying_ = false;
    bool restartNeeded_ = false;
    bool firstShowDone_ = false;
    bool copyEntriesRunning_ = false;
    bool backgroundUpdate_ = false;
    bool freeing_ = false;
    bool closed_ = false;
    bool shortcutBoxesArranged_ = false;
    ui::Picture defaultPicture_;   // the side picture of pages without one of their own
    std::string shownPictureFile_; // the page picture's file name shown last
};

} // namespace kv::installer
