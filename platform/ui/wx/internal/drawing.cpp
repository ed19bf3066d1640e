#include "platform/ui/wx/internal/drawing.h"

#include "platform/ui/wx/internal/convert.h"

#include <wx/dc.h>
#include <wx/dcbuffer.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/panel.h>

#include <functional>
#include <map>
#include <utility>

namespace kv::ui::wx::internal {
namespace {

using CacheKey = std::pair<std::size_t, std::size_t>; // hash and length of the bytes
std::map<CacheKey, wxBitmap>& cache() {
    static std::map<CacheKey, wxBitmap> bitmaps;
    return bitmaps;
}

template <class... F> struct Overload : F... { using F::operator()...; };
template <class... F> Overload(F...) -> Overload<F...>;

} // namespace

wxBitmap toBitmap(const Picture& picture) {
    if (picture.empty()) return wxNullBitmap;
    CacheKey key{std::hash<std::string>{}(picture.bytes), picture.bytes.size()};
    auto& bitmaps = cache();
    if (auto it = bitmaps.find(key); it != bitmaps.end()) return it->second;
    wxLogNull quiet; // an unreadable picture draws nothing rather than raising a log box
    wxMemoryInputStream in(picture.bytes.data(), picture.bytes.size());
    wxImage image(in, wxBITMAP_TYPE_ANY);
    wxBitmap bitmap = image.IsOk() ? wxBitmap(image) : wxNullBitmap;
    if (bitmaps.size() >= 64) bitmaps.clear();
    bitmaps.emplace(key, bitmap);
    return bitmap;
}

void resetBitmapCache() {
    cache().clear();
}

void drawPicture(wxDC& dc, const Picture& picture, const wxRect& rect, bool stretch) {
    wxBitmap bitmap = toBitmap(picture);
    if (!bitmap.IsOk()) return;
    if (!stretch || (bitmap.GetWidth() == rect.width && bitmap.GetHeight() == rect.height) ||
        rect.width <= 0 || rect.height <= 0) {
        dc.DrawBitmap(bitmap, rect.x, rect.y, true);
        return;
    }
    wxImage scaled = bitmap.ConvertToImage().Scale(rect.width, rect.height, wxIMAGE_QUALITY_HIGH);
    dc.DrawBitmap(wxBitmap(scaled), rect.x, rect.y, true);
}

void drawSurface(wxDC& dc, const Surface& surface, Units units) {
    for (const DrawOp& op : surface.ops()) {
        std::visit(Overload{
                       [&](const FillOp& fill) {
                           dc.SetPen(*wxTRANSPARENT_PEN);
                           dc.SetBrush(wxBrush(toColour(fill.color)));
                           dc.DrawRectangle(toPixels(fill.rect, units));
                       },
                       [&](const GradientOp& g) {
                           dc.GradientFillLinear(toPixels(g.rect, units), toColour(g.from),
                                                 toColour(g.to), g.vertical ? wxSOUTH : wxEAST);
                       },
                       [&](const TextOp& t) {
                           dc.SetFont(toFont(t.font));
                           dc.SetTextForeground(toColour(t.color));
                           dc.SetBackgroundMode(t.transparent ? wxBRUSHSTYLE_TRANSPARENT
                                                              : wxBRUSHSTYLE_SOLID);
                           wxString s = toWx(t.text, t.font.charset);
                           int x = toPixels(t.x, units);
                           if (t.rightAligned) x -= dc.GetTextExtent(s).GetWidth();
                           dc.DrawText(s, x, toPixels(t.y, units));
                       },
                       [&](const PictureOp& p) {
                           drawPicture(dc, p.picture, toPixels(p.rect, units), true);
                       },
                   },
                   op);
    }
}

wxWindow* makeCanvas(wxWindow* parent, const wxRect& rect, long style,
                     std::function<void(wxDC&, wxWindow&)> draw) {
    auto* w = new wxPanel(parent, wxID_ANY, rect.GetPosition(), rect.GetSize(), style);
    w->SetBackgroundStyle(wxBG_STYLE_PAINT);
    w->Bind(wxEVT_PAINT, [w, draw = std::move(draw)](wxPaintEvent&) {
        wxAutoBufferedPaintDC dc(w);
        dc.SetBackground(wxBrush(w->GetBackgroundColour()));
        dc.Clear();
        draw(dc, *w);
    });
    return w;
}

} // namespace kv::ui::wx::internal
