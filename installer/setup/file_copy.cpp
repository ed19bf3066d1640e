#include "installer/setup/file_copy.h"

#include "installer/common/file_names.h"
#include "installer/common/folders.h"
#include "installer/common/install_registry.h"
#include "installer/common/messages.h"
#include "installer/common/paths.h"
#include "installer/common/registry_primitives.h"
#include "installer/common/run_time_folders.h"
#include "installer/common/system_queries.h"
#include "installer/setup/copy_wizard.h"
#include "installer/setup/language.h"
#include "installer/setup/overwrite_rules.h"
#include "installer/setup/script.h"
#include "installer/setup/setup_log.h"
#include "installer/setup/uninstall_script.h"
#include "platform/fs/attributes.h"
#include "platform/fs/files.h"
#include "platform/fs/path.h"
#include "platform/fs/pending_renames.h"
#include "platform/fs/short_names.h"
#include "platform/text/ansi.h"
#include "platform/ui/application.h"

#include <charconv>
#include <vector>

namespace kv::installer {
namespace {

// Lines of the setup log joined to the "  Copy File: " line.
constexpr std::string_view kCopyOk = "\\\\x ... OK";
constexpr std::string_view kCopyDelayed = "\\\\x ... OK Delayed";
constexpr std::string_view kCopyFailed = "\\\\x ... FAILED";
constexpr std::string_view kSourceMissing = "\\\\x ... File not Found!";

// Replace existing, copy allowed, write through / delay until reboot, replace existing.
constexpr unsigned kMoveNow =
    fs::kMoveReplaceExisting | fs::kMoveCopyAllowed | fs::kMoveWriteThrough;
constexpr unsigned kMoveAtRestart = fs::kMoveDelayUntilReboot | fs::kMoveReplaceExisting;

// The file items of a list, trimmed; blank items name no file and are left out.
std::vector<CopyFileItem> fileItems(std::string_view fileList) {
    std::vector<CopyFileItem> items;
    for (std::string_view part : text::splitAt(fileList, '|')) {
        part = text::trimBlanks(part);
        if (!part.empty()) items.push_back(SplitCopyFileItem(part));
    }
    return items;
}

// The overwrite mode of an entry: its number, or the global mode for 0 or no number.
int entryMode(std::string_view text, int globalMode) {
    text = text::trimBlanks(text);
    int mode = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), mode);
    if (error != std::errc() || end != text.data() + text.size() || mode == 0) return globalMode;
    return mode;
}

// Whether the folder is one of the system's own, which the uninstaller must never remove.
bool isSystemFolder(std::string_view folder) {
    const std::string systemFolders[] = {
        GetWindowsDir(false), GetSystemDir(false),  GetTempDir(false),   GetSystem16Dir(),
        GetFontsDir(),        GetProgramFilesDir(), GetCommonFilesDir(),
    };
    for (const std::string& system : systemFolders)
        if (!system.empty() && text::equalsNoCase(SetTrailingSlash(system, false), folder))
            return true;
    return false;
}

// The same drive: the first three characters equal without regard to case.
bool sameDrive(std::string_view a, std::string_view b) {
    return a.size() >= 3 && b.size() >= 3 && text::equalsNoCase(a.substr(0, 3), b.substr(0, 3));
}

bool isFile(std::string_view path) {
    return fs::exists(path) && !fs::isDirectory(path);
}

} // namespace

bool FileCopier::CopyGroups() {
    wizard_.SetCopyEntriesRunning(true);
    const std::string selection = wizard_.SelectionString();
    const std::vector<ScriptGroup>& groups = script_.Groups();
    const std::string sourceFolder = GetExeDir(false);
    bool ok = true;
    for (std::size_t g = 0; g < selection.size() && g < groups.size(); ++g) {
        if (selection[g] != '1') continue;
        for (const std::string& entry : groups[g].entries) {
            if (!ok) break;
            // No entry starts while the exit question is open: "exit" ends the copy as a
            // failure, "resume" goes on with this entry.
            if (wizard_.ExitQuestionOpen() && !resumedAfterExitQuestion()) {
                ok = false;
                break;
            }
            if (RunTimeDirAbort()) break;
            const std::size_t first = entry.find('|');
            const std::size_t second =
                first == std::string::npos ? std::string::npos : entry.find('|', first + 1);
            const std::string_view text(entry);
            const std::string_view modeText = text.substr(0, first);
            const std::string_view subFolder = first == std::string::npos
                                                   ? std::string_view()
                                                   : text.substr(first + 1, second - first - 1);
            const std::string_view files =
                second == std::string::npos ? std::string_view() : text.substr(second + 1);
            const int mode = entryMode(modeText, script_.GlobalOverwriteFlag());
            ok = CopyEntry(sourceFolder, subFolder, mode, files) >= 0;
        }
    }
    wizard_.SetCopyEntriesRunning(false);
    return ok;
}

bool FileCopier::resumedAfterExitQuestion() {
    while (wizard_.ExitQuestionOpen() && !ui::app().ended())
        WaitPumping(100);
    return !wizard_.ExitQuestionOpen() && !wizard_.ExitChosen();
}

int FileCopier::CopyEntry(std::string_view sourceFolder, std::string_view subFolder, int mode,
                          std::string_view fileList) {
    if (subFolder.empty()) return 0;
    char mark = 0;
    if (subFolder.front() == '#' || subFolder.front() == '*') {
        mark = subFolder.front();
        subFolder.remove_prefix(1);
    }
    const std::string folder = SetTrailingSlash(wizard_.ExpandFormVars(subFolder), false);
    if (!CreateDirectories(folder, true, mark)) {
        failWith("s2", folder);
        return 0;
    }
    const int handled = CopyDirectory(sourceFolder, folder, fileList, mode);
    bool keepsFiles = false;
    if (fileList != "*")
        for (const CopyFileItem& item : fileItems(fileList))
            keepsFiles = keepsFiles || IsNoUninstallFileFlag(item.flags);
    if (keepsFiles) uninstall_.AddUninstallLine("AVOID_ERR_REMOVE_DIR(" + folder + ")", false);
    uninstall_.AddUninstallLine("", true);
    return handled;
}

bool FileCopier::CreateDirectories(std::string_view folder, bool record, char mark) {
    if (folder.empty() || !fs::createFolders(folder)) return false;
    if (!record || isSystemFolder(folder)) return true;
    const std::string_view kind = mark == '#'   ? "DONT_REMOVE_DIR("
                                  : mark == '*' ? "FORCE_REMOVE_DIR("
                                                : "REMOVE_DIR(";
    uninstall_.AddUninstallLine(std::string(kind) + std::string(folder) + ")", false);
    return true;
}

int FileCopier::CopyDirectory(std::string_view sourceFolder, std::string_view targetFolder,
                              std::string_view fileList, int mode) {
    if (fileList.empty() || fileList == "*") return 0;
    log_.Log("");
    log_.Log("Start Copy Directory");
    log_.Log("  (" + std::string(targetFolder) + ")");
    CopyFileOptions options;
    options.writeRemovalLines = true;
    int handled = 0;
    bool first = true;
    for (const CopyFileItem& item : fileItems(fileList)) {
        if (RunTimeDirAbort()) break;
        wizard_.StepCopyBar();
        bool replaced = false;
        const std::string source = std::string(sourceFolder) + "\\" + item.name;
        const std::string target = std::string(targetFolder) + "\\" + item.name;
        if (!CopyOneFile(source, target, replaced, options, item.flags, mode))
            return first ? -1 : handled;
        ++handled;
        first = false;
    }
    return handled;
}

bool FileCopier::CopyOneFile(std::string_view source, std::string_view targetPath,
                             bool& replacedAtRestart, const CopyFileOptions& options,
                             std::uint32_t flags, int mode) {
    replacedAtRestart = false;
    const bool lastUse = !options.alwaysCopy && !script_.UseScriptFile(source);
    const std::string target = StripNumberPrefix(targetPath);
    wizard_.ShowCopyFile(fs::fileNamePart(target), fs::folderPart(target));
    ProcessMessages();
    log_.Log("  Copy File: " + target);

    if (!isFile(source)) {
        log_.Log(kSourceMissing);
        failWith("s1", source);
        return false;
    }
    if (IsSharedFileFlag(flags)) IncSharedDll(target);
    if (!options.skipOverwriteTest && !ShouldCopyFile(source, target, mode)) return true;

    if (options.writeRemovalLines && !IsNoUninstallFileFlag(flags)) {
        if (IsReadOnlyFileFlag(flags))
            uninstall_.AddUninstallLine("REMOVE_READONLY_FILE(" + target + ")", false);
        if (IsSharedFileFlag(flags))
            uninstall_.AddUninstallLine("REMOVE_SHARED_FILE(" + target + ")", false);
        uninstall_.AddUninstallLine("REMOVE_FILE(" + target + ")", false);
    }
    if (options.serviceFile)
        uninstall_.AddUninstallLine("REMOVE_SERVICE_FILE(" + target + ")", false);

    fs::setAttributes(target, fs::kAttrNormal);
    const bool move =
        lastUse && !script_.Flag(ScriptFlag::UseCopy) && sameDrive(source, target) && IsWinNT();
    const bool transferred =
        move ? fs::moveFileEx(source, target, kMoveNow) : fs::copyFile(source, target, false);
    if (transferred) {
        log_.Log(kCopyOk);
        fs::setAttributes(target, FileAttrFlags(flags));
    }
    if (IsRegisterFileFlag(flags)) wizard_.AddToRegisterList(target);
    if (transferred) return true;

    if (!replaceAtRestart(source, target)) {
        log_.Log(kCopyFailed);
        return false;
    }
    log_.Log(kCopyDelayed);
    replacedAtRestart = true;
    wizard_.SetRestartNeeded();
    return true;
}

bool FileCopier::replaceAtRestart(std::string_view source, const std::string& target) {
    const std::string side = fs::folderPart(target) + "\\X" + fs::fileNamePart(target);
    if (!fs::copyFile(source, side, false)) return false;
    fs::setAttributes(side, fs::kAttrNormal);
    const bool scheduled = IsWinNT() ? fs::moveFileEx(side, target, kMoveAtRestart)
                                     : IniWriteString(GetWindowsDir(true) + "WININIT.INI", "Rename",
                                                      fs::shortPath(target), fs::shortPath(side));
    // A replacement nobody carries out is no replacement: the side file goes again.
    if (!scheduled) fs::deleteFile(side);
    return scheduled;
}

void FileCopier::failWith(std::string_view key, std::string_view argument) {
    std::string text = LangText("Messages", key, "");
    const std::size_t at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, argument);
    CaptionMessage(LangText("Messages", "Caption", "Error"), text, GetCharset());
    wizard_.AbortSetup();
}

} // namespace kv::installer
