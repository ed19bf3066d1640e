#pragma once
// Starting a host process as a process of the machine: spawned detached, remembered as a
// child of this process (for its exit code), entered in the machine's process list unless
// it is not listed (a batch's interpreter).

#include "platform/process/exec.h"
#include "platform/process/internal/spawn.h"

#include <filesystem>
#include <string>

namespace kv::process::internal {

Started launch(const SpawnRequest& request, const std::filesystem::path& image,
               const std::string& machinePath, int showMode, bool listed = true);

// Remembers a host process started outside the machine (the host's opener), so that it is
// reaped once it ends.
void rememberHostChild(int pid);

} // namespace kv::process::internal
