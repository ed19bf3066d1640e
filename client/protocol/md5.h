#pragma once
// clsMD5: the MD5 digest of a text, with the client's own closing padding. For a message
// of L bytes the digest is RFC 1321's unless L mod 64 is 56, or L is 64 or more with
// L mod 64 from 57 to 63: then the last block is the first 56 waiting message bytes and the
// 8 length bytes, without the 0x80 byte; the waiting bytes after those 56 do not count.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kv::protocol {

class clsMD5 {
public:
    // State word A (B, C, D) as signed 32-bit decimal text: a set top bit reads negative.
    std::string RegisterA() const;
    std::string RegisterB() const;
    std::string RegisterC() const;
    std::string RegisterD() const;
    // The digest of a text (one byte per character) as 32 upper-case hexadecimal digits.
    std::string DigestStrToHexStr(std::string_view SourceString);
    // The state words A, B, C, D, each least significant byte first, in upper-case hex.
    std::string GetValues() const;
    // Starts a digest: the RFC 1321 initial state and a byte count of 0.
    void MD5Init();
    // Pads and closes the digest with the client's padding rule.
    void MD5Final();
    // Feeds the first InputLen bytes of InputBuffer (at most its size). A zero or negative
    // InputLen feeds nothing but still adds InputLen to the byte count.
    void MD5Update(std::int32_t InputLen, std::span<const std::uint8_t> InputBuffer);
    // Value rotated left by Bits mod 32 (negative: not rotated). Bits is left holding
    // Bits mod 32, Value the rotated word; the rotated word is also returned.
    static std::int32_t LongLeftRotate(std::int32_t& Value, std::int32_t& Bits);

private:
    void transform(const std::uint8_t* block);

    std::array<std::uint32_t, 4> state_{0x67452301u, 0xEFCDAB89u, 0x98BADCFEu, 0x10325476u};
    std::int32_t total_ = 0;
    std::array<std::uint8_t, 64> buffer_{};
};

} // namespace kv::protocol
