#pragma once
// A plain RFC 1321 MD5, written independently of clsMD5 for the tests: the compression
// function on one block, and the whole digest with the RFC's padding.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kv::protocol::testing {

using Md5State = std::array<std::uint32_t, 4>;

inline constexpr Md5State kMd5Initial = {0x67452301u, 0xefcdab89u, 0x98badcfeu, 0x10325476u};

// Runs the compression function on the 64 bytes of block (which must be 64 long).
void md5Compress(Md5State& state, std::string_view block);
// The state in the usual hex form, in capitals.
std::string md5Hex(const Md5State& state);
// RFC 1321 MD5 of the bytes, in capitals.
std::string rfcMd5(std::string_view message);

} // namespace kv::protocol::testing
