#pragma once
// The shared-file counts, as the uninstall lowers them: the values of the key
// HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\SharedDLLs.

#include <cstdint>
#include <string_view>

namespace kv::installer::uninstall {

// Lowers the file's count by one (never below 0) and deletes the value once it is 0; the
// new count, 0 when the file had no count.
std::uint32_t DecSharedDll(std::string_view filePath);

} // namespace kv::installer::uninstall
