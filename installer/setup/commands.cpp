// The command table of the install script: each command's name, the kind of its argument
// and the field or list it sets.

#include "installer/setup/script.h"

#include <charconv>
#include <string_view>
#include <unordered_map>

namespace kv::installer {

struct ScriptCommands {
    enum class Kind { Text, Flag, List, Special };
    enum class Special {
        LangFlag,
        OverwriteFlag,
        GlobalOverwriteFlag,
        DialogDx,
        DialogDy,
        BgBitmapDx,
        BgBitmapDy,
        Dialogs,
        GroupData,
        SubDir,
        CopyFiles,
        CopyToUninstall,
        RemoveRegKey,
        RemoveAbsoluteFile,
        RemoveAbsoluteDir,
        ForceRemoveAbsoluteDir,
        ForceRemoveTargetSubDir,
        ForceRemoveTargetDir
    };
    struct Command {
        const char* name;
        Kind kind;
        int target; // a ScriptText, ScriptFlag, ScriptList or Special
    };

    static const Command* find(const std::string& name);
    static bool run(TScript& s, const Command& c, const std::string& argument);
    static bool special(TScript& s, Special which, const std::string& argument);
};

namespace {

using K = ScriptCommands::Kind;
using Sp = ScriptCommands::Special;
using T = ScriptText;
using F = ScriptFlag;
using L = ScriptList;

constexpr ScriptCommands::Command text(const char* n, T t) {
    return {n, K::Text, static_cast<int>(t)};
}
constexpr ScriptCommands::Command flag(const char* n, F f) {
    return {n, K::Flag, static_cast<int>(f)};
}
constexpr ScriptCommands::Command list(const char* n, L l) {
    return {n, K::List, static_cast<int>(l)};
}
constexpr ScriptCommands::Command special(const char* n, Sp s) {
    return {n, K::Special, static_cast<int>(s)};
}

const ScriptCommands::Command kCommands[] = {
    // Program identity and files
    text("SET_PROG_NAME", T::ProgName),
    text("SET_PROG_VERSION", T::ProgVersion),
    text("SET_COMPANY_NAME", T::CompanyName),
    text("SET_COMPANY_URL", T::CompanyUrl),
    text("SET_COPYRIGHT_NOTICE", T::CopyrightNotice),
    text("SET_COMPOSER_BUILD", T::ComposerBuild),
    text("SET_PROG_EXE_NAME", T::ProgExeName),
    text("SET_PROG_STAMP", T::ProgStamp),
    text("SET_ORIGINAL_INFO_FILE_NAME", T::OriginalInfoFileName),
    text("SET_AUTO_UPDATE_EXE_FILE_NAME", T::AutoUpdateExeFileName),
    flag("SET_RUN_AUTO_UPDATE_AT_STARTUP", F::RunAutoUpdateAtStartup),
    text("SET_EXECUTION_DLL_NAME", T::ExecutionDllName),
    text("SET_DELIVERY_FILES", T::DeliveryFiles),
    text("SET_LICENSE_FILE_NAME", T::LicenseFileName),
    text("SET_README_FILE_NAME", T::ReadmeFileName),
    text("SET_README_FILE_NAME_2", T::ReadmeFileName2),
    text("SET_ALLOWED_OS", T::AllowedOs),
    flag("SET_TEST_ADMIN_RIGHTS", F::TestAdminRights),
    special("SET_LANG_FLAG", Sp::LangFlag),
    text("SET_LANG_NAMES", T::LangNames),
    // Folders and copying
    text("SET_TARGET_DIR", T::TargetDir),
    text("SET_COMMON_DIR", T::CommonDir),
    text("SET_AUX_DIR", T::AuxDir),
    text("SET_RUN_TIME_DIR_1", T::RunTimeDir1),
    text("SET_RUN_TIME_DIR_2", T::RunTimeDir2),
    text("SET_RUN_TIME_DIR_3", T::RunTimeDir3),
    special("SET_GROUP_DATA", Sp::GroupData),
    special("SET_SUB_DIR", Sp::SubDir),
    special("SET_COPY_FILES", Sp::CopyFiles),
    special("SET_OVERWRITE_FLAG", Sp::OverwriteFlag),
    special("SET_GLOBAL_OVERWRITE_FLAG", Sp::GlobalOverwriteFlag),
    flag("SET_USE_COPY", F::UseCopy),
    flag("SET_ALL_USERS", F::AllUsers),
    // Wizard and its pages
    special("SET_DIALOGS", Sp::Dialogs),
    flag("SET_SILENT_SETUP", F::SilentSetup),
    flag("SET_REQUEST_USER_NAME", F::RequestUserName),
    flag("SET_REQUEST_COMPANY_NAME", F::RequestCompanyName),
    flag("SET_SHOW_COMPACT_SETUP", F::ShowCompactSetup),
    flag("SET_SHOW_CLOSE_RECOMMENDATION", F::ShowCloseRecommendation),
    flag("SET_SHOW_ADWARE_DISCLAIMER", F::ShowAdwareDisclaimer),
    flag("SET_PROPOSE_README", F::ProposeReadme),
    flag("SET_PROPOSE_README_CHECKED", F::ProposeReadmeChecked),
    flag("SET_PROPOSE_LAUNCH", F::ProposeLaunch),
    flag("SET_PROPOSE_LAUNCH_CHECKED", F::ProposeLaunchChecked),
    flag("SET_PROPOSE_RESTART", F::ProposeRestart),
    text("SET_DIALOG_LOCATION", T::DialogLocation),
    special("SET_DIALOG_DX", Sp::DialogDx),
    special("SET_DIALOG_DY", Sp::DialogDy),
    text("SET_DIALOG_BITMAP_FILE_NAME", T::DialogBitmapFileName),
    flag("SET_DIALOG_BITMAP_3D_FRAME", F::DialogBitmap3dFrame),
    list("SET_DIALOG_IMAGE", L::DialogImages),
    // Shortcuts
    text("SET_START_PROGRAM_LINK_FOLDER", T::StartProgramLinkFolder),
    text("SET_START_PROGRAM_LINK_NAME", T::StartProgramLinkName),
    text("SET_START_PROGRAM_LINK_RUN", T::StartProgramLinkRun),
    text("SET_START_PROGRAM_LINK_PARAM", T::StartProgramLinkParam),
    text("SET_START_PROGRAM_LINK_WORKDIR", T::StartProgramLinkWorkDir),
    text("SET_START_PROGRAM_LINK_ICON_FILE", T::StartProgramLinkIconFile),
    text("SET_START_PROGRAM_LINK_ICON_NUM", T::StartProgramLinkIconNum),
    list("SET_START_PROGRAM_LINK_ITEM", L::StartProgramLinkItems),
    text("SET_START_MENU_LINK_NAME", T::StartMenuLinkName),
    text("SET_DESKTOP_LINK_NAME", T::DesktopLinkName),
    text("SET_SENDTO_LINK_NAME", T::SendToLinkName),
    text("SET_STARTUP_LINK_NAME", T::StartupLinkName),
    // System operations
    list("SET_PERFORM_REGISTRY_OP", L::RegistryOps),
    list("SET_PERFORM_INIFILE_OP", L::IniFileOps),
    list("SET_PERFORM_ENVIRONMENT_OP", L::EnvironmentOps),
    list("SET_ADD_ASSOCIATION_ITEM", L::AssociationItems),
    flag("SET_OPEN_WITH", F::OpenWith),
    text("SET_OPEN_WITH_NAME", T::OpenWithName),
    text("SET_OPEN_WITH_MENU_TEXT", T::OpenWithMenuText),
    text("SET_OPEN_WITH_EXTENSIONS", T::OpenWithExtensions),
    list("SET_PERFORM_EXECUTE_OP", L::ExecuteOps),
    flag("SET_REGISTER_AS_APPLICATION", F::RegisterAsApplication),
    flag("SET_CREATE_UNINSTALL", F::CreateUninstall),
    flag("SET_CREATE_SETUP_LOG", F::CreateSetupLog),
    list("SET_WIN_EXEC", L::WinExec),
    list("SET_START_SERVICE", L::StartServices),
    list("SET_STOP_SERVICE", L::StopServices),
    special("SET_COPY_TO_UNINSTALL", Sp::CopyToUninstall),
    special("SET_REMOVE_REG_KEY", Sp::RemoveRegKey),
    special("SET_REMOVE_ABSOLUTE_FILE", Sp::RemoveAbsoluteFile),
    special("SET_REMOVE_ABSOLUTE_DIR", Sp::RemoveAbsoluteDir),
    special("SET_FORCE_REMOVE_ABSOLUTE_DIR", Sp::ForceRemoveAbsoluteDir),
    special("SET_FORCE_REMOVE_TARGET_SUB_DIR", Sp::ForceRemoveTargetSubDir),
    special("SET_FORCE_REMOVE_TARGET_DIR", Sp::ForceRemoveTargetDir),
    // Background window and billboard
    flag("SET_SETUP_BACKGROUND", F::SetupBackground),
    text("SET_TOP_BG_COLOR", T::TopBgColor),
    text("SET_BOTTOM_BG_COLOR", T::BottomBgColor),
    flag("SET_BOTTOM_BG_COLOR_REQ", F::BottomBgColorReq),
    text("SET_BG_BITMAP_FILE_NAME", T::BgBitmapFileName),
    flag("SET_BG_BITMAP_TRANSPARENT", F::BgBitmapTransparent),
    text("SET_BG_BITMAP_LOCATION", T::BgBitmapLocation),
    special("SET_BG_BITMAP_DX", Sp::BgBitmapDx),
    special("SET_BG_BITMAP_DY", Sp::BgBitmapDy),
    text("SET_TOP_LABEL_TEXT", T::TopLabelText),
    text("SET_TOP_LABEL_TEXT_2", T::TopLabelText2),
    text("SET_BOTTOM_LABEL_TEXT", T::BottomLabelText),
    text("SET_TOP_LABEL_FONT", T::TopLabelFont),
    text("SET_TOP_LABEL_FONT_2", T::TopLabelFont2),
    text("SET_BOTTOM_LABEL_FONT", T::BottomLabelFont),
    text("SET_TOP_LABEL_SIDE", T::TopLabelSide),
    text("SET_TOP_LABEL_SIDE_2", T::TopLabelSide2),
    text("SET_BOTTOM_LABEL_SIDE", T::BottomLabelSide),
    text("SET_TOP_LABEL_SIZE", T::TopLabelSize),
    text("SET_TOP_LABEL_STYLE", T::TopLabelStyle),
    text("SET_BOTTOM_LABEL_SIZE", T::BottomLabelSize),
    text("SET_BOTTOM_LABEL_STYLE", T::BottomLabelStyle),
    flag("SET_ADD_BILLBOARD", F::AddBillboard),
    list("SET_BILLBOARD_FILE", L::BillboardFiles),
    text("SET_BILLBOARD_DATA", T::BillboardData),
};

// A decimal whole number with an optional sign (blanks round it allowed), else the default.
int parseNumber(const std::string& argument, int defaultValue) {
    std::size_t b = argument.find_first_not_of(" \t");
    std::size_t e = argument.find_last_not_of(" \t");
    if (b == std::string::npos) return defaultValue;
    const char* first = argument.data() + b;
    const char* last = argument.data() + e + 1;
    if (*first == '+') ++first;
    int value = 0;
    auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last) return defaultValue;
    return value;
}

} // namespace

const ScriptCommands::Command* ScriptCommands::find(const std::string& name) {
    // Looked up once per script line: a hash of the names, made at first use.
    static const std::unordered_map<std::string_view, const Command*> byName = [] {
        std::unordered_map<std::string_view, const Command*> map;
        for (const Command& c : kCommands)
            map.emplace(c.name, &c); // the first of a repeated name wins
        return map;
    }();
    const auto it = byName.find(name);
    return it == byName.end() ? nullptr : it->second;
}

bool ScriptCommands::run(TScript& s, const Command& c, const std::string& argument) {
    switch (c.kind) {
    case Kind::Text:
        s.texts_[c.target] = argument;
        return true;
    case Kind::Flag:
        s.flags_[c.target] = 1;
        return true;
    case Kind::List:
        s.lists_[c.target].push_back(argument);
        return true;
    case Kind::Special:
        return special(s, static_cast<Special>(c.target), argument);
    }
    return false;
}

bool ScriptCommands::special(TScript& s, Special which, const std::string& argument) {
    auto& removal = s.lists_[TScript::index(ScriptList::Removal)];
    switch (which) {
    case Special::LangFlag:
        s.langFlag_ = parseNumber(argument, 1);
        return true;
    case Special::OverwriteFlag: {
        const int mode = parseNumber(argument, 0);
        if (mode >= 0 && mode <= 4) s.overwriteFlag_ = mode;
        return true;
    }
    case Special::GlobalOverwriteFlag: {
        const int mode = parseNumber(argument, 1);
        if (mode >= 1 && mode <= 4) s.globalOverwriteFlag_ = mode;
        return true;
    }
    case Special::DialogDx:
        s.dialogDx_ = parseNumber(argument, 0);
        return true;
    case Special::DialogDy:
        s.dialogDy_ = parseNumber(argument, 0);
        return true;
    case Special::BgBitmapDx:
        s.bgBitmapDx_ = parseNumber(argument, 0);
        return true;
    case Special::BgBitmapDy:
        s.bgBitmapDy_ = parseNumber(argument, 0);
        return true;
    case Special::Dialogs:
        s.pages_ = "," + argument + ",";
        return true;
    case Special::GroupData: {
        // A pending folder before the first group has nowhere to go and is dropped.
        s.ClosePendingSubDir();
        s.subDirPending_ = false;
        s.groups_.push_back(ScriptGroup{argument, {}});
        return true;
    }
    case Special::SubDir:
        if (!s.ClosePendingSubDir()) return false;
        if (argument.empty()) return true;
        if (argument.find("<Common Folder>") != std::string::npos)
            s.flags_[TScript::index(ScriptFlag::CommonFolderUsed)] = 1;
        if (argument.find("<Auxiliary Folder>") != std::string::npos)
            s.flags_[TScript::index(ScriptFlag::AuxiliaryFolderUsed)] = 1;
        s.subDir_ = argument;
        s.subDirPending_ = true;
        return true;
    case Special::CopyFiles: {
        if (s.groups_.empty()) return false;
        s.groups_.back().entries.push_back(std::to_string(s.overwriteFlag_) + "|" + s.subDir_ +
                                           "|" + argument);
        s.subDirPending_ = false;
        auto& uses = s.lists_[TScript::index(ScriptList::SourceUses)];
        std::size_t from = 0;
        for (;;) {
            const std::size_t bar = argument.find('|', from);
            const std::string item = argument.substr(from, bar - from);
            CopyFileItem file = SplitCopyFileItem(item);
            if (!file.name.empty()) uses.push_back(std::move(file.name));
            if (bar == std::string::npos) break;
            from = bar + 1;
        }
        return true;
    }
    case Special::CopyToUninstall:
        s.copyToUninstall_ = true;
        return true;
    case Special::RemoveRegKey:
        removal.push_back("REMOVE_REG_KEY(" + argument + ")");
        return true;
    case Special::RemoveAbsoluteFile:
        removal.push_back("REMOVE_FILE(" + argument + ")");
        return true;
    case Special::RemoveAbsoluteDir:
        removal.push_back("REMOVE_DIR(" + argument + ")");
        return true;
    case Special::ForceRemoveAbsoluteDir:
        removal.push_back("FORCE_REMOVE_DIR(" + argument + ")");
        return true;
    case Special::ForceRemoveTargetSubDir:
        removal.push_back("FORCE_REMOVE_DIR(<TARGET_DIR>\\" + argument + ")");
        return true;
    case Special::ForceRemoveTargetDir:
        removal.push_back("FORCE_REMOVE_DIR(<TARGET_DIR>)");
        return true;
    }
    return false;
}

bool TScript::ExecuteCommand(const std::string& command, const std::string& argument) {
    const ScriptCommands::Command* c = ScriptCommands::find(command);
    return c && ScriptCommands::run(*this, *c, argument);
}

} // namespace kv::installer
