#include "client/protocol/rc4.h"

#include <array>
#include <cstdint>
#include <utility>

namespace kv::protocol {

std::string RC4Crypt(std::string_view Text, std::string_view Key) {
    if (Text.empty() || Key.empty()) return {};
    const std::string_view key = Key.substr(0, 256);

    // Key schedule, recomputed on every call.
    std::array<std::uint8_t, 256> s;
    for (int i = 0; i < 256; ++i)
        s[i] = static_cast<std::uint8_t>(i);
    std::uint8_t j = 0;
    for (std::size_t i = 0; i < 256; ++i) {
        j = static_cast<std::uint8_t>(j + s[i] + static_cast<std::uint8_t>(key[i % key.size()]));
        std::swap(s[i], s[j]);
    }

    std::string out(Text.size(), '\0');
    std::uint8_t i = 0;
    j = 0;
    for (std::size_t n = 0; n < Text.size(); ++n) {
        i = static_cast<std::uint8_t>(i + 1);
        j = static_cast<std::uint8_t>(j + s[i]);
        std::swap(s[i], s[j]);
        const std::uint8_t k = s[static_cast<std::uint8_t>(s[i] + s[j])];
        out[n] = static_cast<char>(static_cast<std::uint8_t>(Text[n]) ^ k);
    }
    return out;
}

} // namespace kv::protocol
