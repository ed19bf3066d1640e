#include "platform/ui/wx/internal/convert.h"

#include "platform/text/ansi.h"

#include <wx/event.h>
#include <wx/fontenum.h>
#include <wx/settings.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace kv::ui::wx::internal {

// Twips are shown at the display's pixels per inch (1440 twips an inch).
int toPixels(int value, Units units) {
    if (units == Units::Pixels) return value;
    return static_cast<int>(std::lround(static_cast<double>(value) * pixelsPerInch() / 1440.0));
}

int fromPixels(int pixels, Units units) {
    if (units == Units::Pixels) return pixels;
    return static_cast<int>(std::lround(static_cast<double>(pixels) * 1440.0 / pixelsPerInch()));
}

wxRect toPixels(const Rect& rect, Units units) {
    return wxRect(toPixels(rect.left, units), toPixels(rect.top, units),
                  toPixels(rect.width, units), toPixels(rect.height, units));
}

Rect fromPixels(const wxRect& rect, Units units) {
    return Rect{fromPixels(rect.x, units), fromPixels(rect.y, units), fromPixels(rect.width, units),
                fromPixels(rect.height, units)};
}

wxColour toColour(Color color) {
    if (color & 0x80000000u) {
        auto index = static_cast<int>(color & 0xFFu);
        if (index < wxSYS_COLOUR_MAX)
            return wxSystemSettings::GetColour(static_cast<wxSystemColour>(index));
        return *wxBLACK;
    }
    return wxColour(static_cast<unsigned char>(color & 0xFF),
                    static_cast<unsigned char>((color >> 8) & 0xFF),
                    static_cast<unsigned char>((color >> 16) & 0xFF));
}

namespace {

int g_pixelsPerInch = 96;

// Installed faces with about the metrics of the designed ones, best first.
struct FaceFallback {
    const char* face;
    std::vector<const char*> similar;
};
const std::vector<FaceFallback>& fallbacks() {
    static const std::vector<FaceFallback> table = {
        {"MS Sans Serif", {"Tahoma", "Liberation Sans", "Arimo", "Arial"}},
        {"Microsoft Sans Serif", {"Tahoma", "Liberation Sans", "Arimo", "Arial"}},
        {"Tahoma", {"Liberation Sans", "Arimo", "Arial"}},
        {"Arial", {"Liberation Sans", "Arimo"}},
        {"Helvetica", {"Liberation Sans", "Arimo", "Arial"}},
        {"Verdana", {"DejaVu Sans", "Bitstream Vera Sans"}},
        {"Times New Roman", {"Liberation Serif", "Tinos"}},
        {"MS Serif", {"Liberation Serif", "Tinos", "Times New Roman"}},
        {"Courier New", {"Liberation Mono", "Cousine"}},
        {"Courier", {"Liberation Mono", "Cousine", "Courier New"}},
    };
    return table;
}

} // namespace

void setPixelsPerInch(int pixelsPerInch) {
    g_pixelsPerInch = pixelsPerInch > 0 ? pixelsPerInch : 96;
}

int pixelsPerInch() {
    return g_pixelsPerInch;
}

wxString displayFace(const std::string& face) {
    static std::map<std::string, wxString> chosen;
    auto it = chosen.find(face);
    if (it != chosen.end()) return it->second;
    wxString out;
    if (!face.empty() && wxFontEnumerator::IsValidFacename(toWx(face))) out = toWx(face);
    for (const FaceFallback& f : fallbacks()) {
        if (!out.empty() || !text::equalsNoCase(f.face, face)) continue;
        for (const char* similar : f.similar)
            if (wxFontEnumerator::IsValidFacename(similar)) {
                out = similar;
                break;
            }
    }
    // Unknown faces and faces without a similar one installed: the sans-serif of the desktop.
    if (out.empty())
        for (const char* similar : {"Liberation Sans", "Arimo", "DejaVu Sans"})
            if (wxFontEnumerator::IsValidFacename(similar)) {
                out = similar;
                break;
            }
    return chosen[face] = out;
}

wxFont toFont(const Font& font) {
    const double points = font.size > 0 ? font.size : 8.0;
    const int pixels = std::max(1, static_cast<int>(std::lround(points * g_pixelsPerInch / 72.0)));
    wxFontInfo info(wxSize(0, pixels));
    info.Family(wxFONTFAMILY_SWISS)
        .FaceName(displayFace(font.name))
        .Bold(font.bold)
        .Italic(font.italic)
        .Underlined(font.underline)
        .Strikethrough(font.strikeout);
    return wxFont(info);
}

wxCursor toCursor(MousePointer pointer) {
    switch (pointer) {
    case MousePointer::Arrow:
        return wxCursor(wxCURSOR_ARROW);
    case MousePointer::Cross:
        return wxCursor(wxCURSOR_CROSS);
    case MousePointer::IBeam:
        return wxCursor(wxCURSOR_IBEAM);
    case MousePointer::SizeAll:
        return wxCursor(wxCURSOR_SIZING);
    case MousePointer::SizeNS:
        return wxCursor(wxCURSOR_SIZENS);
    case MousePointer::SizeWE:
        return wxCursor(wxCURSOR_SIZEWE);
    case MousePointer::Hourglass:
        return wxCursor(wxCURSOR_WAIT);
    case MousePointer::NoDrop:
        return wxCursor(wxCURSOR_NO_ENTRY);
    case MousePointer::ArrowHourglass:
        return wxCursor(wxCURSOR_ARROWWAIT);
    case MousePointer::Hand:
        return wxCursor(wxCURSOR_HAND);
    case MousePointer::Default:
        break;
    }
    return wxNullCursor;
}

wxString toWx(std::string_view ansi, int charset) {
    std::string utf8 = text::toUtf8(ansi, text::codePageForCharset(charset));
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') continue;
        out += utf8[i];
    }
    return wxString::FromUTF8(out.data(), out.size());
}

std::string fromWx(const wxString& text, int charset, bool crlf) {
    wxScopedCharBuffer utf8 = text.utf8_str();
    std::string ansi = text::fromUtf8(std::string_view(utf8.data(), utf8.length()),
                                      text::codePageForCharset(charset));
    if (!crlf) return ansi;
    std::string out;
    for (std::size_t i = 0; i < ansi.size(); ++i) {
        if (ansi[i] == '\n' && (i == 0 || ansi[i - 1] != '\r')) out += '\r';
        out += ansi[i];
    }
    return out;
}

int virtualKey(const wxKeyEvent& event) {
    int key = event.GetKeyCode();
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return key;
    if (key >= WXK_F1 && key <= WXK_F24) return 0x70 + (key - WXK_F1);
    if (key >= WXK_NUMPAD0 && key <= WXK_NUMPAD9) return 0x60 + (key - WXK_NUMPAD0);
    switch (key) {
    case WXK_BACK:
        return 0x08;
    case WXK_TAB:
        return 0x09;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
        return 0x0D;
    case WXK_SHIFT:
        return 0x10;
    case WXK_CONTROL:
        return 0x11;
    case WXK_ALT:
        return 0x12;
    case WXK_ESCAPE:
        return 0x1B;
    case WXK_SPACE:
        return 0x20;
    case WXK_PAGEUP:
        return 0x21;
    case WXK_PAGEDOWN:
        return 0x22;
    case WXK_END:
        return 0x23;
    case WXK_HOME:
        return 0x24;
    case WXK_LEFT:
        return 0x25;
    case WXK_UP:
        return 0x26;
    case WXK_RIGHT:
        return 0x27;
    case WXK_DOWN:
        return 0x28;
    case WXK_INSERT:
        return 0x2D;
    case WXK_DELETE:
        return 0x2E;
    default:
        return 0;
    }
}

int shiftState(const wxKeyEvent& event) {
    return (event.ShiftDown() ? kShiftMask : 0) | (event.RawControlDown() ? kCtrlMask : 0) |
           (event.AltDown() ? kAltMask : 0);
}

MouseEvent mouseEvent(const wxMouseEvent& event, Units units) {
    int button = kLeftButton;
    if (event.RightDown() || event.RightUp() || event.RightIsDown())
        button = kRightButton;
    else if (event.MiddleDown() || event.MiddleUp() || event.MiddleIsDown())
        button = kMiddleButton;
    int shift = (event.ShiftDown() ? kShiftMask : 0) | (event.RawControlDown() ? kCtrlMask : 0) |
                (event.AltDown() ? kAltMask : 0);
    return MouseEvent{button, shift, fromPixels(event.GetX(), units),
                      fromPixels(event.GetY(), units)};
}

} // namespace kv::ui::wx::internal
