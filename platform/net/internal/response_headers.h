#pragma once
// The reading of the response header lines a transfer hands over, apart from the transfer.

#include <optional>
#include <string_view>

namespace kv::net::internal {

// The value of a "Set-Cookie:" line (the name in any case), without its line break and the
// blanks before it; nothing for any other line.
std::optional<std::string_view> setCookieValue(std::string_view line);

} // namespace kv::net::internal
