// Caption placement and gradient rows of the background window.

#include "installer/setup/background_layout.h"

#include <gtest/gtest.h>

namespace kv::installer {
namespace {

TEST(BackgroundLayout, CaptionPlacement) {
    struct Case {
        const char* name;
        CaptionRequest caption;
        int offset;
        int screenWidth;
        int x, y, next;
    };
    // Client area 1024 x 768; text 200 x 30.
    const Case cases[] = {
        {"first left", {"Left", false, 200, 30, 0}, 0, 1280, 20, 10, 40},
        {"left small screen", {"Left", false, 200, 30, 0}, 0, 800, 16, 8, 40},
        {"left shifted", {"Left", false, 200, 30, 5}, 40, 1280, 25, 40, 70},
        {"right", {"Right", false, 200, 30, 0}, 0, 1280, 804, 10, 40},
        {"center", {"Center", false, 200, 30, 4}, 0, 1280, 398, 10, 40},
        {"bottom", {"Left", true, 200, 30, 0}, 0, 1280, 20, 728, 40},
        {"bottom small screen", {"Right", true, 200, 30, 0}, 50, 800, 808, 698, 80},
        {"other side", {"Middle", false, 200, 30, 9}, 0, 1280, 0, 10, 40},
    };
    for (const Case& c : cases) {
        const CaptionPlacement p = PlaceCaption(c.caption, c.offset, 1024, 768, c.screenWidth);
        EXPECT_EQ(p.x, c.x) << c.name;
        EXPECT_EQ(p.y, c.y) << c.name;
        EXPECT_EQ(p.nextOffset, c.next) << c.name;
    }
}

TEST(BackgroundLayout, GradientRowsPerChannel) {
    // Blue (16711680) at the top to black at the bottom over 256 rows, red rising.
    EXPECT_EQ(GradientRowColor(0xFF0000, 0x0000FF, 0, 256), 0xFF0000u);
    EXPECT_EQ(GradientRowColor(0xFF0000, 0x0000FF, 128, 256), 0x80007Fu);
    EXPECT_EQ(GradientRowColor(0xFF0000, 0x0000FF, 255, 256), 0x0100FEu);
    // Truncation: 3 rows from 0 to 10 give 0, 3, 6.
    EXPECT_EQ(GradientRowColor(0, 10, 1, 3), 3u);
    EXPECT_EQ(GradientRowColor(0, 10, 2, 3), 6u);
    // Same colours make a flat fill; no height draws the top colour.
    EXPECT_EQ(GradientRowColor(0x123456, 0x123456, 7, 10), 0x123456u);
    EXPECT_EQ(GradientRowColor(0x123456, 0, 0, 0), 0x123456u);
}

} // namespace
} // namespace kv::installer
