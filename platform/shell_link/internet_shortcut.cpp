#include "platform/shell_link/internal/link_files.h"
#include "platform/shell_link/shell_link.h"

namespace kv::shell {

std::string internetShortcutText(const InternetShortcut& shortcut) {
    std::string text = "[InternetShortcut]\r\nURL=" + shortcut.url + "\r\n";
    if (!shortcut.iconFile.empty())
        text += "IconFile=" + shortcut.iconFile +
                "\r\nIconIndex=" + std::to_string(shortcut.iconIndex) + "\r\n";
    if (!shortcut.workingFolder.empty())
        text += "WorkingDirectory=" + shortcut.workingFolder + "\r\n";
    return text;
}

bool saveInternetShortcut(const InternetShortcut& shortcut, std::string_view path) {
    return internal::writeLinkFile(path, internetShortcutText(shortcut));
}

} // namespace kv::shell
