#pragma once
// The values a new machine's registry starts with, written into its hive trees.

#include "platform/registry/internal/tree.h"
#include "platform/system/profile.h"

namespace kv::registry::internal {

// Fills the machine hive (HKEY_LOCAL_MACHINE) unless it was seeded before; true when it
// changed the tree.
bool seedMachineHive(KeyNode& root, const machine::Profile& profile);
// Fills the user hive (HKEY_CURRENT_USER) unless it was seeded before.
bool seedUserHive(KeyNode& root, const machine::Profile& profile);

} // namespace kv::registry::internal
