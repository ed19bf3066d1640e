#include "installer/common/folders.h"

#include "installer/common/internal/machine_files.h"
#include "installer/common/internal/reset.h"
#include "installer/common/registry_primitives.h"
#include "installer/common/run_time_folders.h"
#include "installer/common/system_queries.h"
#include "installer/common/text_utils.h"

#include <functional>
#include <utility>

namespace kv::installer {
namespace {

struct Folders {
    std::string target;
    std::string common;
    std::string aux;
};

Folders& folders() {
    static Folders f;
    return f;
}

constexpr const char* kCurrentVersion =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

std::string slashed(std::string folder) {
    return folder + "\\";
}

using Replacement = std::pair<const char*, std::function<std::string()>>;

std::string replaceEach(std::string text, std::initializer_list<Replacement> vars) {
    for (const auto& [name, folder] : vars)
        if (PosText(name, text) > 0) text = ReplaceAllText(text, name, folder());
    return text;
}

} // namespace

void SetTargetDir(std::string_view folder) {
    folders().target = folder;
}
void SetCommonDir(std::string_view folder) {
    folders().common = folder;
}
void SetAuxDir(std::string_view folder) {
    folders().aux = folder;
}
std::string GetTargetDir() {
    return folders().target;
}
std::string GetCommonDir() {
    return folders().common;
}
std::string GetAuxDir() {
    return folders().aux;
}
void internal::resetFolders() {
    folders() = Folders{};
}

std::string GetSystem16Dir() {
    const std::string system = GetSystemDir(false);
    const int at = LastPos("32", system);
    if (at > 0) {
        std::string without = system;
        without.erase(at - 1, 2);
        if (internal::folderExists(without)) return without;
    }
    const std::string windowsSystem = GetWindowsDir(true) + "System";
    if (internal::folderExists(windowsSystem)) return windowsSystem;
    return system;
}

std::string GetFontsDir() {
    const std::string fonts = RegReadValue(
        "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
        "Fonts", "");
    if (!fonts.empty() && internal::folderExists(fonts)) return fonts;
    return GetWindowsDir(true) + "Fonts";
}

std::string GetOriginDir() {
    const std::string origin =
        RegReadValue("HKEY_CURRENT_USER\\Software\\Welmox_Dyn_Data", "OriginDir", "");
    return origin.empty() ? GetExeDir(false) : origin;
}

std::string GetProgramFilesDir() {
    return RegReadValue(kCurrentVersion, "ProgramFilesDir", "");
}

std::string GetCommonFilesDir() {
    return RegReadValue(kCurrentVersion, "CommonFilesDir", "");
}

std::string ExpandFolderVars(std::string_view input) {
    std::string text(input);
    // Run-time folders may search whole drives: only when written exactly so.
    if (text.find("<RunTimeDir_1>") != std::string::npos)
        text = ReplaceAllText(text, "<RunTimeDir_1>", slashed(GetRunTimeDir1()));
    if (text.find("<RunTimeDir_2>") != std::string::npos)
        text = ReplaceAllText(text, "<RunTimeDir_2>", slashed(GetRunTimeDir2()));
    if (text.find("<RunTimeDir_3>") != std::string::npos)
        text = ReplaceAllText(text, "<RunTimeDir_3>", slashed(GetRunTimeDir3()));
    text = replaceEach(text, {
                                 {"<Application Folder>", [] { return slashed(GetTargetDir()); }},
                                 {"<Common Folder>", [] { return slashed(GetCommonDir()); }},
                                 {"<Auxiliary Folder>", [] { return slashed(GetAuxDir()); }},
                                 {"<Windows Directory>", [] { return GetWindowsDir(true); }},
                                 {"<System Directory>", [] { return GetSystemDir(true); }},
                                 {"<System16 Directory>", [] { return slashed(GetSystem16Dir()); }},
                             });
    // A path that starts with an absolute folder ignores an <InstallDir> in it.
    if (text != input) text = ReplaceAllText(text, "<InstallDir>", "");
    text = ReplaceAllText(text, "<AbsoluteDir>", "");
    text = replaceEach(text,
                       {
                           {"<InstallDir>", [] { return slashed(GetTargetDir()); }},
                           {"<InstallCommonDir>", [] { return slashed(GetCommonDir()); }},
                           {"<InstallAuxDir>", [] { return slashed(GetAuxDir()); }},
                           {"<WinDir>", [] { return GetWindowsDir(true); }},
                           {"<WinSysDir>", [] { return GetSystemDir(true); }},
                           {"<WinDisk>", [] { return GetWindowsDir(true).substr(0, 2) + "\\"; }},
                           {"<WinSysDisk>", [] { return GetSystemDir(true).substr(0, 2) + "\\"; }},
                           {"<WinSys16Dir>", [] { return slashed(GetSystem16Dir()); }},
                           {"<ProgramFilesDir>", [] { return slashed(GetProgramFilesDir()); }},
                           {"<CommonFilesDir>", [] { return slashed(GetCommonFilesDir()); }},
                           {"<FontDir>", [] { return slashed(GetFontsDir()); }},
                           {"<SrcDir>", [] { return GetExeDir(true); }},
                           {"<OriginDir>", [] { return slashed(GetOriginDir()); }},
                           {"<TempDir>", [] { return GetTempDir(true); }},
                       });
    if (text != input) text = CollapseBackslashes(text);
    return text;
}

} // namespace kv::installer
