#pragma once
// Conversions between the window model and the toolkit: units, colours, fonts, ANSI text,
// mouse pointers and key codes.

#include "platform/ui/types.h"

#include <wx/colour.h>
#include <wx/cursor.h>
#include <wx/font.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

#include <string>
#include <string_view>

class wxKeyEvent;
class wxMouseEvent;

namespace kv::ui::wx::internal {

// Model units (twips, or pixels) to pixels at the display's pixels per inch (15 twips a
// pixel at 96), and back.
int toPixels(int value, Units units);
int fromPixels(int pixels, Units units);
wxRect toPixels(const Rect& rect, Units units);
Rect fromPixels(const wxRect& rect, Units units);

// 0x00BBGGRR, or a system colour (0x800000nn), to the toolkit's colour.
wxColour toColour(Color color);
// The designed font at the display's pixels per inch (points * ppi / 72 pixels high), in
// its own face when installed, else in an installed face of similar metrics.
wxFont toFont(const Font& font);
// The display's pixels per inch (the machine profile's; 96 until set).
void setPixelsPerInch(int pixelsPerInch);
int pixelsPerInch();
// The face shown for a designed face name.
wxString displayFace(const std::string& face);
wxCursor toCursor(MousePointer pointer);

// ANSI bytes in the code page of the font's character set to the toolkit's text and back.
// Multi-line texts keep CR LF on the model's side and LF on the toolkit's.
wxString toWx(std::string_view ansi, int charset = 0);
std::string fromWx(const wxString& text, int charset = 0, bool crlf = false);

// The platform's key code of a key event (0 for keys it has none for) and shift state.
int virtualKey(const wxKeyEvent& event);
int shiftState(const wxKeyEvent& event);
// A mouse event in the units of the control's form.
MouseEvent mouseEvent(const wxMouseEvent& event, Units units);

} // namespace kv::ui::wx::internal
