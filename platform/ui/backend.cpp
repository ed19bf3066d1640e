#include "platform/ui/backend.h"

#include <cmath>

namespace kv::ui {

Size Backend::measureText(std::string_view text, const Font& font) {
    // A fixed metric: every character half the font's pixel height wide.
    double pixels = font.size * 96.0 / 72.0 * (font.bold ? 1.1 : 1.0);
    return Size{static_cast<int>(std::lround(static_cast<double>(text.size()) * pixels / 2)),
                static_cast<int>(std::lround(pixels * 1.25))};
}

} // namespace kv::ui
