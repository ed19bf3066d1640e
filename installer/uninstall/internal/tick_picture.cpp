#include "installer/uninstall/internal/tick_picture.h"

#include <cstdint>
#include <string>

namespace kv::installer::uninstall::internal {
namespace {

constexpr int kSize = 16;

void put16(std::string& out, std::uint32_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}
void put32(std::string& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// Whether a pixel (x right, y down) lies on the check mark's two strokes, 2 pixels thick.
bool onMark(int x, int y) {
    const bool shortStroke = x >= 2 && x <= 6 && (y - (x + 6) == 0 || y - (x + 6) == 1);
    const bool longStroke = x >= 6 && x <= 14 && (y - (18 - x) == 0 || y - (18 - x) == -1);
    return shortStroke || longStroke;
}

} // namespace

// A 24-bit bottom-up BMP: the mark in green on the button face's grey.
ui::Picture tickPicture() {
    const int row = kSize * 3 + (4 - kSize * 3 % 4) % 4;
    std::string bmp = "BM";
    put32(bmp, 54 + row * kSize);
    put32(bmp, 0);
    put32(bmp, 54);
    put32(bmp, 40);
    put32(bmp, kSize);
    put32(bmp, kSize);
    put16(bmp, 1);
    put16(bmp, 24);
    put32(bmp, 0);
    put32(bmp, row * kSize);
    put32(bmp, 2835);
    put32(bmp, 2835);
    put32(bmp, 0);
    put32(bmp, 0);
    for (int y = kSize - 1; y >= 0; --y) {
        std::string line;
        for (int x = 0; x < kSize; ++x) {
            const bool mark = onMark(x, y);
            line += static_cast<char>(mark ? 0x00 : 0xC0); // blue
            line += static_cast<char>(mark ? 0x90 : 0xC0); // green
            line += static_cast<char>(mark ? 0x00 : 0xC0); // red
        }
        line.resize(row, '\0');
        bmp += line;
    }
    return ui::Picture{"resource:tick", bmp, kSize, kSize};
}

} // namespace kv::installer::uninstall::internal
