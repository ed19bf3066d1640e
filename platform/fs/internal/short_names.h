#pragma once
// Short-name helpers used by path resolution.

#include <filesystem>
#include <string>
#include <string_view>

namespace kv::fs::internal {

// Whether an ANSI name already fits 8.3 (and so is its own short name).
bool isShortName(std::string_view name);
// Gives short names to the entries of a host folder that lack one (in name order) and
// returns the host name of the entry whose short name equals name without regard to
// case, or "".
std::string findByShortName(char drive, const std::filesystem::path& folder,
                            const std::string& folderKey, std::string_view name);

} // namespace kv::fs::internal
