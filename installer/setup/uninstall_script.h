#pragma once
// The uninstall script that setup writes into the application folder for uninstall to
// undo the installation: one line at a time under the blank-line, ";" and no-duplicate
// rules, the whole file saved after every line. Written only with SET_CREATE_UNINSTALL.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kv::installer {

class TScript;

class UninstallScript {
public:
    // The script must outlive this object.
    explicit UninstallScript(const TScript& script) : script_(script) {}

    // "UnInstall.txt" in the application folder ("UnInstall_" + SET_PROG_STAMP + ".txt"
    // with a stamp), fixed at its first use; empty while there is no application folder.
    std::string UninstallFileName();
    // Adds a line: only blank lines can be forced (past the rule that an unforced blank is
    // added only while the file holds none), a blank never follows a blank, a line ending
    // in ")" without "=" gets ";", and a line already present (without regard to case) is
    // not added again. On first use the lines of an existing file come first; the file is
    // saved after each line, a failed save ignored.
    void AddUninstallLine(std::string_view line, bool force);
    // The script's removal lines in script order, the first "<TARGET_DIR>" of each replaced
    // by the application folder.
    void AddScriptRemoveLines();

    // The lines so far.
    const std::vector<std::string>& Lines() const { return lines_; }

private:
    // Loads an existing file once the name is known, then adds the lines that came before;
    // true when there were such lines.
    bool loadOnce();
    // Applies the rules and appends; false when the line is not added.
    bool append(std::string_view line, bool force);

    const TScript& script_;
    std::string fileName_;
    bool loaded_ = false;
    std::vector<std::string> lines_;
    // Lines added while there was no application folder, with their force flags.
    std::vector<std::pair<std::string, bool>> early_;
};

} // namespace kv::installer
