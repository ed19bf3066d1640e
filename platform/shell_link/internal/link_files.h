#pragma once
// Writing shortcut files on the machine's drives.

#include <string_view>

namespace kv::shell::internal {

// Writes a whole file at a machine path; refused on the host drive Z: and for paths that
// are not valid.
bool writeLinkFile(std::string_view path, std::string_view content);

} // namespace kv::shell::internal
