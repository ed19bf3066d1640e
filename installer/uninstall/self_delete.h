#pragma once
// STUB, to be replaced by the self-deletion: it writes and starts the batch that deletes the
// uninstaller (and its folder) once the program has ended.

namespace kv::installer::uninstall {

// Starts the deletion of the running program, and of its folder when `removeFolder` is set.
void StartSelfDelete(bool removeFolder);

} // namespace kv::installer::uninstall
