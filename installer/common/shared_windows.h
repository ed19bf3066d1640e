#pragma once
// User-interface pieces both installer programs share: the default font, placing a window
// by a placement name, right-to-left reading for Hebrew and Arabic texts (character sets 177
// and 178), the hover underline of check boxes and option buttons, and read-only text panes
// with bold markup.

#include "platform/ui/form.h"
#include "platform/ui/rich_text.h"

#include <string>
#include <string_view>

namespace kv::installer {

// Sets the font name "Tahoma".
void SetDefaultFont(ui::Font& font);
// Whether a character set reads right to left (177 Hebrew, 178 Arabic).
bool IsRightToLeftCharset(int charset);
// Switches the control to right-to-left reading for character sets 177 and 178.
void ApplyBiDiMode(ui::Widget& control, int charset);

// The index of a name (whole, without regard to case; the last match wins) in
// "|Center|Top/Left|Top/Right|Bottom/Left|Bottom/Right|Top/Center|Bottom/Center|Left/Center|
// Right/Center|Hide|"; 0 (Center) when none matches.
int AlignmentIndex(std::string_view name);
// Moves the control by its placement in an area at left, top whose free width and height
// (the area's size less the control's) are given; "Hide" moves it almost wholly off the
// top-left corner.
void PlaceForm(ui::Widget& control, std::string_view placement, int freeHeight, int margin, int top,
               int left, int freeWidth);
// A placement's offset: the text's leading number, held within a million pixels either way
// so that a place computed from it stays a whole number.
int PlacementOffset(const std::string& text);

// The hover handlers: the caption is underlined while the pointer is over the control.
class TFakeForm {
public:
    static void BtnEnter(ui::Widget& sender);
    static void BtnExit(ui::Widget& sender);
};
// With visual styles on (IsThemed), gives every check box and option button of the form
// the hover handlers.
void SetHoverEffects(ui::Form& form);

// Runs of bold markup a text keeps at most.
constexpr int kMaxBoldRuns = 200;
// Fills the box with the text less its "<B>" and "</B>" tags (either case) and makes the
// marked runs bold.
void ApplyTextMarkup(ui::RichTextBox& box, std::string_view text);
// Makes the box a read-only text pane showing the text (escapes expanded, markup applied):
// font size 7 above 96 pixels per inch, the colour of its container, no border, read-only,
// no tab stop.
void SetEditText(ui::RichTextBox& box, std::string_view text);
// For character sets 177 and 178 replaces the box by a new right-to-left one in its place,
// keeping its text, runs, geometry, colours, border, read-only state, tab order and stop,
// visibility and font; the reference then names the new box. Other sets leave it as it is.
void MakeRightToLeft(ui::RichTextBox*& box, int charset);

} // namespace kv::installer
