#pragma once
// How a program starts: which backend shows the window model (KV_UI=wx|headless, else wx
// when a display is there; a UI script in KV_UI_SCRIPT plays the user on the headless one),
// the machine it runs on, and the transcripts of a run without real windows.

#include <functional>
#include <string>

namespace kv::ui {

enum class BackendKind { Headless, Wx };

// The kind asked for by the value of KV_UI (any case; null or unknown: not asked) and
// whether a display is there.
BackendKind chooseBackend(const char* kvUi, bool display);
// Resets the application and installs the backend chosen from the environment; when wx
// cannot start, the headless one. Returns the kind installed.
BackendKind installBackendFromEnvironment();

// What a program adds to runMain's start-up.
struct MainOptions {
    // The caption of the boxes runMain itself shows.
    std::string title;
    // Headless without a UI script: true runs the body answering every box with its
    // default button and writes the boxes shown as a transcript (to the file named by
    // KV_UI_TRANSCRIPT, else standard output); false stops at once, saying on standard
    // error that there is nothing to do.
    bool headlessWithoutScript = false;
    // Runs once real windows are installed, before the body.
    std::function<void()> onWindows;
};

// A program's main. A process started to run a batch file runs it and ends first of all
// (platform/process/batch.h). Otherwise installs the backend (under the UI script of KV_UI_SCRIPT
// when one is named), opens the machine of KV_MACHINE and stops with one box naming its folder when
// that cannot be written, records the arguments (carrying out pending renames), shows a
// box for each registry hive found damaged, then runs the body as runProgram does.
// Returns the body's exit code; 1 when the script did not match or the start failed.
int runMain(int argc, char** argv, const std::function<int()>& body, const MainOptions& options);

} // namespace kv::ui
