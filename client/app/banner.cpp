#include "client/app/banner.h"

#include "platform/system/resources.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace kv::app {
namespace {

constexpr const char* kBannerName = "102";

void put16(std::string& out, std::uint16_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8);
}
void put32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A 24-bit bottom-up BMP of w x h pixels, each pixel's blue, green and red from pixel(x, y)
// (y counted from the bottom).
template <class Pixel> std::string drawBitmap(int w, int h, Pixel pixel) {
    const int row = (w * 3 + 3) / 4 * 4;
    std::string bmp = "BM";
    put32(bmp, static_cast<std::uint32_t>(54 + row * h));
    put32(bmp, 0);
    put32(bmp, 54);
    put32(bmp, 40);
    put32(bmp, static_cast<std::uint32_t>(w));
    put32(bmp, static_cast<std::uint32_t>(h));
    put16(bmp, 1);
    put16(bmp, 24);
    put32(bmp, 0);
    put32(bmp, static_cast<std::uint32_t>(row * h));
    put32(bmp, 2835);
    put32(bmp, 2835);
    put32(bmp, 0);
    put32(bmp, 0);
    for (int y = 0; y < h; ++y) {
        std::string line;
        for (int x = 0; x < w; ++x) {
            const auto [b, g, r] = pixel(x, y);
            line += static_cast<char>(b);
            line += static_cast<char>(g);
            line += static_cast<char>(r);
        }
        line.resize(static_cast<std::size_t>(row), '\0');
        bmp += line;
    }
    return bmp;
}

struct Bgr {
    int b, g, r;
};

// A dark blue band that fades to teal from left to right.
std::string drawBanner() {
    constexpr int w = 480;
    return drawBitmap(w, 60, [](int x, int) {
        return Bgr{0x80 + x * 0x50 / w, 0x20 + x * 0x90 / w, 0x10};
    });
}

// An auction house's logo: four coloured blocks for the first house, two bands for the
// second.
std::string drawHouseLogo(int house) {
    constexpr int w = 72, h = 32;
    if (house == 1) {
        return drawBitmap(w, h, [](int x, int) {
            constexpr Bgr blocks[] = {
                {0x30, 0x30, 0xE0}, {0xD0, 0x50, 0x10}, {0x10, 0xB0, 0xF0}, {0x20, 0xA0, 0x40}};
            return blocks[x * 4 / w];
        });
    }
    return drawBitmap(w, h, [](int, int y) {
        return y < h / 2 ? Bgr{0x20, 0x70, 0xF0} : Bgr{0x60, 0x20, 0x20};
    });
}

constexpr Bgr kFace{0xC8, 0xD0, 0xD4};

// A magnifying glass: a dark blue ring with a brown handle towards the lower right.
Bgr magnifier(int x, int yUp) {
    const int y = 15 - yUp;
    const int dx = x - 6, dy = y - 6, d = dx * dx + dy * dy;
    if (d >= 16 && d <= 30) return {0x80, 0x20, 0x10};
    if (d < 16) return {0xF0, 0xE0, 0xC0};
    if (x >= 9 && y >= 9 && x <= 14 && y <= 14 && std::abs(x - y) <= 1) return {0x10, 0x40, 0x80};
    return kFace;
}

// A gold diamond with a green plus at its lower right.
Bgr favorite(int x, int yUp) {
    const int y = 15 - yUp;
    if ((x == 12 && y >= 9 && y <= 15) || (y == 12 && x >= 9 && x <= 15)) return {0x20, 0x90, 0x20};
    if (std::abs(x - 7) + std::abs(y - 7) <= 6) return {0x10, 0xB0, 0xF0};
    return kFace;
}

// Three slider rails, each with its dark knob at another place.
Bgr sliders(int x, int yUp) {
    const int y = 15 - yUp;
    constexpr int rails[] = {3, 8, 13};
    constexpr int knobs[] = {4, 10, 7};
    for (int i = 0; i < 3; ++i) {
        if (std::abs(y - rails[i]) <= 1 && std::abs(x - knobs[i]) <= 1) return {0x60, 0x30, 0x20};
        if (y == rails[i] && x >= 1 && x <= 14) return {0x70, 0x70, 0x70};
    }
    return kFace;
}

} // namespace

void addProgramResources() {
    if (kv::machine::findResource(kv::machine::kResourceBitmap, kBannerName)) return;
    kv::machine::addResource(kv::machine::kResourceBitmap, kBannerName, drawBanner());
}

kv::ui::Picture bannerPicture() {
    addProgramResources();
    auto bytes = kv::machine::findResource(kv::machine::kResourceBitmap, kBannerName);
    auto picture = kv::ui::decodePicture(bytes ? *bytes : std::string(),
                                         "resource:2/" + std::string(kBannerName));
    return picture ? *picture : kv::ui::Picture{};
}

kv::ui::Picture auctionHousePicture(int houseId) {
    if (houseId != 1 && houseId != 2) return {};
    auto picture =
        kv::ui::decodePicture(drawHouseLogo(houseId), "house:" + std::to_string(houseId));
    return picture ? *picture : kv::ui::Picture{};
}

kv::ui::Picture searchButtonPicture(SearchButton button) {
    std::string bmp;
    const char* name = "";
    switch (button) {
    case SearchButton::Search:
        bmp = drawBitmap(16, 16, magnifier);
        name = "search";
        break;
    case SearchButton::AddFavorite:
        bmp = drawBitmap(16, 16, favorite);
        name = "favorite";
        break;
    case SearchButton::Preferences:
        bmp = drawBitmap(16, 16, sliders);
        name = "preferences";
        break;
    }
    auto picture = kv::ui::decodePicture(bmp, std::string("search:") + name);
    return picture ? *picture : kv::ui::Picture{};
}

} // namespace kv::app
