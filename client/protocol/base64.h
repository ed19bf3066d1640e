#pragma once
// Base64 (RFC 4648 alphabet, "=" padding) between byte strings and text.

#include <string>
#include <string_view>

namespace kv::protocol {

// Base64 text of the bytes, padded with "=", on one line.
std::string Base64Encode(std::string_view Text);
// The bytes of Base64 text. Characters outside the alphabet are skipped; input shorter
// than 4 characters, and accepted characters left over at the end, give nothing.
std::string Base64Decode(std::string_view Text);

} // namespace kv::protocol
