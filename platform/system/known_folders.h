#pragma once
// The machine's known folders as Windows paths, derived from the profile's user name and
// system folders.

#include "platform/system/profile.h"

#include <span>
#include <string>

namespace kv::machine {

enum class KnownFolder {
    Windows,
    System,
    System16, // the Windows folder's "system"
    Fonts,
    ProgramFiles,
    CommonFiles,
    Temp,
    UserProfile,
    Desktop,
    StartMenu,
    Programs,
    Startup,
    SendTo,
    MyDocuments,
    AllUsersProfile,
    CommonDesktop,
    CommonStartMenu,
    CommonPrograms,
    CommonStartup,
    CommonDocuments,
};

// Every known folder, in an order where a parent comes before its children.
std::span<const KnownFolder> allKnownFolders();

// The Windows path of a known folder (no trailing backslash).
std::string knownFolderPath(const Profile& profile, KnownFolder folder);
// The same for the current machine.
std::string knownFolderPath(KnownFolder folder);

// The value names of the Explorer "Shell Folders" keys and the folder each names; common
// ones belong under HKEY_LOCAL_MACHINE, the others under HKEY_CURRENT_USER.
struct ShellFolder {
    const char* valueName;
    KnownFolder folder;
    bool common;
};
std::span<const ShellFolder> shellFolders();

} // namespace kv::machine
