#include "tools/service-sim/code_picture.h"

#include <array>
#include <cstdint>

namespace kv::servicesim {

namespace {

using Glyph = std::array<const char*, 7>;

// 5x7 dot glyphs: digits 0 to 9, then letters A to Z.
constexpr std::array<Glyph, 36> kGlyphs = {{
    {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}, // 0
    {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}, // 1
    {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}, // 2
    {"#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."}, // 3
    {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}, // 4
    {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}, // 5
    {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."}, // 6
    {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}, // 7
    {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}, // 8
    {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."}, // 9
    {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}, // A
    {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}, // B
    {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}, // C
    {"###..", "#..#.", "#...#", "#...#", "#...#", "#..#.", "###.."}, // D
    {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}, // E
    {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}, // F
    {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"}, // G
    {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}, // H
    {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}, // I
    {"..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."}, // J
    {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}, // K
    {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}, // L
    {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}, // M
    {"#...#", "#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#"}, // N
    {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}, // O
    {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}, // P
    {".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"}, // Q
    {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}, // R
    {".####", "#....", "#....", ".###.", "....#", "....#", "####."}, // S
    {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}, // T
    {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}, // U
    {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}, // V
    {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."}, // W
    {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}, // X
    {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."}, // Y
    {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"}, // Z
}};

constexpr Glyph kBlank = {".....", ".....", ".....", ".....", ".....", ".....", "....."};

void put16(std::string& out, unsigned v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}
void put32(std::string& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

} // namespace

const char* const* glyphOf(char c) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c >= '0' && c <= '9') return kGlyphs[static_cast<std::size_t>(c - '0')].data();
    if (c >= 'A' && c <= 'Z') return kGlyphs[static_cast<std::size_t>(c - 'A' + 10)].data();
    return kBlank.data();
}

std::string codePicture(std::string_view text) {
    constexpr int dot = 3;
    const int width = 2 * kCodeMargin + kCodeCellWidth * static_cast<int>(text.size());
    const int height = 2 * kCodeMargin + kCodeCellHeight;
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    const auto imageSize = static_cast<std::uint32_t>(rowBytes * height);

    std::string bmp = "BM";
    put32(bmp, 54 + imageSize);
    put32(bmp, 0);
    put32(bmp, 54); // pixels follow the two headers
    put32(bmp, 40);
    put32(bmp, static_cast<std::uint32_t>(width));
    put32(bmp, static_cast<std::uint32_t>(height));
    put16(bmp, 1);
    put16(bmp, 24);
    put32(bmp, 0); // no compression
    put32(bmp, imageSize);
    put32(bmp, 2835); // 72 dots per inch
    put32(bmp, 2835);
    put32(bmp, 0);
    put32(bmp, 0);

    // Rows are stored bottom-up, each pixel blue, green, red.
    for (int y = height - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            bool ink = false;
            const int cx = x - kCodeMargin, cy = y - kCodeMargin;
            if (cx >= 0 && cy >= 0 && cy < 7 * dot) {
                const auto cell = static_cast<std::size_t>(cx / kCodeCellWidth);
                const int gx = cx % kCodeCellWidth / dot;
                if (cell < text.size() && gx < 5) ink = glyphOf(text[cell])[cy / dot][gx] == '#';
            }
            row += ink ? std::string("\x80\x20\x10", 3) : std::string("\xFF\xFF\xFF", 3);
        }
        row.resize(static_cast<std::size_t>(rowBytes), '\0');
        bmp += row;
    }
    return bmp;
}

} // namespace kv::servicesim
