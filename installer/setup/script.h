#pragma once
// The install script "Setup.txt": its lines read, cleaned of comments and executed into
// settings, flags and lists that the wizard, the background window and the program body
// read. One TScript is loaded at start and lives for the whole run.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kv::installer {

// Text settings, one per text command (the command's name in the comment where it is not
// plain from the name).
enum class ScriptText : int {
    ProgName,
    ProgVersion,
    CompanyName,
    CompanyUrl,
    CopyrightNotice,
    ComposerBuild,
    ProgExeName,
    ProgStamp,
    OriginalInfoFileName,
    AutoUpdateExeFileName,
    ExecutionDllName,
    DeliveryFiles,
    LicenseFileName,
    ReadmeFileName,
    ReadmeFileName2,
    AllowedOs,
    LangNames,
    TargetDir,
    CommonDir,
    AuxDir,
    RunTimeDir1,
    RunTimeDir2,
    RunTimeDir3,
    DialogLocation,
    DialogBitmapFileName,
    StartProgramLinkFolder,
    StartProgramLinkName,
    StartProgramLinkRun,
    StartProgramLinkParam,
    StartProgramLinkWorkDir,
    StartProgramLinkIconFile,
    StartProgramLinkIconNum,
    StartMenuLinkName,
    DesktopLinkName,
    SendToLinkName,
    StartupLinkName,
    OpenWithName,
    OpenWithMenuText,
    OpenWithExtensions,
    TopBgColor,
    BottomBgColor,
    BgBitmapFileName,
    BgBitmapLocation,
    TopLabelText,
    TopLabelText2,
    BottomLabelText,
    TopLabelFont,
    TopLabelFont2,
    BottomLabelFont,
    TopLabelSide,
    TopLabelSide2,
    BottomLabelSide,
    TopLabelSize,
    TopLabelStyle,
    BottomLabelSize,
    BottomLabelStyle,
    BillboardData,
    Count
};

// Flags: each set to true by its command; the last two are set by SET_SUB_DIR.
enum class ScriptFlag : int {
    RunAutoUpdateAtStartup,
    TestAdminRights,
    UseCopy,
    AllUsers,
    SilentSetup,
    RequestUserName,
    RequestCompanyName,
    ShowCompactSetup,
    ShowCloseRecommendation,
    ShowAdwareDisclaimer,
    ProposeReadme,
    ProposeReadmeChecked,
    ProposeLaunch,
    ProposeLaunchChecked,
    ProposeRestart,
    DialogBitmap3dFrame,
    OpenWith,
    RegisterAsApplication,
    CreateUninstall,
    CreateSetupLog,
    SetupBackground,
    BottomBgColorReq,
    BgBitmapTransparent,
    AddBillboard,
    CommonFolderUsed,
    AuxiliaryFolderUsed,
    Count
};

// Lists appended to in script order.
enum class ScriptList : int {
    RegistryOps,
    IniFileOps,
    EnvironmentOps,
    AssociationItems,
    ExecuteOps,
    StartProgramLinkItems,
    WinExec,
    StartServices,
    StopServices,
    BillboardFiles,
    DialogImages,
    SourceUses,
    Removal,
    Count
};

// One SET_GROUP_DATA: the group record ("|"-separated items) and its copy entries, each
// "<overwrite mode>|<sub folder>|<file items>".
struct ScriptGroup {
    std::string record;
    std::vector<std::string> entries;
};

// Item `index` of a group record (0 name, 1 size in KB, 2 in Typical, 3 in Compact, 4 file
// count, 5 description, 6 starts checked); empty when missing.
std::string GroupItem(const ScriptGroup& group, int index);

// A file item of SET_COPY_FILES split into its CopyFileFlags prefix and its name.
struct CopyFileItem {
    int flags = 0;
    std::string name;
};
CopyFileItem SplitCopyFileItem(std::string_view item);

// The argument without its outer double quotes, each doubled quote inside made one; an
// argument not quoted at both ends is returned as it is.
std::string UnquoteArgument(std::string_view argument);

class TScript {
public:
    TScript() { Reset(); }

    // Every field to its default, every list emptied.
    void Reset();
    // Resets, reads the file (a machine path) and executes it; false when it does not exist.
    bool LoadFromFile(const std::string& path);
    // Resets and executes script text given directly (the load steps after reading).
    void LoadFromText(std::string_view text);
    // Chooses and loads the language file of the script (see language.h).
    void LoadLanguage();

    std::string Text(ScriptText which) const { return texts_[index(which)]; }
    bool Flag(ScriptFlag which) const { return flags_[index(which)] != 0; }
    // Sets a flag after loading (the command line's background update makes setup silent).
    void SetFlag(ScriptFlag which) { flags_[index(which)] = 1; }
    const std::vector<std::string>& List(ScriptList which) const { return lists_[index(which)]; }
    const std::vector<ScriptGroup>& Groups() const { return groups_; }
    // The script's lines after preprocessing.
    const std::vector<std::string>& Lines() const { return lines_; }

    int LangFlag() const { return langFlag_; }
    int OverwriteFlag() const { return overwriteFlag_; }
    int GlobalOverwriteFlag() const { return globalOverwriteFlag_; }
    int DialogDX() const { return dialogDx_; }
    int DialogDY() const { return dialogDy_; }
    int BgBitmapDX() const { return bgBitmapDx_; }
    int BgBitmapDY() const { return bgBitmapDy_; }
    bool CopyToUninstall() const { return copyToUninstall_; }
    std::string SubDir() const { return subDir_; }
    bool SubDirPending() const { return subDirPending_; }

    // Removes the first use of the path's file name from the source-use list; true when a
    // further use remains (so the file must not be moved away yet).
    bool UseScriptFile(std::string_view sourcePath);

    // Pages: SET_DIALOGS framed by commas, and the current page index.
    std::string Pages() const { return pages_; }
    int PageIndex() const { return pageIndex_; }
    void SetPageIndex(int index) { pageIndex_ = index; }
    // Index of the page name (trimmed, without regard to case); -1 when it is not listed.
    int PageIndexOf(std::string_view name) const;
    void SetPage(std::string_view name) { pageIndex_ = PageIndexOf(name); }
    void NextPage() { ++pageIndex_; }
    void PrevPage() { --pageIndex_; }
    // The page at the index, trimmed; empty outside the list.
    std::string CurrentPage() const;
    // Whether the name occurs anywhere in the page text (without regard to case).
    bool IsPageListed(std::string_view name) const;

    // Line steps of a load, exposed for tests.
    static void StripBlockComments(std::string& text);
    static void StripLineComments(std::vector<std::string>& lines);
    static void TrimAndDropEmpty(std::vector<std::string>& lines);
    void Execute();

private:
    friend struct ScriptCommands;
    template <class E> static std::size_t index(E e) { return static_cast<std::size_t>(e); }
    void Run(std::string text);
    // Runs one command; false when it is unknown or has no group to add to.
    bool ExecuteCommand(const std::string& command, const std::string& argument);
    // Closes a pending, non-empty sub folder with an entry without files; false when there
    // is no group to hold it.
    bool ClosePendingSubDir();

    std::vector<std::string> lines_;
    std::vector<std::string> texts_;
    std::vector<char> flags_;
    std::vector<std::vector<std::string>> lists_;
    std::vector<ScriptGroup> groups_;
    int langFlag_ = 1;
    int overwriteFlag_ = 0;
    int globalOverwriteFlag_ = 1;
    int dialogDx_ = 0, dialogDy_ = 0, bgBitmapDx_ = 0, bgBitmapDy_ = 0;
    bool copyToUninstall_ = false;
    std::string subDir_;
    bool subDirPending_ = false;
    std::string pages_;
    int pageIndex_ = 0;
};

} // namespace kv::installer
