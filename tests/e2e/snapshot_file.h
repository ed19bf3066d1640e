#pragma once
// Snapshots kept in a file, so that one taken before a run can be compared with the
// machine after it from another process (the demo's machine-snapshot tool).

#include "tests/e2e/snapshot.h"

#include <filesystem>
#include <optional>

namespace kv::e2e {

// Writes the snapshot as text lines; false when the file cannot be written.
bool saveSnapshot(const Snapshot& snapshot, const std::filesystem::path& file);

// Reads a file saveSnapshot wrote; nothing when it is missing or not such a file.
std::optional<Snapshot> loadSnapshot(const std::filesystem::path& file);

} // namespace kv::e2e
