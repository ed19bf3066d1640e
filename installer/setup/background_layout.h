#pragma once
// Layout arithmetic of the background window: where each caption goes and the colour of
// each row of the gradient. Pure functions, so the form only draws what they compute.

#include <cstdint>
#include <string>

namespace kv::installer {

// One caption to place: its side ("Left", "Right", "Center"; anything else is x 0), whether
// it is the bottom caption, and its measured text size.
struct CaptionRequest {
    std::string side;
    bool bottom = false;
    int textWidth = 0;
    int textHeight = 0;
    int shift = 0; // horizontal shift of the caption
};

struct CaptionPlacement {
    int x = 0;
    int y = 0;
    int nextOffset = 0; // the running offset for the next caption
};

// Places a caption in a client area of clientWidth x clientHeight on a screen screenWidth
// pixels wide; offset is the running offset (0 at the first caption).
CaptionPlacement PlaceCaption(const CaptionRequest& caption, int offset, int clientWidth,
                              int clientHeight, int screenWidth);

// The colour (0x00BBGGRR) of row y of a gradient of the given height from top to bottom.
std::uint32_t GradientRowColor(std::uint32_t top, std::uint32_t bottom, int y, int height);

} // namespace kv::installer
