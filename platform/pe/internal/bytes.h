#pragma once
// Little-endian numbers read from byte strings with their bounds checked.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace kv::pe::internal {

// Whether [offset, offset + size) lies within data.
inline bool within(std::string_view data, std::uint64_t offset, std::uint64_t size) {
    return offset <= data.size() && size <= data.size() - offset;
}

inline std::optional<std::uint16_t> u16At(std::string_view data, std::uint64_t offset) {
    if (!within(data, offset, 2)) return std::nullopt;
    const auto* p = reinterpret_cast<const unsigned char*>(data.data() + offset);
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::optional<std::uint32_t> u32At(std::string_view data, std::uint64_t offset) {
    if (!within(data, offset, 4)) return std::nullopt;
    const auto* p = reinterpret_cast<const unsigned char*>(data.data() + offset);
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

inline std::size_t alignUp4(std::size_t n) {
    return (n + 3) & ~std::size_t(3);
}

} // namespace kv::pe::internal
