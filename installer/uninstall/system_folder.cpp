#include "installer/uninstall/system_folder.h"

#include "installer/common/folders.h"
#include "installer/common/paths.h"
#include "installer/common/registry_primitives.h"
#include "installer/common/system_queries.h"
#include "platform/fs/files.h"
#include "platform/fs/path.h"
#include "platform/system/known_folders.h"
#include "platform/text/ansi.h"

#include <string>
#include <vector>

namespace kv::installer::uninstall {
namespace {

constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// The shell folders that the Explorer keys name and that the machine knows of.
std::vector<std::string> shellFolders() {
    using machine::KnownFolder;
    std::vector<std::string> folders;
    for (const char* name : {"Desktop", "Start Menu", "Programs", "Startup", "SendTo", "Personal"})
        folders.push_back(
            RegReadValue(std::string("HKEY_CURRENT_USER\\") + kShellFolders, name, ""));
    for (const char* name : {"Common Desktop", "Common Start Menu", "Common Programs",
                             "Common Startup", "Common Documents"})
        folders.push_back(
            RegReadValue(std::string("HKEY_LOCAL_MACHINE\\") + kShellFolders, name, ""));
    for (KnownFolder folder :
         {KnownFolder::UserProfile, KnownFolder::Desktop, KnownFolder::StartMenu,
          KnownFolder::Programs, KnownFolder::Startup, KnownFolder::SendTo,
          KnownFolder::MyDocuments, KnownFolder::AllUsersProfile, KnownFolder::CommonDesktop,
          KnownFolder::CommonStartMenu, KnownFolder::CommonPrograms, KnownFolder::CommonStartup,
          KnownFolder::CommonDocuments})
        folders.push_back(machine::knownFolderPath(folder));
    return folders;
}

// The absolute form without a trailing backslash ("C:\" becomes "C:").
std::string normalised(std::string_view path) {
    return SetTrailingSlash(fs::fullPath(path), false);
}

// Equal as text, or two spellings (such as a short name) of one existing folder.
bool sameFolder(const std::string& a, const std::string& b) {
    if (text::equalsNoCase(a, b)) return true;
    return fs::isDirectory(a) && fs::isDirectory(b) && fs::hostPath(a) == fs::hostPath(b);
}

} // namespace

bool IsSystemFolder(std::string_view path) {
    const std::string folder = normalised(path);
    if (folder.empty()) return false;
    std::vector<std::string> system = {
        GetTempDir(false),    GetFontsDir(),        GetSystemDir(false), GetSystem16Dir(),
        GetWindowsDir(false), GetProgramFilesDir(), GetCommonFilesDir(),
    };
    for (std::string& shell : shellFolders())
        system.push_back(std::move(shell));
    for (const std::string& candidate : system)
        if (!candidate.empty() && sameFolder(folder, normalised(candidate))) return true;
    return false;
}

} // namespace kv::installer::uninstall
