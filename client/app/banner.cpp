#include "client/app/banner.h"

#include "platform/system/resources.h"

#include <cstdint>
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

// A 24-bit bottom-up BMP: a dark blue band that fades to teal from left to right.
std::string drawBanner() {
    constexpr int w = 480, h = 60;
    constexpr int row = (w * 3 + 3) / 4 * 4;
    std::string bmp = "BM";
    put32(bmp, 54 + row * h);
    put32(bmp, 0);
    put32(bmp, 54);
    put32(bmp, 40);
    put32(bmp, w);
    put32(bmp, h);
    put16(bmp, 1);
    put16(bmp, 24);
    put32(bmp, 0);
    put32(bmp, row * h);
    put32(bmp, 2835);
    put32(bmp, 2835);
    put32(bmp, 0);
    put32(bmp, 0);
    for (int y = 0; y < h; ++y) {
        std::string line;
        for (int x = 0; x < w; ++x) {
            line += static_cast<char>(0x80 + x * 0x50 / w); // blue
            line += static_cast<char>(0x20 + x * 0x90 / w); // green
            line += static_cast<char>(0x10);                // red
        }
        line.resize(row, '\0');
        bmp += line;
    }
    return bmp;
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

} // namespace kv::app
