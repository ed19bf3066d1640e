#include "client/protocol/base64.h"

#include <array>
#include <cstdint>

namespace kv::protocol {

namespace {

constexpr std::uint8_t kInvalid = 255;
constexpr std::uint8_t kPad = 64;

// The 64 characters of the alphabet, from their ranges.
std::array<char, 64> encodingTable() {
    std::array<char, 64> table{};
    int n = 0;
    for (char c = 'A'; c <= 'Z'; ++c)
        table[n++] = c;
    for (char c = 'a'; c <= 'z'; ++c)
        table[n++] = c;
    for (char c = '0'; c <= '9'; ++c)
        table[n++] = c;
    table[n++] = '+';
    table[n] = '/';
    return table;
}

// Value of every byte: 0..63 for the alphabet, 64 for "=", kInvalid for the rest.
std::array<std::uint8_t, 256> decodingTable() {
    std::array<std::uint8_t, 256> table;
    table.fill(kInvalid);
    const auto alphabet = encodingTable();
    for (std::uint8_t v = 0; v < 64; ++v)
        table[static_cast<std::uint8_t>(alphabet[v])] = v;
    table[static_cast<std::uint8_t>('=')] = kPad;
    return table;
}

} // namespace

std::string Base64Encode(std::string_view Text) {
    const auto alphabet = encodingTable();
    std::string out;
    out.reserve((Text.size() + 2) / 3 * 4);
    std::size_t n = 0;
    for (; n + 3 <= Text.size(); n += 3) {
        const std::uint32_t group = static_cast<std::uint8_t>(Text[n]) << 16 |
                                    static_cast<std::uint8_t>(Text[n + 1]) << 8 |
                                    static_cast<std::uint8_t>(Text[n + 2]);
        out += alphabet[group >> 18 & 63];
        out += alphabet[group >> 12 & 63];
        out += alphabet[group >> 6 & 63];
        out += alphabet[group & 63];
    }
    const std::size_t left = Text.size() - n;
    if (left > 0) {
        std::uint32_t group = static_cast<std::uint8_t>(Text[n]) << 16;
        if (left == 2) group |= static_cast<std::uint8_t>(Text[n + 1]) << 8;
        out += alphabet[group >> 18 & 63];
        out += alphabet[group >> 12 & 63];
        out += left == 2 ? alphabet[group >> 6 & 63] : '=';
        out += '=';
    }
    return out;
}

std::string Base64Decode(std::string_view Text) {
    if (Text.size() < 4) return {};
    const auto table = decodingTable();
    std::string out;
    out.reserve(Text.size() / 4 * 3);
    std::array<std::uint8_t, 4> v{};
    int have = 0;
    for (const char ch : Text) {
        const std::uint8_t value = table[static_cast<std::uint8_t>(ch)];
        if (value == kInvalid) continue;
        v[have++] = value;
        if (have < 4) continue;
        have = 0;
        const char bytes[3] = {
            static_cast<char>((v[0] * 4 + v[1] / 16) % 256),
            static_cast<char>(((v[1] % 16) * 16 + v[2] / 4) % 256),
            static_cast<char>(((v[2] % 4) * 64 + v[3]) % 256),
        };
        const int dropped = (v[2] == kPad) + (v[3] == kPad);
        out.append(bytes, 3 - dropped);
    }
    return out;
}

} // namespace kv::protocol
