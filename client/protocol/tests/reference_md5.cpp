#include "client/protocol/tests/reference_md5.h"

#include <cmath>
#include <cstdio>

namespace kv::protocol::testing {

void md5Compress(Md5State& state, std::string_view block) {
    static const auto k = [] {
        std::array<std::uint32_t, 64> t{};
        for (int i = 0; i < 64; ++i) {
            t[i] =
                static_cast<std::uint32_t>(std::floor(std::fabs(std::sin(i + 1.0)) * 4294967296.0));
        }
        return t;
    }();
    static const int shifts[64] = {7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22, 7, 12, 17, 22,
                                   5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20, 5, 9,  14, 20,
                                   4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23, 4, 11, 16, 23,
                                   6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21, 6, 10, 15, 21};
    std::uint32_t m[16];
    for (int i = 0; i < 16; ++i) {
        m[i] = 0;
        for (int b = 3; b >= 0; --b)
            m[i] = m[i] << 8 | static_cast<unsigned char>(block[4 * i + b]);
    }
    std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
    for (int i = 0; i < 64; ++i) {
        std::uint32_t f;
        int g;
        if (i < 16) {
            f = d ^ (b & (c ^ d));
            g = i;
        } else if (i < 32) {
            f = c ^ (d & (b ^ c));
            g = (5 * i + 1) & 15;
        } else if (i < 48) {
            f = b ^ c ^ d;
            g = (3 * i + 5) & 15;
        } else {
            f = c ^ (b | ~d);
            g = (7 * i) & 15;
        }
        const std::uint32_t t = d;
        d = c;
        c = b;
        const std::uint32_t x = a + f + k[i] + m[g];
        b += (x << shifts[i]) | (x >> (32 - shifts[i]));
        a = t;
    }
    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
}

std::string md5Hex(const Md5State& state) {
    std::string out;
    char two[3];
    for (std::uint32_t w : state) {
        for (int i = 0; i < 4; ++i) {
            std::snprintf(two, sizeof two, "%02X", static_cast<unsigned>((w >> (8 * i)) & 0xff));
            out += two;
        }
    }
    return out;
}

std::string rfcMd5(std::string_view message) {
    std::string padded(message);
    padded += '\x80';
    while (padded.size() % 64 != 56)
        padded += '\0';
    const std::uint64_t bits = static_cast<std::uint64_t>(message.size()) * 8;
    for (int i = 0; i < 8; ++i)
        padded += static_cast<char>((bits >> (8 * i)) & 0xff);
    Md5State state = kMd5Initial;
    for (std::size_t n = 0; n < padded.size(); n += 64) {
        md5Compress(state, std::string_view(padded).substr(n, 64));
    }
    return md5Hex(state);
}

} // namespace kv::protocol::testing
