#include "platform/ui/picture.h"

#include "platform/ui/types.h"

#include <cstdint>
#include <limits>

namespace kv::ui {
namespace {

std::uint32_t le(std::string_view b, std::size_t at, int n) {
    std::uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]);
    return v;
}

std::uint32_t be(std::string_view b, std::size_t at, int n) {
    std::uint32_t v = 0;
    for (int i = 0; i < n; ++i)
        v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]);
    return v;
}

std::optional<Size> jpegSize(std::string_view b) {
    std::size_t at = 2;
    while (at + 9 < b.size()) {
        if (static_cast<unsigned char>(b[at]) != 0xFF) return std::nullopt;
        unsigned marker = static_cast<unsigned char>(b[at + 1]);
        std::size_t length = be(b, at + 2, 2);
        bool startOfFrame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (startOfFrame)
            return Size{static_cast<int>(be(b, at + 7, 2)), static_cast<int>(be(b, at + 5, 2))};
        at += 2 + length;
    }
    return std::nullopt;
}

} // namespace

std::optional<Picture> decodePicture(std::string_view bytes, std::string source) {
    std::optional<Size> size;
    if (bytes.size() >= 26 && bytes.substr(0, 2) == "BM") {
        // A negative height is a top-down bitmap; the lowest number has no positive size.
        const auto height = static_cast<std::int32_t>(le(bytes, 22, 4));
        if (height != std::numeric_limits<std::int32_t>::min())
            size = Size{static_cast<int>(static_cast<std::int32_t>(le(bytes, 18, 4))),
                        height < 0 ? -height : height};
    } else if (bytes.size() >= 10 &&
               (bytes.substr(0, 6) == "GIF87a" || bytes.substr(0, 6) == "GIF89a")) {
        size = Size{static_cast<int>(le(bytes, 6, 2)), static_cast<int>(le(bytes, 8, 2))};
    } else if (bytes.size() >= 24 && bytes.substr(1, 3) == "PNG") {
        size = Size{static_cast<int>(be(bytes, 16, 4)), static_cast<int>(be(bytes, 20, 4))};
    } else if (bytes.size() >= 4 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
               static_cast<unsigned char>(bytes[1]) == 0xD8) {
        size = jpegSize(bytes);
    }
    if (!size || size->width <= 0 || size->height <= 0) return std::nullopt;
    return Picture{std::move(source), std::string(bytes), size->width, size->height};
}

} // namespace kv::ui
