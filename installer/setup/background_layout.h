#pragma once
// Layout arithmetic of the background window and the billboard: where each caption goes,
// the colour of each row of the gradient and the numbers of the script's settings.

#include "platform/ui/surface.h"

#include <cstdint>
#include <string>
#include <string_view>

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
// Fills the rectangle with the gradient row by row, each row one fill of its colour; rows
// are coloured as rows `firstRow` on of a gradient over `height` rows.
void GradientFill(ui::Surface& surface, ui::Rect rect, ui::Color top, ui::Color bottom, int height,
                  int firstRow = 0);

// The text as a whole number (decimal, or hexadecimal after "$" or "0x"; blanks before it
// allowed); `fallback` when it is not one.
int NumberOr(std::string_view text, int fallback);
// A colour setting: its number, 16711680 (blue) when it is not a number.
ui::Color ScriptColor(std::string_view text);

// A label-font list: name (Arial when not installed), size (default 16) for the screen's
// pixels per inch, colour (default white), character set (default 1), style bits.
struct LabelFont {
    ui::Font font;
    ui::Color color = 0xFFFFFF;
    int size = 16; // the size the list gives, before the screen's scaling
};
LabelFont ReadLabelFont(std::string_view list, int pixelsPerInch);
// Style bits: bold 1, italic 2, underline 4, strike-out 8.
void ApplyFontStyle(ui::Font& font, int style);

} // namespace kv::installer
