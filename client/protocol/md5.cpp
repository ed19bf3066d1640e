#include "client/protocol/md5.h"

#include <algorithm>
#include <cstring>

namespace kv::protocol {

namespace {

constexpr std::uint32_t kSine[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391,
};

constexpr int kShift[4][4] = {{7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23}, {6, 10, 15, 21}};

std::uint32_t rotl(std::uint32_t x, int bits) {
    return bits == 0 ? x : (x << bits) | (x >> (32 - bits));
}

std::string signedText(std::uint32_t word) {
    return std::to_string(static_cast<std::int32_t>(word));
}

} // namespace

std::string clsMD5::RegisterA() const {
    return signedText(state_[0]);
}
std::string clsMD5::RegisterB() const {
    return signedText(state_[1]);
}
std::string clsMD5::RegisterC() const {
    return signedText(state_[2]);
}
std::string clsMD5::RegisterD() const {
    return signedText(state_[3]);
}

std::string clsMD5::DigestStrToHexStr(std::string_view SourceString) {
    MD5Init();
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(SourceString.data());
    MD5Update(static_cast<std::int32_t>(SourceString.size()), {bytes, SourceString.size()});
    MD5Final();
    return GetValues();
}

std::string clsMD5::GetValues() const {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(32);
    for (const std::uint32_t word : state_) {
        for (int byte = 0; byte < 4; ++byte) {
            const std::uint32_t b = word >> (8 * byte) & 0xFF;
            out += kHex[b >> 4];
            out += kHex[b & 15];
        }
    }
    return out;
}

void clsMD5::MD5Init() {
    state_ = {0x67452301u, 0xEFCDAB89u, 0x98BADCFEu, 0x10325476u};
    total_ = 0;
}

void clsMD5::MD5Update(std::int32_t InputLen, std::span<const std::uint8_t> InputBuffer) {
    // Never read past the caller's buffer.
    if (InputLen > 0 && static_cast<std::size_t>(InputLen) > InputBuffer.size()) {
        InputLen = static_cast<std::int32_t>(InputBuffer.size());
    }
    const std::size_t waiting = static_cast<std::uint32_t>(total_) % 64;
    total_ = static_cast<std::int32_t>(static_cast<std::uint32_t>(total_) +
                                       static_cast<std::uint32_t>(InputLen));
    if (InputLen <= 0) return;

    const auto length = static_cast<std::size_t>(InputLen);
    const std::uint8_t* input = InputBuffer.data();
    if (length >= 64 - waiting) {
        const std::size_t first = 64 - waiting;
        std::memcpy(buffer_.data() + waiting, input, first);
        transform(buffer_.data());
        std::size_t n = first;
        for (; n + 64 <= length; n += 64)
            transform(input + n);
        std::memcpy(buffer_.data(), input + n, length - n);
    } else {
        std::memcpy(buffer_.data() + waiting, input, length);
    }
}

void clsMD5::MD5Final() {
    static constexpr std::array<std::uint8_t, 64> kPadBlock = [] {
        std::array<std::uint8_t, 64> block{};
        block[0] = 0x80;
        return block;
    }();
    const std::uint32_t bits = static_cast<std::uint32_t>(total_) * 8;
    const std::int32_t r = static_cast<std::int32_t>(static_cast<std::uint32_t>(total_) % 64);
    if (r <= 56) {
        MD5Update(56 - r, kPadBlock);
    } else {
        // From 64 bytes on this count is negative: nothing is fed and the byte count
        // becomes 120, so the length below lands on the last 8 waiting bytes.
        MD5Update(static_cast<std::int32_t>(120u - static_cast<std::uint32_t>(total_)), kPadBlock);
    }
    const std::uint8_t length[8] = {
        static_cast<std::uint8_t>(bits),
        static_cast<std::uint8_t>(bits >> 8),
        static_cast<std::uint8_t>(bits >> 16),
        static_cast<std::uint8_t>(bits >> 24),
        0,
        0,
        0,
        0,
    };
    MD5Update(8, length);
}

std::int32_t clsMD5::LongLeftRotate(std::int32_t& Value, std::int32_t& Bits) {
    Bits %= 32;
    if (Bits > 0) {
        Value = static_cast<std::int32_t>(rotl(static_cast<std::uint32_t>(Value), Bits));
    }
    return Value;
}

void clsMD5::transform(const std::uint8_t* block) {
    std::uint32_t x[16];
    for (int i = 0; i < 16; ++i) {
        x[i] = static_cast<std::uint32_t>(block[4 * i]) |
               static_cast<std::uint32_t>(block[4 * i + 1]) << 8 |
               static_cast<std::uint32_t>(block[4 * i + 2]) << 16 |
               static_cast<std::uint32_t>(block[4 * i + 3]) << 24;
    }
    std::uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3];
    for (int step = 0; step < 64; ++step) {
        const int round = step / 16;
        std::uint32_t f;
        int word;
        switch (round) {
        case 0:
            f = (b & c) | (~b & d);
            word = step;
            break;
        case 1:
            f = (b & d) | (c & ~d);
            word = (5 * step + 1) % 16;
            break;
        case 2:
            f = b ^ c ^ d;
            word = (3 * step + 5) % 16;
            break;
        default:
            f = c ^ (b | ~d);
            word = (7 * step) % 16;
            break;
        }
        const std::uint32_t sum = a + f + kSine[step] + x[word];
        a = d;
        d = c;
        c = b;
        b = b + rotl(sum, kShift[round][step % 4]);
    }
    state_[0] += a;
    state_[1] += b;
    state_[2] += c;
    state_[3] += d;
}

} // namespace kv::protocol
