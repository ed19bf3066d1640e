#pragma once
// The folders a removal never deletes, whatever the uninstall script names.

#include <string_view>

namespace kv::installer::uninstall {

// Whether the path is, once normalised and without a trailing backslash, the temporary,
// Fonts, System (or 16-bit System), Windows, Program Files or Common Files folder, or a
// shell folder of the user or of all users (the profile, Desktop, Start Menu, Programs,
// Startup, SendTo, My Documents), compared without regard to case.
bool IsSystemFolder(std::string_view path);

} // namespace kv::installer::uninstall
