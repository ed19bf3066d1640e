// The install sequence's shortcuts: the program menu's (the main one and the script's link
// items), the checked extra ones and the auto-update link at start-up, each with the line
// that removes it again.

#include "installer/common/delimited_lists.h"
#include "installer/common/links.h"
#include "installer/common/paths.h"
#include "installer/common/system_queries.h"
#include "installer/setup/script.h"
#include "installer/setup/setup_state.h"
#include "installer/setup/wizard_form.h"
#include "platform/fs/path.h"
#include "platform/text/ansi.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace kv::installer {
namespace {

// Joined to the last log line.
constexpr const char* kLinkOk = "\\\\x ... OK";
constexpr const char* kLinkFailed = "\\\\x ... FAILED";

// One shortcut: its name, target, folder inside the Programs menu, parameters, working
// folder, show state and icon.
struct LinkRecord {
    std::string name;
    std::string target;
    std::string folder;
    std::string parameters;
    std::string workingFolder;
    int showMode = 1;
    std::string iconFile;
    int iconIndex = 0;
};

// "Maximized" and "Minimized" show the window so; anything else normally.
int showModeOf(std::string_view run) {
    if (run == "Maximized") return 3;
    if (run == "Minimized") return 7;
    return 1;
}

// A whole number; 0 when the text is not one.
int wholeNumber(const std::string& text) {
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    return end != text.c_str() && *end == '\0' ? static_cast<int>(value) : 0;
}

bool endsWithNoCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           text::equalsNoCase(text.substr(text.size() - suffix.size()), suffix);
}

// The levels of a folder path ("/" read as "\"), empty ones left out.
std::vector<std::string> folderLevels(std::string folder) {
    for (char& c : folder)
        if (c == '/') c = '\\';
    std::vector<std::string> levels;
    std::size_t start = 0;
    while (start <= folder.size()) {
        std::size_t end = folder.find('\\', start);
        if (end == std::string::npos) end = folder.size();
        if (end > start) levels.push_back(folder.substr(start, end - start));
        start = end + 1;
    }
    return levels;
}

// Whether the folder, with "." and ".." resolved, lies strictly below the parent.
bool liesBelow(const std::string& folder, const std::string& parent) {
    const std::string full = fs::fullPath(folder);
    const std::string top = fs::fullPath(parent);
    if (full.empty() || top.empty()) return false;
    const std::string prefix = SetTrailingSlash(top, true);
    return full.size() > prefix.size() &&
           text::equalsNoCase(std::string_view(full).substr(0, prefix.size()), prefix);
}

} // namespace

void TSDialogForm::CreateShortcuts() {
    const bool allUsers = script_.Flag(ScriptFlag::AllUsers) && !IsWin9x() && IsAdmin();
    const std::string menuFolder = ProgramMenuEdit.text();
    log_.Log("Create Start/Program Link(s):");

    LinkRecord main;
    main.name = script_.Text(ScriptText::StartProgramLinkName);
    main.target = script_.Text(ScriptText::ProgExeName);
    main.parameters = script_.Text(ScriptText::StartProgramLinkParam);
    main.workingFolder = script_.Text(ScriptText::StartProgramLinkWorkDir);
    main.showMode = showModeOf(script_.Text(ScriptText::StartProgramLinkRun));
    main.iconFile = script_.Text(ScriptText::StartProgramLinkIconFile);
    main.iconIndex = wholeNumber(script_.Text(ScriptText::StartProgramLinkIconNum));
    auto expand = [&](LinkRecord& link) {
        link.target = ExpandFormVars(link.target);
        link.parameters = ExpandFormVars(link.parameters);
        link.workingFolder = ExpandFormVars(link.workingFolder);
        link.iconFile = ExpandFormVars(link.iconFile);
    };
    expand(main);

    std::vector<LinkRecord> links{main};
    for (const std::string& item : script_.List(ScriptList::StartProgramLinkItems)) {
        const std::string items = "," + item + ",";
        LinkRecord link;
        link.name = ListItem(items, 0);
        link.target = ListItem(items, 1);
        link.folder = ListItem(items, 2);
        link.parameters = ListItem(items, 3);
        link.workingFolder = ListItem(items, 4);
        link.showMode = showModeOf(ListItem(items, 5));
        link.iconFile = ListItem(items, 6);
        link.iconIndex = wholeNumber(ListItem(items, 7));
        expand(link);
        links.push_back(link);
    }

    const std::string linkFolder = script_.Text(ScriptText::StartProgramLinkFolder);
    const std::string programs = ShellFolder(kFolderPrograms, allUsers);
    for (const LinkRecord& link : links) {
        std::string folder;
        if (link.folder.empty() || text::equalsNoCase(link.folder, linkFolder))
            folder = menuFolder;
        else if (link.folder.front() == '\\')
            folder = link.folder.substr(1);
        else
            folder = menuFolder + "\\" + link.folder;
        if (link.name.empty() || !IsLinkTarget(link.target)) continue;
        log_.Log("  " + folder + "\\" + link.name + "  (" + link.target + ")");
        const std::string path = CreateShortcut(kFolderPrograms, folder, allUsers, link.showMode,
                                                link.iconIndex, link.iconFile, link.workingFolder,
                                                link.parameters, link.target, link.name);
        if (path.empty()) continue; // no Programs folder known: nothing was made
        if (path.find("Check for New Update.lnk") != std::string::npos)
            uninstallData_.WriteInfoValue("UnInstall", "CheckforNewUpdateLink", path);
        // Each level of the record's folder above the deepest, deepest first, goes once it
        // is empty. The path holds the folder as written: its "/" are read as "\" too.
        auto removeUpperLevels = [&](std::string level) {
            std::replace(level.begin(), level.end(), '/', '\\');
            const std::vector<std::string> levels = folderLevels(link.folder);
            for (std::size_t n = levels.size(); n > 1; --n) {
                const std::size_t at = level.rfind("\\" + levels[n - 1]);
                if (at == std::string::npos) break;
                level.resize(at);
                uninstall_.AddUninstallLine("REMOVE_FOLDER(" + level + ")", false);
            }
        };
        if (endsWithNoCase(path, ".lnk") || endsWithNoCase(path, ".url")) {
            uninstall_.AddUninstallLine("REMOVE_FILE(" + path + ")", false);
            // A link file in a folder of the menu (an Internet shortcut): that folder and
            // those above it of the record's folder go too once empty, or they would stay
            // behind and fail the removal of the program's menu folder.
            const std::string own = path.substr(0, path.rfind('\\'));
            if (!folder.empty() && liesBelow(own, programs)) {
                uninstall_.AddUninstallLine("REMOVE_FOLDER(" + own + ")", false);
                removeUpperLevels(own);
            }
        } else if (link.folder.empty()) {
            // A link of the program's menu folder (the main one, or an item naming no
            // folder): the link itself, then the folder once it is empty.
            uninstall_.AddUninstallLine("REMOVE_FILE(" + path + "\\" + link.name + ".lnk)", false);
            uninstall_.AddUninstallLine("REMOVE_FOLDER(" + path + ")", false);
        } else if (!link.folder.empty()) {
            // A folder climbing with ".." to the Programs folder or above it is not the
            // program's to delete with its contents.
            if (liesBelow(path, programs))
                uninstall_.AddUninstallLine("FORCE_REMOVE_FOLDER(" + path + ")", false);
            removeUpperLevels(path);
        }
    }

    struct Extra {
        ExtraShortcut which;
        ui::CheckBox& box;
        const char* title;
        int kind;
        bool reported;
    };
    const Extra extras[] = {
        {ExtraShortcut::StartMenu, StartMenuCheck, "Create Start Menu Link:", kFolderStartMenu,
         false},
        {ExtraShortcut::Desktop, DesktopCheck, "Create Desktop Link:", kFolderDesktop, false},
        {ExtraShortcut::SendTo, SendToCheck, "Create SendTo Link:", kFolderSendTo, true},
        {ExtraShortcut::StartUp, StartUpCheck, "Create StartUp Link:", kFolderStartup, true},
    };
    for (const Extra& extra : extras) {
        if (!extra.box.checked()) continue;
        log_.Log(extra.title);
        const std::string& name = ExtraShortcutName(extra.which);
        if (name.empty() || !IsLinkTarget(main.target)) continue;
        log_.Log("  " + name + "  (" + main.target + ")");
        const std::string path =
            CreateShortcut(extra.kind, "", allUsers, main.showMode, main.iconIndex, main.iconFile,
                           main.workingFolder, main.parameters, main.target, name);
        if (extra.reported) log_.Log(path.empty() ? kLinkFailed : kLinkOk);
        if (!path.empty()) uninstall_.AddUninstallLine("REMOVE_FILE(" + path + ")", false);
    }

    if (!script_.Flag(ScriptFlag::RunAutoUpdateAtStartup)) return;
    const std::string target = AppFolder(true) + script_.Text(ScriptText::AutoUpdateExeFileName);
    log_.Log("Create AutoUpdate link at StartUp:");
    const std::string name = script_.Text(ScriptText::ProgName) + " - Auto Update";
    if (!IsLinkTarget(target)) return;
    log_.Log("  " + name + "  (" + target + ")");
    const std::string path =
        CreateShortcut(kFolderStartup, "", allUsers, 0, 0, "", AppFolder(false), "", target, name);
    setupState().secondProgram = target;
    if (path.empty()) return;
    uninstall_.AddUninstallLine("REMOVE_FILE(" + path + ")", false);
    uninstallData_.WriteInfoValue("UnInstall", "StartUpLink", path);
}

} // namespace kv::installer
