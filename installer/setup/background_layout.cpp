#include "installer/setup/background_layout.h"

namespace kv::installer {

CaptionPlacement PlaceCaption(const CaptionRequest& caption, int offset, int clientWidth,
                              int clientHeight, int screenWidth) {
    int m = offset == 0 ? 10 : offset;
    CaptionPlacement out;
    out.nextOffset = caption.textHeight + m;
    int margin = 20;
    if (screenWidth < 1000) {
        margin = 16;
        m = m * 4 / 5;
    }
    if (caption.side == "Left")
        out.x = margin + caption.shift;
    else if (caption.side == "Right")
        out.x = clientWidth - caption.textWidth - margin;
    else if (caption.side == "Center")
        out.x = (clientWidth - caption.textWidth - margin) / 2 - caption.shift;
    out.y = caption.bottom ? clientHeight - caption.textHeight - m : m;
    return out;
}

std::uint32_t GradientRowColor(std::uint32_t top, std::uint32_t bottom, int y, int height) {
    if (height <= 0) return top;
    std::uint32_t color = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const long long t = (top >> shift) & 0xFF;
        const long long b = (bottom >> shift) & 0xFF;
        // Truncation toward zero, as the channel step may be negative.
        const long long c = t + (static_cast<long long>(y) * (b - t)) / height;
        color |= static_cast<std::uint32_t>(c & 0xFF) << shift;
    }
    return color;
}

} // namespace kv::installer
