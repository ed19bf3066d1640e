#pragma once
// Trimming of leading and trailing blanks, shared by the installer's text routines.

#include <string_view>

namespace kv::installer::internal {

inline std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

} // namespace kv::installer::internal
