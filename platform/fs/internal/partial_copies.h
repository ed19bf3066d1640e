#pragma once
// The sweep of partial copies that processes ended during a copy left beside their targets.

#include <filesystem>
#include <string_view>

namespace kv::fs::internal {

// A copy is written to the target's name with this suffix and the copying process's id,
// then renamed to the target.
inline constexpr std::string_view kPartialCopySuffix = ".kvcopy";

// Removes, from the host folder, the partial copies of processes that no longer run; each
// folder once per process (until forgetSweptFolders).
void sweepPartialCopies(const std::filesystem::path& folder);
// Forgets which folders were swept (for resetForTests).
void forgetSweptFolders();

} // namespace kv::fs::internal
