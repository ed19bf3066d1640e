#include "installer/setup/background_layout.h"

#include "installer/common/delimited_lists.h"
#include "installer/common/installed_fonts.h"

#include <cctype>
#include <charconv>

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

void GradientFill(ui::Surface& surface, ui::Rect rect, ui::Color top, ui::Color bottom, int height,
                  int firstRow) {
    for (int y = 0; y < rect.height; ++y)
        surface.fill({rect.left, rect.top + y, rect.width, 1},
                     GradientRowColor(top, bottom, firstRow + y, height));
}

int NumberOr(std::string_view text, int fallback) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (!text.empty() && text.front() == '$') {
        base = 16;
        text.remove_prefix(1);
    } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) return fallback;
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size()) return fallback;
    if (negative) value = -value;
    if (value < -2147483648LL || value > 4294967295LL) return fallback;
    return static_cast<int>(static_cast<std::uint32_t>(value));
}

ui::Color ScriptColor(std::string_view text) {
    return static_cast<ui::Color>(NumberOr(text, 16711680));
}

void ApplyFontStyle(ui::Font& font, int style) {
    font.bold = (style & 1) != 0;
    font.italic = (style & 2) != 0;
    font.underline = (style & 4) != 0;
    font.strikeout = (style & 8) != 0;
}

LabelFont ReadLabelFont(std::string_view list, int pixelsPerInch) {
    LabelFont out;
    out.font.name = InstalledFaceOrArial(ListItem(list, 0));
    out.size = NumberOr(ListItem(list, 1), 16);
    out.font.size = out.size * 96 / (pixelsPerInch > 0 ? pixelsPerInch : 96);
    out.color = static_cast<ui::Color>(NumberOr(ListItem(list, 2), 16777215));
    out.font.charset = NumberOr(ListItem(list, 3), 1);
    ApplyFontStyle(out.font, NumberOr(ListItem(list, 4), 0));
    return out;
}

} // namespace kv::installer
