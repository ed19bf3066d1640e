#pragma once
// What the installer programs ask of the system: its version, the program's own path and
// command line, the platform's folders, visual styles, administrator rights and a restart.
// All read the current machine.

#include <string>
#include <string_view>

namespace kv::installer {

bool IsWin9x(); // platform id 1
bool IsWinNT(); // platform id 2
bool IsWinXP(); // NT and version 5.1
// "95", "98", "ME", "NT", "2000", "XP", "32S", or the version text ("5.2").
std::string GetOSShortName();
// For example "WinXP  5.1  2600 (Service Pack 2)".
std::string GetOSDescription();

// Whether the program carries a manifest resource; tested once per run.
bool HasManifestResource();
// Manifest, XP and visual styles on; tested once per run.
bool IsThemed();

std::string GetExeName();                  // the program's full machine path
std::string GetExeDir(bool withSlash);     // its folder
std::string GetWindowsDir(bool withSlash); // the platform's folders
std::string GetSystemDir(bool withSlash);
std::string GetTempDir(bool withSlash);

// The command line after the program's own path.
std::string GetCommandTail();
// The value of a switch such as "/OriginalInfoFile=" in the command tail; "" when absent,
// "TRUE" when it has no value.
std::string GetSwitchValue(std::string_view switchText);

// Asks the machine to restart: marks it and ends this program at once. False when the
// mark cannot be set (the program then goes on).
bool RebootWindows();
// Whether the user is an administrator of the machine.
bool IsAdmin();

} // namespace kv::installer
