#pragma once
// uninstall's program body: finds its script, asks the user, clears away the auto-update
// program, shows the uninstall window and, once the removal is done, deletes itself.

#include <string>

namespace kv::installer::uninstall {

// Adds the program's manifest (resource type 24, "1") to its resources; done at start.
void AddManifestResource();

// Runs uninstall; returns the exit code: 0, or 1 when the script is missing.
int UninstallMain();

} // namespace kv::installer::uninstall
