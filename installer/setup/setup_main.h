#pragma once
// setup's program body: loads the install script and its language, checks that this
// system may run the installation, reads the command line, and reports a start-up failure
// in one "Error" box.

#include <string>

namespace kv::installer {

class TScript;

// The machine path of the install script: "Setup.txt" in setup's own folder.
std::string ScriptFilePath();
// Whether the script allows this system (its short name in SET_ALLOWED_OS).
bool IsOsAllowed(const TScript& script);
// False when the script asks for administrator rights on an NT-family system whose user
// has none.
bool CheckAdminRights(const TScript& script);
// Reads "/OriginalInfoFile=": the folder presets of its ".original" file and the
// background update of its ".info" file (which also makes the setup silent).
void ReadCommandLine(TScript& script);

// After the main window: opens the launch file through the shell (in the launch folder,
// else its own), then starts the second program hidden from its folder.
void StartChosenPrograms();

// Runs setup; returns the exit code: 0, or 1 when setup aborted.
int SetupMain();

} // namespace kv::installer
