#include "client/app/main_icons.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kv::app {
namespace {

constexpr int kSize = 16;

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
};

// A 16 x 16 drawing: shapes filled in one colour, each pixel covered by its centre.
class Canvas {
public:
    void fill(Rgba c, const std::function<bool(double, double)>& inside) {
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x)
                if (inside(x + 0.5, y + 0.5)) px_[static_cast<std::size_t>(y * kSize + x)] = c;
    }
    void rect(Rgba c, double x0, double y0, double x1, double y1) {
        fill(c, [=](double x, double y) { return x >= x0 && x < x1 && y >= y0 && y < y1; });
    }
    void disc(Rgba c, double cx, double cy, double r) {
        fill(c, [=](double x, double y) { return std::hypot(x - cx, y - cy) <= r; });
    }
    void ring(Rgba c, double cx, double cy, double r, double width) {
        fill(c, [=](double x, double y) {
            const double d = std::hypot(x - cx, y - cy);
            return d <= r && d >= r - width;
        });
    }
    void line(Rgba c, double x0, double y0, double x1, double y1, double width) {
        fill(c, [=](double x, double y) {
            const double dx = x1 - x0, dy = y1 - y0;
            double t = ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy);
            t = std::clamp(t, 0.0, 1.0);
            return std::hypot(x - (x0 + t * dx), y - (y0 + t * dy)) <= width / 2;
        });
    }
    void triangle(Rgba c, double ax, double ay, double bx, double by, double cx, double cy) {
        fill(c, [=](double x, double y) {
            auto side = [&](double px, double py, double qx, double qy) {
                return (qx - px) * (y - py) - (qy - py) * (x - px);
            };
            const double s1 = side(ax, ay, bx, by), s2 = side(bx, by, cx, cy),
                         s3 = side(cx, cy, ax, ay);
            return (s1 >= 0 && s2 >= 0 && s3 >= 0) || (s1 <= 0 && s2 <= 0 && s3 <= 0);
        });
    }
    const std::array<Rgba, kSize * kSize>& pixels() const { return px_; }

private:
    std::array<Rgba, kSize * kSize> px_{};
};

constexpr Rgba kGreen{0x20, 0x90, 0x30, 0xFF};
constexpr Rgba kDarkGreen{0x10, 0x60, 0x20, 0xFF};
constexpr Rgba kRed{0xD0, 0x20, 0x20, 0xFF};
constexpr Rgba kBlue{0x20, 0x50, 0xC0, 0xFF};
constexpr Rgba kNavy{0x10, 0x20, 0x60, 0xFF};
constexpr Rgba kYellow{0xF0, 0xC8, 0x40, 0xFF};
constexpr Rgba kBrown{0x90, 0x60, 0x20, 0xFF};
constexpr Rgba kWhite{0xFF, 0xFF, 0xFF, 0xFF};
constexpr Rgba kGrey{0x80, 0x80, 0x80, 0xFF};
constexpr Rgba kBlack{0x20, 0x20, 0x20, 0xFF};

void put32(std::string& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((v >> shift) & 0xFF);
}

std::uint32_t crc32(const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char ch : bytes) {
        crc ^= ch;
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return crc ^ 0xFFFFFFFFu;
}

void chunk(std::string& png, const char* type, const std::string& data) {
    put32(png, static_cast<std::uint32_t>(data.size()));
    const std::string body = type + data;
    png += body;
    put32(png, crc32(body));
}

// The drawing as a PNG (RGBA, its data in one stored deflate block).
std::string encodePng(const Canvas& canvas) {
    std::string raw;
    for (int y = 0; y < kSize; ++y) {
        raw += '\0'; // no filter
        for (int x = 0; x < kSize; ++x) {
            const Rgba& p = canvas.pixels()[static_cast<std::size_t>(y * kSize + x)];
            raw += static_cast<char>(p.r);
            raw += static_cast<char>(p.g);
            raw += static_cast<char>(p.b);
            raw += static_cast<char>(p.a);
        }
    }
    std::uint32_t a = 1, b = 0;
    for (unsigned char ch : raw) {
        a = (a + ch) % 65521;
        b = (b + a) % 65521;
    }
    const auto n = static_cast<std::uint16_t>(raw.size());
    std::string z = "\x78\x01";
    z += '\x01'; // the final block, stored
    z += static_cast<char>(n & 0xFF);
    z += static_cast<char>(n >> 8);
    z += static_cast<char>(~n & 0xFF);
    z += static_cast<char>((~n >> 8) & 0xFF);
    z += raw;
    put32(z, (b << 16) | a);

    std::string png = "\x89PNG\r\n\x1a\n";
    std::string header;
    put32(header, kSize);
    put32(header, kSize);
    header += std::string("\x08\x06\x00\x00\x00", 5); // 8-bit RGBA
    chunk(png, "IHDR", header);
    chunk(png, "IDAT", z);
    chunk(png, "IEND", "");
    return png;
}

Canvas folder(Rgba body) {
    Canvas c;
    c.rect(kBrown, 1, 3, 7, 5);
    c.rect(kBrown, 1, 4, 15, 14);
    c.rect(body, 2, 6, 14, 13);
    return c;
}

Canvas cross(Rgba colour) {
    Canvas c;
    c.line(colour, 3, 3, 13, 13, 2.6);
    c.line(colour, 13, 3, 3, 13, 2.6);
    return c;
}

Canvas arrow(bool right) {
    Canvas c;
    const double tip = right ? 15 : 1, base = right ? 8 : 8;
    c.triangle(kGreen, tip, 8, base, 2, base, 14);
    c.rect(kGreen, right ? 2 : 8, 6, right ? 8 : 14, 10);
    return c;
}

// The pictures by number, 1 to 23.
std::vector<Canvas> drawIcons() {
    std::vector<Canvas> icons(23);
    auto at = [&](int n) -> Canvas& { return icons[static_cast<std::size_t>(n - 1)]; };
    at(kIconBack) = arrow(false);
    at(kIconForward) = arrow(true);
    {
        Canvas& c = at(kIconStop);
        c.disc(kRed, 8, 8, 7);
        c.rect(kWhite, 4, 7, 12, 9);
    }
    {
        Canvas& c = at(kIconReload);
        c.fill(kBlue, [](double x, double y) {
            const double d = std::hypot(x - 8, y - 8);
            return d <= 6.5 && d >= 4 && !(x > 8 && y < 8);
        });
        c.triangle(kBlue, 8, 0.5, 8, 6.5, 12, 3.5);
    }
    {
        Canvas& c = at(kIconHome);
        c.triangle(kRed, 8, 1, 1, 8, 15, 8);
        c.rect(kBrown, 3, 8, 13, 15);
        c.rect(kWhite, 7, 10, 10, 15);
    }
    {
        Canvas& c = at(kIconPreview);
        c.rect(kNavy, 1, 2, 15, 14);
        c.rect(kWhite, 2, 3, 14, 7);
        c.rect(kYellow, 2, 8, 14, 13);
    }
    {
        Canvas& c = at(kIconFolders);
        c.rect(kNavy, 1, 2, 15, 14);
        c.rect(kYellow, 2, 3, 6, 13);
        c.rect(kWhite, 7, 3, 14, 13);
    }
    {
        Canvas& c = at(kIconImport);
        c.rect(kGrey, 1, 11, 15, 15);
        c.rect(kBlue, 6, 1, 10, 7);
        c.triangle(kBlue, 8, 12, 3, 6, 13, 6);
    }
    {
        Canvas& c = at(9); // active snipes: a clock running
        c.disc(kGreen, 8, 8, 7);
        c.disc(kWhite, 8, 8, 5.5);
        c.line(kBlack, 8, 8, 8, 4, 1.5);
        c.line(kBlack, 8, 8, 11, 9, 1.5);
    }
    {
        Canvas& c = at(10); // watching: an eye
        c.fill(kNavy, [](double x, double y) {
            return std::pow((x - 8) / 7.5, 2) + std::pow((y - 8) / 4.5, 2) <= 1;
        });
        c.fill(kWhite, [](double x, double y) {
            return std::pow((x - 8) / 6, 2) + std::pow((y - 8) / 3.3, 2) <= 1;
        });
        c.disc(kBlue, 8, 8, 2.5);
    }
    {
        Canvas& c = at(kIconAddItem);
        c.rect(kGrey, 2, 1, 12, 15);
        c.rect(kWhite, 3, 2, 11, 14);
        c.rect(kGreen, 8, 6, 11, 15);
        c.rect(kGreen, 5, 9, 14, 12);
    }
    {
        Canvas& c = at(kIconProperties);
        c.rect(kGrey, 2, 1, 12, 15);
        c.rect(kWhite, 3, 2, 11, 14);
        c.line(kBrown, 5, 13, 14, 4, 2.5);
        c.line(kBlack, 4, 14, 5.5, 12.5, 1.5);
    }
    at(kIconCancel) = cross(kRed);
    at(14) = folder(kYellow); // all snipes
    {
        Canvas& c = at(15); // successful: a check mark
        c.line(kGreen, 2, 8, 6, 13, 2.8);
        c.line(kGreen, 6, 13, 14, 3, 2.8);
    }
    {
        Canvas& c = at(16); // failed
        c.disc(kRed, 8, 8, 7);
        c.line(kWhite, 5, 5, 11, 11, 2);
        c.line(kWhite, 11, 5, 5, 11, 2);
    }
    {
        Canvas& c = at(17); // cancelled: barred
        c.ring(kGrey, 8, 8, 7, 2);
        c.line(kGrey, 3.5, 12.5, 12.5, 3.5, 2);
    }
    {
        Canvas& c = at(18); // my eBay: four blocks
        c.rect(kRed, 1, 1, 8, 8);
        c.rect(kBlue, 8, 1, 15, 8);
        c.rect(kYellow, 1, 8, 8, 15);
        c.rect(kGreen, 8, 8, 15, 15);
    }
    {
        Canvas& c = at(19); // bidding: a gavel
        c.line(kBrown, 3, 14, 10, 7, 2);
        c.line(kDarkGreen, 7, 3, 13, 9, 4);
    }
    {
        Canvas& c = at(kIconSearch);
        c.ring(kNavy, 6.5, 6.5, 5.5, 2);
        c.line(kNavy, 10, 10, 15, 15, 2.8);
    }
    {
        Canvas& c = at(kIconSnipe);
        c.ring(kRed, 8, 8, 6.5, 1.5);
        c.line(kRed, 8, 0.5, 8, 15.5, 1.2);
        c.line(kRed, 0.5, 8, 15.5, 8, 1.2);
    }
    {
        Canvas& c = at(kIconWebTab); // a globe
        c.disc(kBlue, 8, 8, 7);
        c.fill(kGreen, [](double x, double y) {
            return std::hypot(x - 6, y - 6) < 3.2 || std::hypot(x - 11, y - 11) < 2.5;
        });
        c.ring(kNavy, 8, 8, 7, 1);
    }
    {
        Canvas& c = at(kIconSnipesTab); // a list of rows
        c.rect(kGrey, 1, 2, 15, 14);
        c.rect(kWhite, 2, 3, 14, 13);
        for (int row = 0; row < 3; ++row) {
            c.rect(kRed, 3, 4.5 + row * 3, 5, 6.5 + row * 3);
            c.rect(kNavy, 6, 5 + row * 3, 13, 6 + row * 3);
        }
    }
    return icons;
}

kv::ui::Picture toPicture(const Canvas& canvas, const std::string& name) {
    kv::ui::Picture p;
    p.source = "icon:" + name;
    p.bytes = encodePng(canvas);
    p.width = kSize;
    p.height = kSize;
    return p;
}

} // namespace

void fillMainIcons(kv::ui::ImageList& list) {
    list.clear();
    const std::vector<Canvas> icons = drawIcons();
    for (std::size_t i = 0; i < icons.size(); ++i)
        list.add(toPicture(icons[i], std::to_string(i + 1)));
}

void fillColumnArrows(kv::ui::ImageList& list) {
    list.clear();
    Canvas up;
    up.triangle(kGrey, 8, 4, 3, 11, 13, 11);
    Canvas down;
    down.triangle(kGrey, 8, 12, 3, 5, 13, 5);
    list.add(toPicture(up, "ascending"));
    list.add(toPicture(down, "descending"));
}

} // namespace kv::app
