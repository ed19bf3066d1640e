#include "installer/common/shared_windows.h"

#include "installer/common/messages.h"
#include "installer/common/system_queries.h"
#include "platform/system/machine.h"
#include "platform/text/ansi.h"
#include "platform/ui/buttons.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <vector>

namespace kv::installer {
namespace {

constexpr std::array<std::string_view, 10> kPlacements = {
    "Center",     "Top/Left",      "Top/Right",   "Bottom/Left",  "Bottom/Right",
    "Top/Center", "Bottom/Center", "Left/Center", "Right/Center", "Hide"};

void setUnderline(ui::Widget& w, bool on) {
    ui::Font font = w.font();
    font.underline = on;
    w.setFont(font);
}

} // namespace

void SetDefaultFont(ui::Font& font) {
    font.name = "Tahoma";
}

bool IsRightToLeftCharset(int charset) {
    return charset == 177 || charset == 178;
}

void ApplyBiDiMode(ui::Widget& control, int charset) {
    if (IsRightToLeftCharset(charset)) control.setRightToLeft(true);
}

int AlignmentIndex(std::string_view name) {
    int found = 0;
    for (std::size_t i = 0; i < kPlacements.size(); ++i)
        if (text::equalsNoCase(kPlacements[i], name)) found = static_cast<int>(i);
    return found;
}

int PlacementOffset(const std::string& text) {
    return static_cast<int>(
        std::clamp<long long>(std::strtoll(text.c_str(), nullptr, 10), -1000000, 1000000));
}

void PlaceForm(ui::Widget& control, std::string_view placement, int freeHeight, int margin, int top,
               int left, int freeWidth) {
    const int fw = freeWidth, fh = freeHeight, m = margin;
    int x = left + fw / 2, y = top + fh / 2;
    switch (AlignmentIndex(placement)) {
    case 1:
        x = left + m, y = top + m;
        break;
    case 2:
        x = left + fw - m, y = top + m;
        break;
    case 3:
        x = left + m, y = top + fh - m;
        break;
    case 4:
        x = left + fw - m, y = top + fh - m;
        break;
    case 5:
        y = top + m;
        break;
    case 6:
        y = top + fh - m;
        break;
    case 7:
        x = left + m;
        break;
    case 8:
        x = left + fw - m;
        break;
    case 9:
        x = 5 - control.width(), y = 5 - control.height();
        break;
    default:
        break;
    }
    control.move(x, y);
}

void TFakeForm::BtnEnter(ui::Widget& sender) {
    setUnderline(sender, true);
}

void TFakeForm::BtnExit(ui::Widget& sender) {
    setUnderline(sender, false);
}

void SetHoverEffects(ui::Form& form) {
    if (!IsThemed()) return;
    for (ui::Control* c : form.controls()) {
        if (!dynamic_cast<ui::CheckBox*>(c) && !dynamic_cast<ui::OptionButton*>(c)) continue;
        c->onMouseEnter = [c] { TFakeForm::BtnEnter(*c); };
        c->onMouseLeave = [c] { TFakeForm::BtnExit(*c); };
    }
}

void ApplyTextMarkup(ui::RichTextBox& box, std::string_view text) {
    // Tags are looked for in an upper-cased copy; what is appended comes from the text.
    std::string rest(text), upper = text::toUpper(text), shown;
    std::vector<ui::TextRun> runs;
    for (bool found = true; found;) {
        found = false;
        if (const auto open = upper.find("<B>"); open != std::string::npos) {
            shown += rest.substr(0, open);
            rest.erase(0, open + 3);
            upper.erase(0, open + 3);
            found = true;
        }
        if (const auto close = upper.find("</B>"); close != std::string::npos) {
            if (runs.size() < kMaxBoldRuns)
                runs.push_back({static_cast<int>(shown.size()), static_cast<int>(close)});
            shown += rest.substr(0, close);
            rest.erase(0, close + 4);
            upper.erase(0, close + 4);
            found = true;
        }
    }
    shown += rest;
    box.setText(std::move(shown));
    for (const ui::TextRun& run : runs)
        box.setBold(run.start, run.length);
}

void SetEditText(ui::RichTextBox& box, std::string_view text) {
    if (machine::current().profile().screen.pixelsPerInch > 96) {
        ui::Font font = box.font();
        font.size = 7;
        box.setFont(font);
    }
    ApplyTextMarkup(box, ExpandEscapes(text));
    const ui::Widget* parent = box.container();
    if (!parent) parent = box.form();
    box.setBackColor(parent->backColor());
    box.setBorderStyle(ui::BorderStyle::None);
    box.setLocked(true);
    box.setTabStop(false);
}

void MakeRightToLeft(ui::RichTextBox*& box, int charset) {
    if (!box || !IsRightToLeftCharset(charset)) return;
    // What the replacement does not take over itself.
    const ui::Font font = box->font();
    const bool tabStop = box->tabStop();
    const bool enabled = box->enabled();
    box = &box->replaceWithNew(true);
    box->setFont(font);
    box->setTabStop(tabStop);
    box->setEnabled(enabled);
}

} // namespace kv::installer
