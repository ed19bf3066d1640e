#include "platform/ui/wx/internal/views.h"

#include "platform/ui/wx/internal/adapter.h"
#include "platform/ui/wx/internal/convert.h"
#include "platform/ui/wx/internal/drawing.h"

#include <wx/settings.h>
#include <wx/window.h>

namespace kv::ui::wx::internal {

const Adapter* adapterFor(std::string_view kind) {
    static const AdapterTable table = [] {
        AdapterTable t;
        addBasicAdapters(t);
        addRichAdapters(t);
        return t;
    }();
    auto it = table.find(kind);
    return it == table.end() ? nullptr : &it->second;
}

wxRect pixelRect(const Control& control, wxWindow* parent) {
    wxRect r = toPixels(control.geometry(), control.form()->units());
    return wxRect(parent->FromDIP(r.GetPosition()), parent->FromDIP(r.GetSize()));
}

bool isDefaultBackColor(const Control& control) {
    const Adapter* a = adapterFor(control.kind());
    return control.backColor() == (a ? a->defaultBackColor : kButtonFace);
}

wxWindow* createWindow(Control& control, wxWindow* parent) {
    const Adapter* adapter = adapterFor(control.kind());
    if (!adapter || !adapter->create) return nullptr;
    wxWindow* w = adapter->create(control, parent, pixelRect(control, parent));
    if (!w) return nullptr;
    w->SetName(wxString::FromUTF8(control.displayName()));
    for (Property p : {Property::Font, Property::Caption, Property::Items, Property::Text,
                       Property::Value, Property::ForeColor, Property::BackColor, Property::Enabled,
                       Property::ToolTip, Property::RightToLeft, Property::MousePointer,
                       Property::MaxLength, Property::Locked, Property::Caret, Property::Visible})
        apply(control, w, p);
    return w;
}

wxWindow* createFormCanvas(Form& form, wxWindow* frame) {
    wxWindow* w =
        makeCanvas(frame, wxRect(), wxTAB_TRAVERSAL | wxBORDER_NONE,
                   [&form](wxDC& dc, wxWindow&) { drawSurface(dc, form.surface(), form.units()); });
    if (form.backColor() != kButtonFace) w->SetBackgroundColour(toColour(form.backColor()));
    return w;
}

bool needsNewWindow(const Control& control, Property property) {
    const Adapter* a = adapterFor(control.kind());
    return a && a->needsNewWindow && a->needsNewWindow(property);
}

void apply(Control& control, wxWindow* window, Property property, bool typing) {
    const Adapter* a = adapterFor(control.kind());
    if (a && a->apply && a->apply(control, window, property, typing)) return;
    applyCommon(control, window, property);
}

void applyCommon(Control& control, wxWindow* window, Property property) {
    switch (property) {
    case Property::Geometry: {
        wxRect r = pixelRect(control, window->GetParent());
        if (window->GetRect() != r) window->SetSize(r);
        break;
    }
    case Property::Visible:
        window->Show(control.visible());
        break;
    case Property::Enabled:
        window->Enable(control.enabled());
        break;
    case Property::ToolTip:
        if (control.toolTip().empty())
            window->UnsetToolTip();
        else
            window->SetToolTip(toWx(control.toolTip(), control.font().charset));
        break;
    case Property::Font:
        window->SetFont(toFont(control.font()));
        break;
    case Property::ForeColor:
        window->SetForegroundColour(control.foreColor() == kBlack ? wxNullColour
                                                                  : toColour(control.foreColor()));
        window->Refresh();
        break;
    case Property::BackColor:
        // Button face is the desktop's own, as the form's surface shows it.
        window->SetBackgroundColour(isDefaultBackColor(control) ? wxNullColour
                                    : control.backColor() == kButtonFace
                                        ? wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)
                                        : toColour(control.backColor()));
        window->Refresh();
        break;
    case Property::RightToLeft:
        window->SetLayoutDirection(control.rightToLeft() ? wxLayout_RightToLeft
                                                         : wxLayout_LeftToRight);
        break;
    case Property::MousePointer:
        window->SetCursor(toCursor(control.mousePointer()));
        break;
    case Property::Picture:
        window->Refresh();
        break;
    default:
        break;
    }
}

} // namespace kv::ui::wx::internal
