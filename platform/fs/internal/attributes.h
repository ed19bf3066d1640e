#pragma once
// Attribute helpers shared by the file operations and the enumeration.

#include <sys/stat.h>

#include <cstdint>

#include "platform/fs/internal/table.h"

namespace kv::fs::internal {

// The attributes of a host entry from its status and table entry (nullptr for none).
std::uint32_t attributesOf(const struct stat& st, const TableEntry* entry);

} // namespace kv::fs::internal
