#pragma once
// The text form of a hive file:
//   KVHIVE 1 <generation>
//   K <key path>                     one line per key, parents before children
//   V <type> <hex data or -> <name>  the values of the key above, in order
//   END
// Names keep their bytes; '%', control bytes and DEL are written as %XX. The END line makes a
// cut-off file detectable.

#include "platform/registry/internal/tree.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kv::registry::internal {

std::string formatHive(const KeyNode& root, std::uint64_t generation);

// Parses a hive file; on failure returns false with a short reason ("line 12: ...").
bool parseHive(std::string_view text, KeyNode& root, std::uint64_t& generation, std::string& error);

// The generation named by the header line, or 0 when the text does not start with one.
std::uint64_t generationOf(std::string_view text);

} // namespace kv::registry::internal
