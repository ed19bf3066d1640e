#pragma once
// Trailing backslashes of folder paths.

#include <string>
#include <string_view>

namespace kv::installer {

// `path` without one trailing backslash (only when longer than two characters, so "C:\"
// becomes "C:"), then with one appended when `add` is set.
std::string SetTrailingSlash(std::string_view path, bool add);

} // namespace kv::installer
