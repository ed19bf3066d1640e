#include "platform/ui/picture.h"

#include <gtest/gtest.h>

#include <string>

namespace kv::ui {
namespace {

std::string bytes(std::initializer_list<int> list) {
    std::string out;
    for (int b : list)
        out += static_cast<char>(b);
    return out;
}

std::string padded(std::string s, std::size_t size) {
    s.resize(size, '\0');
    return s;
}

TEST(Picture, SizesOfEachFormatAndRejectsOtherBytes) {
    std::string bmp = padded("BM", 26);
    bmp[18] = 40; // width 40
    bmp[22] = static_cast<char>(0xF6), bmp[23] = bmp[24] = bmp[25] = static_cast<char>(0xFF); // -10
    std::string gif = padded("GIF89a" + bytes({0x2C, 0x01, 0x20, 0x00}), 13);
    std::string png =
        padded(bytes({0x89}) + "PNG\r\n\x1a\n", 16) + bytes({0, 0, 1, 0, 0, 0, 0, 60});
    std::string jpeg = bytes({0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x04, 0,    0, 0xFF, 0xC0,
                              0x00, 0x11, 8,    0x00, 0x30, 0x00, 0x50, 0, 0,    0});
    struct Case {
        const char* name;
        std::string data;
        int width;
        int height;
    };
    for (const Case& c : {Case{"bmp bottom-up", bmp, 40, 10}, Case{"gif", gif, 300, 32},
                          Case{"png", png, 256, 60}, Case{"jpeg", jpeg, 80, 48}}) {
        auto pic = decodePicture(c.data, "C:\\x");
        ASSERT_TRUE(pic) << c.name;
        EXPECT_EQ(pic->width, c.width) << c.name;
        EXPECT_EQ(pic->height, c.height) << c.name;
        EXPECT_EQ(pic->bytes, c.data) << c.name;
    }
    // A bottom-up height whose size cannot be told (the lowest 32-bit number) is no picture.
    std::string bmpLowest = bmp;
    bmpLowest[22] = bmpLowest[23] = bmpLowest[24] = 0, bmpLowest[25] = static_cast<char>(0x80);
    for (const std::string& bad :
         {std::string(), std::string("BM"), std::string("not a picture"), padded("GIF89a", 10),
          bytes({0xFF, 0xD8, 0x00, 0x00}), bmpLowest})
        EXPECT_FALSE(decodePicture(bad, "x")) << bad;
}

} // namespace
} // namespace kv::ui
