#pragma once
// The installer's fixed file names, the numbered-name prefix and the per-file copy flags.

#include <cstdint>
#include <string>
#include <string_view>

namespace kv::installer {

// "Setup.txt", "UnInstall.txt", "Setup.log"; with withFolder, prefixed by the running
// program's folder and a backslash.
std::string GetScriptFileName(bool withFolder);
std::string GetUninstallFileName(bool withFolder);
std::string GetLogFileName(bool withFolder);

// The path with a "12345#" prefix removed from its file name (five characters that form a
// number, then "#").
std::string StripNumberPrefix(std::string_view path);

// The copy-file flag word: bit 0 shared, bit 1 register after copying, bit 4 no removal
// line, bits 8-15 the attributes to set (bit 8 read-only).
bool IsSharedFileFlag(std::uint32_t flags);
bool IsRegisterFileFlag(std::uint32_t flags);
bool IsNoUninstallFileFlag(std::uint32_t flags);
bool IsReadOnlyFileFlag(std::uint32_t flags);
std::uint8_t FileAttrFlags(std::uint32_t flags);

} // namespace kv::installer
