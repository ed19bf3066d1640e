#pragma once
// Whole-program runs of setup and uninstall on a fresh test machine: a setup folder laid
// out on the host (the programs, "Setup.txt", payload files), setup run headless under a
// UI script, installed programs started through the machine, and what each run left:
// exit code, standard output (a UI script's transcript), standard error and the box
// transcript of a run without a script.

#include "platform/system/profile.h"
#include "platform/system/testing/temp_machine.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kv::e2e {

// Where the setup folder lies: on the host outside the machine's drives (setup sees a Z:
// path), or on drive C: (for runs that need a move on one drive).
enum class SetupPlace { Host, DriveC };

enum class LineEnds { Lf, CrLf };

// The uninstaller's UI script of a plain removal: Yes to its question, OK to any other box,
// then Close once the window enables it.
inline constexpr const char* kUninstallYesThenClose =
    "box caption \"Confirm\" answer Yes\n"
    "box other answer OK\n"
    "idle\n"
    "  wait 5000\n"
    "  expect MainForm.CloseButton enabled \"true\"\n"
    "  click MainForm.CloseButton\n"
    "end\n";

// A payload file of the setup folder.
struct PayloadFile {
    std::string name; // relative to the setup folder, "/" between folders ("Data/a.dat")
    std::string bytes;
    std::optional<std::chrono::sys_seconds> modified; // the host's last-write time (UTC)
    bool executable = false;
};

// How a program runs.
struct RunOptions {
    std::string uiScript;  // a UI script's text; empty: headless without a script
    std::string arguments; // appended to the command line as written
    std::vector<std::pair<std::string, std::string>> environment; // set for the run
    // Real time for the program and what it started; at the limit they are ended at once
    // (SIGKILL with their process groups).
    std::chrono::milliseconds limit{120'000};
};

// What a run left.
struct RunResult {
    bool started = false;
    int exitCode = -1;              // the started program's
    std::string output;             // standard output of the program and of what it started
    std::string errors;             // their standard error
    std::string boxes;              // KV_UI_TRANSCRIPT of a run without a UI script
    std::vector<std::string> ended; // machine paths of processes ended at the limit
};

class InstallerFixture {
public:
    // A fresh machine of the profile and an empty setup folder holding setup (named
    // "setup") and, once it is built, uninstall (named "UnInstall.exe").
    explicit InstallerFixture(const machine::Profile& profile = machine::defaultProfile(),
                              SetupPlace place = SetupPlace::Host);
    // Drops the machine and the registry and file layer state of this process.
    ~InstallerFixture();
    InstallerFixture(const InstallerFixture&) = delete;
    InstallerFixture& operator=(const InstallerFixture&) = delete;

    // Whether "UnInstall.exe" is in the setup folder (the uninstall program is built).
    static bool hasUninstaller();

    const machine::testing::TempMachine& machine() const { return machine_; }
    // The setup folder: its host path and the machine path setup sees.
    const std::filesystem::path& setupFolder() const { return folder_; }
    std::string setupFolderPath() const;
    // A host folder of this test outside the machine's drives, for the test's own files.
    std::filesystem::path scratch() const;

    // Writes "Setup.txt" from the text, its "\n" line breaks written as given.
    void writeSetupText(std::string_view text, LineEnds ends = LineEnds::CrLf);
    void addPayload(const PayloadFile& file);

    // Runs the setup of the setup folder and waits for it and what it started.
    RunResult runSetup(const RunOptions& options = {});
    // Starts a program through the machine (a command line, e.g. the quoted machine path
    // of an installed "UnInstall.exe") and waits for it and what it started.
    RunResult start(std::string_view commandLine, const RunOptions& options = {});

private:
    machine::testing::TempMachine machine_;
    std::filesystem::path folder_;
    int runs_ = 0;
};

} // namespace kv::e2e
