#pragma once
// Values of the whole setup run, set once and read later: the folder presets and the
// background-update flag of the command line, the program to launch after setup and the
// second program to start, and the answer of the exit question.

#include <string>

namespace kv::installer {

struct SetupState {
    std::string presetTargetDir; // a non-empty preset overrides the script's folder
    std::string presetCommonDir;
    std::string presetAuxiliaryDir;
    bool backgroundUpdate = false;
    std::string launchFile; // chosen on the Complete page
    std::string launchFolder;
    std::string secondProgram;     // the auto-update program, started hidden
    bool exitChosen = false;       // "exit" answered (or set by setup): never asked again
    bool exitQuestionOpen = false; // while the exit question is shown
};

SetupState& setupState();

} // namespace kv::installer
