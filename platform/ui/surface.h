#pragma once
// The drawing surface of a form or picture box that paints itself: a list of drawing
// operations, kept so that a backend can draw them and a test can read them.

#include "platform/ui/picture.h"
#include "platform/ui/types.h"

#include <string>
#include <variant>
#include <vector>

namespace kv::ui {

struct FillOp {
    Rect rect;
    Color color = kBlack;
};
// A gradient from `from` to `to`, top to bottom when vertical, else left to right.
struct GradientOp {
    Rect rect;
    Color from = kBlack;
    Color to = kBlack;
    bool vertical = true;
};
// One line of text with its top-left corner (or top-right corner when right-aligned).
struct TextOp {
    int x = 0;
    int y = 0;
    std::string text;
    Font font;
    Color color = kBlack;
    bool transparent = true;
    bool rightAligned = false;
    bool rightToLeft = false;
};
struct PictureOp {
    Rect rect;
    Picture picture;
    bool transparent = false;
};
using DrawOp = std::variant<FillOp, GradientOp, TextOp, PictureOp>;

class Surface {
public:
    void clear() { ops_.clear(); }
    void fill(Rect rect, Color color) { ops_.push_back(FillOp{rect, color}); }
    void gradient(Rect rect, Color from, Color to, bool vertical = true) {
        ops_.push_back(GradientOp{rect, from, to, vertical});
    }
    void text(TextOp op) { ops_.push_back(std::move(op)); }
    void picture(Rect rect, Picture pic, bool transparent = false) {
        ops_.push_back(PictureOp{rect, std::move(pic), transparent});
    }
    const std::vector<DrawOp>& ops() const { return ops_; }

private:
    std::vector<DrawOp> ops_;
};

} // namespace kv::ui
