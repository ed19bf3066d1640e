#pragma once
// Shortcut files the shell reads: shell links (".lnk", the binary shell-link format) and
// internet shortcuts (".url", INI text). Files are written through the machine's file
// layer, never on the host drive Z:.

#include <string>
#include <string_view>

namespace kv::shell {

// Show commands a link can carry.
constexpr int kShowNormal = 1;
constexpr int kShowMaximized = 3;
constexpr int kShowMinNoActive = 7;

struct ShellLink {
    std::string target; // machine path of the file or folder the link opens
    std::string arguments;
    std::string workingFolder;
    std::string iconFile; // empty: the target's own icon
    int iconIndex = 0;
    // 1, 3 and 7 are kept; the other minimised commands (2, 6) become 7, anything else 1.
    int showCommand = kShowNormal;
};

// The bytes of the link file: header with the target's attributes, times and size, the
// location of the target (its drive's volume and its path) and the link's strings.
std::string shellLinkBytes(const ShellLink& link);
// Writes the link file; false when it cannot be written.
bool saveShellLink(const ShellLink& link, std::string_view path);

struct InternetShortcut {
    std::string url;
    std::string iconFile; // empty: no icon lines
    int iconIndex = 0;
    std::string workingFolder; // empty: no working-folder line
};

// "[InternetShortcut]", "URL=...", then "IconFile=" and "IconIndex=" when an icon file is
// given and "WorkingDirectory=" when a folder is given, each line ending in CR LF.
std::string internetShortcutText(const InternetShortcut& shortcut);
// Writes the ".url" file; false when it cannot be written.
bool saveInternetShortcut(const InternetShortcut& shortcut, std::string_view path);

} // namespace kv::shell
