#pragma once
// The folders of the installation and the expansion of folder variables ("<InstallDir>",
// "<WinSysDir>", "<RunTimeDir_1>"...) in paths of the scripts and operation records.

#include <string>
#include <string_view>

namespace kv::installer {

// The application (target), common and auxiliary folders; empty until set.
void SetTargetDir(std::string_view folder);
void SetCommonDir(std::string_view folder);
void SetAuxDir(std::string_view folder);
std::string GetTargetDir();
std::string GetCommonDir();
std::string GetAuxDir();

// System folders of the machine, each without a trailing backslash.
std::string GetSystem16Dir();     // the 16-bit system folder
std::string GetFontsDir();        // the Fonts folder
std::string GetOriginDir();       // HKCU\Software\Welmox_Dyn_Data "OriginDir", else ours
std::string GetProgramFilesDir(); // "ProgramFilesDir" of the machine (empty when absent)
std::string GetCommonFilesDir();  // "CommonFilesDir" of the machine (empty when absent)

// The text with every folder variable replaced (without regard to case) by its folder and
// a backslash, doubled backslashes then collapsed; a text without variables is returned as
// it is. A run-time folder is resolved only when its variable is written exactly as
// "<RunTimeDir_1>" to "<RunTimeDir_3>".
std::string ExpandFolderVars(std::string_view text);

} // namespace kv::installer
