#pragma once
// What the copy step needs of the wizard: its component selection, the copy page's bar and
// labels, the flags and the register list it keeps for the whole run, and the abort.

#include <string>
#include <string_view>

namespace kv::installer {

class CopyWizard {
public:
    virtual ~CopyWizard() = default;

    // One "1" or "0" per component row, in group order.
    virtual std::string SelectionString() = 0;
    // A path with the wizard's folders and every folder variable expanded.
    virtual std::string ExpandFormVars(std::string_view text) = 0;
    // Advances the copy page's bar by one file.
    virtual void StepCopyBar() = 0;
    // Shows the file being copied: its name, and its folder shortened to fit.
    virtual void ShowCopyFile(const std::string& fileName, const std::string& folder) = 0;
    // Marks that a file is replaced only at the next restart.
    virtual void SetRestartNeeded() = 0;
    // Set while the copy entries run (the copy bar's Cancel reads it).
    virtual void SetCopyEntriesRunning(bool running) = 0;
    // Adds a file to register as a COM server after the install.
    virtual void AddToRegisterList(const std::string& path) = 0;
    // Asks setup to stop.
    virtual void AbortSetup() = 0;
    // Whether the exit question is open now.
    virtual bool ExitQuestionOpen() = 0;
    // Whether "exit" was answered (or setup chose to exit).
    virtual bool ExitChosen() = 0;
};

} // namespace kv::installer
