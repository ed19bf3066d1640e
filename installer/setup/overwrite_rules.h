#pragma once
// Whether a file may replace the one installed: by the entry's overwrite mode, the files'
// versions and their dates.

#include <cstdint>
#include <string_view>

namespace kv::installer {

// Overwrite modes of a copy entry (0 in a script entry means the global mode).
constexpr int kOverwriteAlways = 1;
constexpr int kOverwriteNotOlder = 2;
constexpr int kOverwriteNewer = 3;
constexpr int kOverwriteIfMissing = 4;

// Mode 4: only when the target is missing. Modes 2 and 3: when either file is missing,
// else by the versions (padded to width 4) when both have one, else by the dates when both
// are known, else yes; mode 2 also copies on a tie, mode 3 does not. Any other mode: yes.
bool ShouldCopyFile(std::string_view source, std::string_view target, int mode);
// The last write time of the first directory entry matching the path, 0 when none.
std::uint64_t FileDateOf(std::string_view path);

} // namespace kv::installer
