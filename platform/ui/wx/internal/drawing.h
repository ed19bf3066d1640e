#pragma once
// Pictures and drawing surfaces on the toolkit's device contexts.

#include "platform/ui/picture.h"
#include "platform/ui/surface.h"

#include <wx/bitmap.h>
#include <wx/gdicmn.h>

#include <functional>

class wxDC;
class wxWindow;

namespace kv::ui::wx::internal {

// The picture decoded into a bitmap (kept in a small cache); a null bitmap when its bytes
// are no image the toolkit reads.
wxBitmap toBitmap(const Picture& picture);
void resetBitmapCache();
// Draws a picture at `rect` (pixels), stretched to it when `stretch`, else at its own size.
void drawPicture(wxDC& dc, const Picture& picture, const wxRect& rect, bool stretch);
// Draws a surface's operations, whose geometry is in `units`.
void drawSurface(wxDC& dc, const Surface& surface, Units units);
// A window that draws itself with `draw` when painted, on its background colour.
wxWindow* makeCanvas(wxWindow* parent, const wxRect& rect, long style,
                     std::function<void(wxDC&, wxWindow&)> draw);

} // namespace kv::ui::wx::internal
