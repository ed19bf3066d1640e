#include "installer/common/links.h"

#include "installer/common/internal/machine_files.h"
#include "installer/common/internal/trim.h"
#include "installer/common/messages.h"
#include "platform/fs/files.h"
#include "platform/fs/path.h"
#include "platform/registry/registry.h"
#include "platform/shell_link/shell_link.h"
#include "platform/text/ansi.h"

namespace kv::installer {
namespace {

constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kFolderNames[] = {"Desktop", "Start Menu", "Programs",
                                        "Startup", "Personal",   "Sendto"};

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           text::equalsNoCase(text.substr(0, prefix.size()), prefix);
}

// Creates the folder of the links with its parents; never on the host drive Z:.
bool makeLinkFolder(const std::string& folder) {
    const std::string full = fs::fullPath(folder);
    return !full.empty() && full[0] != 'Z' && internal::createFolders(full);
}

} // namespace

std::string ShellFolder(int kind, bool allUsers) {
    if (kind < 0 || kind >= int(std::size(kFolderNames))) return "";
    registry::Key key;
    const auto root = allUsers ? registry::Root::LocalMachine : registry::Root::CurrentUser;
    if (registry::openKey(registry::rootKey(root), kShellFolders, key) != registry::Status::Success)
        return "";
    const std::string name = kFolderNames[kind];
    registry::Value value;
    if (registry::queryValue(key, name, value) != registry::Status::Success &&
        registry::queryValue(key, "common " + name, value) != registry::Status::Success)
        return "";
    return registry::textOf(value);
}

bool IsUrl(std::string_view text) {
    for (const char* prefix : {"http:", "ftp:", "www.", "mailto:"})
        if (startsWithNoCase(text, prefix)) return true;
    return false;
}

bool IsLinkTarget(std::string_view target) {
    if (target.empty()) return false;
    return IsUrl(target) || (fs::exists(target) && !fs::isDirectory(target));
}

std::string CreateShortcut(int folderKind, std::string_view subFolder, bool allUsers, int showMode,
                           int iconIndex, std::string_view iconFile, std::string_view workingFolder,
                           std::string_view arguments, std::string_view target,
                           std::string_view name) {
    std::string folder = ShellFolder(folderKind, allUsers);
    if (folder.empty()) return "";
    std::string_view sub = internal::trimBlanks(subFolder);
    if (!sub.empty() && sub.front() == '\\') sub.remove_prefix(1);
    if (!sub.empty()) folder += "\\" + std::string(sub);
    if (!makeLinkFolder(folder))
        ShowErrorBox(nullptr,
                     folder + "\\n\\nUnable to create Link Directory!\\n(RegOp.CreateLink)");

    const std::string base = folder + "\\" + std::string(name);
    if (IsUrl(target)) {
        const std::string file = base + ".url";
        shell::saveInternetShortcut(
            {std::string(target), std::string(iconFile), iconIndex, std::string(workingFolder)},
            file);
        return file;
    }
    shell::ShellLink link;
    link.arguments = arguments;
    link.target = target;
    link.workingFolder = workingFolder;
    link.showCommand = showMode;
    if (!iconFile.empty()) {
        link.iconFile = iconFile;
        link.iconIndex = iconIndex;
    }
    const std::string file = base + ".lnk";
    shell::saveShellLink(link, file);
    const bool linkIsTheResult = folderKind == kFolderDesktop || folderKind == kFolderStartMenu ||
                                 folderKind == kFolderPersonal || sub.empty() ||
                                 startsWithNoCase(name, "Check for New Update");
    return linkIsTheResult ? file : folder;
}

} // namespace kv::installer
