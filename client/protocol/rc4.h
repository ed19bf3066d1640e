#pragma once
// The RC4 stream cipher over single-byte text; enciphering and deciphering are one call.

#include <string>
#include <string_view>

namespace kv::protocol {

// Text XOR the RC4 key stream of Key (its first 256 characters), as a byte string of the
// same length. Empty text or an empty key gives empty text.
std::string RC4Crypt(std::string_view Text, std::string_view Key);

} // namespace kv::protocol
