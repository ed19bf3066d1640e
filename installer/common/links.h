#pragma once
// Shortcuts in the shell's folders: shell links for files, internet shortcuts for web
// addresses.

#include <string>
#include <string_view>

namespace kv::installer {

// Whether the text begins with "http:", "ftp:", "www." or "mailto:" (without regard to case).
bool IsUrl(std::string_view text);
// Whether a shortcut may point at the target: an existing file or a web address (IsUrl).
bool IsLinkTarget(std::string_view target);

// Shell folder kinds, numbered as the install scripts number them.
enum ShortcutFolder : int {
    kFolderDesktop = 0,
    kFolderStartMenu = 1,
    kFolderPrograms = 2,
    kFolderStartup = 3,
    kFolderPersonal = 4,
    kFolderSendTo = 5,
};

// The shell folder of the kind as the registry names it (the machine's for all users, else
// the user's); "" when unknown.
std::string ShellFolder(int folderKind, bool allUsers);

// Creates the shortcut `name` to `target` in the shell folder of the kind (the machine's
// for all users, else the user's), below the sub-folder, and returns what the uninstall
// should remove: the link file, or the sub-folder of a program group; empty when the shell
// folder is unknown. A folder that cannot be made is reported in an error box.
std::string CreateShortcut(int folderKind, std::string_view subFolder, bool allUsers, int showMode,
                           int iconIndex, std::string_view iconFile, std::string_view workingFolder,
                           std::string_view arguments, std::string_view target,
                           std::string_view name);

} // namespace kv::installer
