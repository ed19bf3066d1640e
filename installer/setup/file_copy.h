#pragma once
// The copy step of the install: the selected groups' copy entries, their folders with the
// uninstaller's removal lines, and each file copied or moved from the setup folder under
// the overwrite rules, a file in use replaced at the next restart.

#include <cstdint>
#include <string>
#include <string_view>

namespace kv::installer {

class CopyWizard;
class SetupLog;
class TScript;
class UninstallScript;

// How CopyOneFile treats one file.
struct CopyFileOptions {
    bool alwaysCopy = false;        // no use counting: the source is never moved away
    bool skipOverwriteTest = false; // copy whatever the overwrite mode says
    bool writeRemovalLines = false; // REMOVE_... lines unless the flags forbid them
    bool serviceFile = false;       // a REMOVE_SERVICE_FILE line
};

class FileCopier {
public:
    // All four must outlive this object.
    FileCopier(TScript& script, SetupLog& log, UninstallScript& uninstall, CopyWizard& wizard)
        : script_(script), log_(log), uninstall_(uninstall), wizard_(wizard) {}

    // Copies the entries of the selected groups from the setup folder, in order, while the
    // last entry succeeded and no run-time folder aborted. True when no entry reached failed
    // on its first file. An entry reached while the exit question is open waits for the
    // answer: "exit" fails the copy, "resume" goes on.
    bool CopyGroups();
    // One entry: creates its folder (sub folder text with an optional "#" or "*" mark) and
    // copies its files ("|"-separated items). The files handled, -1 when the first failed,
    // 0 when there was nothing to do or the folder could not be made.
    int CopyEntry(std::string_view sourceFolder, std::string_view subFolder, int mode,
                  std::string_view fileList);
    // Creates the folder with its parents; with record, adds its removal line by the mark
    // ('#' keep, '*' remove with contents, else remove when empty), none for system folders.
    bool CreateDirectories(std::string_view folder, bool record, char mark);
    // Copies the listed files from one folder to the other (nothing for "" or "*"): the
    // files handled until one fails, -1 when the first failed.
    int CopyDirectory(std::string_view sourceFolder, std::string_view targetFolder,
                      std::string_view fileList, int mode);
    // Copies or moves one file (flags: the item's copy-file flag word). False only when the
    // source is missing or not even a copy beside a target in use could be made;
    // replacedAtRestart tells when the target is replaced only at the next restart.
    bool CopyOneFile(std::string_view source, std::string_view target, bool& replacedAtRestart,
                     const CopyFileOptions& options, std::uint32_t flags, int mode);

private:
    // Waits, pumping messages, until the exit question is closed; true when it was not
    // answered "exit".
    bool resumedAfterExitQuestion();
    // Shows the [Messages] text (its "%s" replaced) in an error box and aborts setup.
    void failWith(std::string_view key, std::string_view argument);
    // Replaces a target in use at the next restart; false when that cannot be arranged.
    bool replaceAtRestart(std::string_view source, const std::string& target);

    TScript& script_;
    SetupLog& log_;
    UninstallScript& uninstall_;
    CopyWizard& wizard_;
};

} // namespace kv::installer
