#include "platform/ui/wx/internal/views.h"

#include "platform/ui/buttons.h"
#include "platform/ui/frame.h"
#include "platform/ui/lists.h"
#include "platform/ui/pictures.h"
#include "platform/ui/progress_bar.h"
#include "platform/ui/text_controls.h"
#include "platform/ui/timer.h"
#include "platform/ui/wx/internal/convert.h"
#include "platform/ui/wx/internal/drawing.h"
#include "platform/ui/wx/internal/rich_views.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/checklst.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/dcbuffer.h>
#include <wx/gauge.h>
#include <wx/generic/stattextg.h>
#include <wx/listbox.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <functional>

namespace kv::ui::wx::internal {
namespace {

// The hidden first option button of each parent: GTK groups option buttons by parent and
// cannot clear them all, so clearing selects this one.
const char kGroupStart[] = "kvGroupStart";

wxRadioButton* groupStart(wxWindow* parent) {
    for (wxWindow* child : parent->GetChildren())
        if (child->GetName() == kGroupStart) return dynamic_cast<wxRadioButton*>(child);
    auto* start = new wxRadioButton(parent, wxID_ANY, "", wxPoint(0, 0), wxSize(1, 1), wxRB_GROUP,
                                    wxDefaultValidator, kGroupStart);
    start->Hide();
    return start;
}

wxRect pixelRect(const Control& control, wxWindow* parent) {
    wxRect r = toPixels(control.geometry(), const_cast<Control&>(control).form()->units());
    return wxRect(parent->FromDIP(r.GetPosition()), parent->FromDIP(r.GetSize()));
}

long textAlign(Alignment a) {
    return a == Alignment::Right    ? wxALIGN_RIGHT
           : a == Alignment::Center ? wxALIGN_CENTRE_HORIZONTAL
                                    : wxALIGN_LEFT;
}

long borderFlag(BorderStyle style) {
    return style == BorderStyle::None ? wxBORDER_NONE : wxBORDER_SUNKEN;
}

wxWindow* makeLabel(Label& label, wxWindow* parent, const wxRect& r) {
    auto* w = new wxGenericStaticText();
    if (label.transparent() && w->IsTransparentBackgroundSupported())
        w->SetBackgroundStyle(wxBG_STYLE_TRANSPARENT);
    long style = wxST_NO_AUTORESIZE | textAlign(label.alignment());
    if (label.borderStyle() != BorderStyle::None) style |= wxBORDER_SIMPLE;
    w->Create(parent, wxID_ANY, "", r.GetPosition(), r.GetSize(), style);
    return w;
}

wxWindow* makeTextBox(TextBox& box, wxWindow* parent, const wxRect& r) {
    long style = 0;
    if (box.multiLine())
        style |= wxTE_MULTILINE;
    else if (box.passwordChar() != '\0')
        style |= wxTE_PASSWORD;
    if (box.alignment() == Alignment::Right) style |= wxTE_RIGHT;
    if (box.alignment() == Alignment::Center) style |= wxTE_CENTRE;
    return new wxTextCtrl(parent, wxID_ANY, "", r.GetPosition(), r.GetSize(), style);
}

wxWindow* makeCombo(ComboBox& box, wxWindow* parent, const wxRect& r) {
    if (box.style() == ComboStyle::DropDownList)
        return new wxChoice(parent, wxID_ANY, r.GetPosition(), r.GetSize());
    long style = box.style() == ComboStyle::Simple ? wxCB_SIMPLE : wxCB_DROPDOWN;
    return new wxComboBox(parent, wxID_ANY, "", r.GetPosition(), r.GetSize(), 0, nullptr, style);
}

// A window that draws itself from the model when painted.
wxWindow* makeCanvas(wxWindow* parent, const wxRect& r, long style,
                     std::function<void(wxDC&, wxWindow&)> draw) {
    auto* w = new wxPanel(parent, wxID_ANY, r.GetPosition(), r.GetSize(), style);
    w->SetBackgroundStyle(wxBG_STYLE_PAINT);
    w->Bind(wxEVT_PAINT, [w, draw = std::move(draw)](wxPaintEvent&) {
        wxAutoBufferedPaintDC dc(w);
        dc.SetBackground(wxBrush(w->GetBackgroundColour()));
        dc.Clear();
        draw(dc, *w);
    });
    return w;
}

wxWindow* makePictureBox(PictureBox& box, wxWindow* parent, const wxRect& r) {
    return makeCanvas(parent, r, borderFlag(box.borderStyle()) | wxTAB_TRAVERSAL,
                      [&box](wxDC& dc, wxWindow&) {
                          drawPicture(dc, box.picture(), wxRect(0, 0, 0, 0), false);
                          drawSurface(dc, box.surface(), box.form()->units());
                      });
}

wxWindow* makeImage(Image& image, wxWindow* parent, const wxRect& r) {
    return makeCanvas(parent, r, wxBORDER_NONE, [&image](wxDC& dc, wxWindow& w) {
        drawPicture(dc, image.picture(), wxRect(wxPoint(0, 0), w.GetClientSize()), image.stretch());
    });
}

void applyItems(ListControl& list, wxWindow* window) {
    wxArrayString items;
    for (const ListEntry& e : list.entries())
        items.Add(toWx(e.text, list.font().charset));
    if (auto* choice = dynamic_cast<wxChoice*>(window)) {
        choice->Set(items);
    } else if (auto* combo = dynamic_cast<wxComboBox*>(window)) {
        wxString text = combo->GetValue();
        combo->Set(items);
        combo->ChangeValue(text);
    } else if (auto* lb = dynamic_cast<wxListBox*>(window)) {
        lb->Set(items);
    }
    apply(list, window, Property::ListIndex);
    apply(list, window, Property::Value);
}

void applySelection(ListControl& list, wxWindow* window) {
    int index = list.listIndex();
    if (auto* choice = dynamic_cast<wxChoice*>(window)) {
        if (choice->GetSelection() != index) choice->SetSelection(index);
    } else if (auto* combo = dynamic_cast<wxComboBox*>(window)) {
        if (index >= 0 && combo->GetSelection() != index) combo->SetSelection(index);
    } else if (auto* lb = dynamic_cast<wxListBox*>(window)) {
        auto* box = dynamic_cast<ListBox*>(&list);
        if (box && box->multiSelect()) {
            for (int i = 0; i < box->listCount(); ++i)
                if (lb->IsSelected(i) != box->selected(i))
                    box->selected(i) ? lb->Select(i) : lb->Deselect(i);
        } else if (index < 0) {
            lb->SetSelection(wxNOT_FOUND);
        } else if (!lb->IsSelected(index)) {
            lb->SetSelection(index);
        }
    }
}

void applyText(Control& control, wxWindow* window) {
    const int charset = control.font().charset;
    if (auto* box = dynamic_cast<TextBox*>(&control)) {
        auto* w = static_cast<wxTextCtrl*>(window);
        if (fromWx(w->GetValue(), charset, box->multiLine()) != box->text())
            w->ChangeValue(toWx(box->text(), charset));
        if (box->selLength() > 0)
            w->SetSelection(box->selStart(), box->selStart() + box->selLength());
    } else if (auto* combo = dynamic_cast<ComboBox*>(&control)) {
        if (auto* w = dynamic_cast<wxComboBox*>(window);
            w && fromWx(w->GetValue(), charset) != combo->text())
            w->ChangeValue(toWx(combo->text(), charset));
    }
}

void applyCaption(Control& control, wxWindow* window) {
    wxString caption = toWx(control.caption(), control.font().charset);
    if (auto* label = dynamic_cast<wxGenericStaticText*>(window)) {
        label->SetLabel(caption);
        if (static_cast<Label&>(control).wordWrap()) label->Wrap(window->GetSize().GetWidth());
        window->Refresh();
    } else if (dynamic_cast<wxButton*>(window) || dynamic_cast<wxCheckBox*>(window) ||
               dynamic_cast<wxRadioButton*>(window) || dynamic_cast<wxStaticBox*>(window)) {
        window->SetLabel(caption);
    }
}

void applyValue(Control& control, wxWindow* window) {
    if (auto* check = dynamic_cast<CheckBox*>(&control)) {
        auto state = check->value() == CheckState::Checked  ? wxCHK_CHECKED
                     : check->value() == CheckState::Grayed ? wxCHK_UNDETERMINED
                                                            : wxCHK_UNCHECKED;
        auto* w = static_cast<wxCheckBox*>(window);
        if (w->Get3StateValue() != state) w->Set3StateValue(state);
    } else if (auto* option = dynamic_cast<OptionButton*>(&control)) {
        auto* w = static_cast<wxRadioButton*>(window);
        if (option->value() && !w->GetValue())
            w->SetValue(true);
        else if (!option->value() && w->GetValue())
            groupStart(w->GetParent())->SetValue(true);
    } else if (auto* checks = dynamic_cast<wxCheckListBox*>(window)) {
        auto& box = static_cast<ListBox&>(control);
        for (int i = 0; i < box.listCount() && i < static_cast<int>(checks->GetCount()); ++i)
            if (checks->IsChecked(static_cast<unsigned>(i)) != box.itemChecked(i))
                checks->Check(static_cast<unsigned>(i), box.itemChecked(i));
    } else if (auto* bar = dynamic_cast<ProgressBar*>(&control)) {
        auto* w = static_cast<wxGauge*>(window);
        w->SetRange(std::max(1, bar->max() - bar->min()));
        w->SetValue(bar->value() - bar->min());
    }
}

} // namespace

bool isDefaultBackColor(const Control& control) {
    Color def = dynamic_cast<const TextBox*>(&control) ? kWindowBackground : kButtonFace;
    return control.backColor() == def;
}

wxWindow* createWindow(Control& control, wxWindow* parent) {
    const wxRect r = pixelRect(control, parent);
    wxWindow* w = nullptr;
    if (auto* label = dynamic_cast<Label*>(&control)) {
        w = makeLabel(*label, parent, r);
    } else if (auto* box = dynamic_cast<TextBox*>(&control)) {
        w = makeTextBox(*box, parent, r);
    } else if (auto* button = dynamic_cast<CommandButton*>(&control)) {
        auto* b = new wxButton(parent, wxID_ANY, "", r.GetPosition(), r.GetSize());
        if (button->isDefault()) b->SetDefault();
        w = b;
    } else if (dynamic_cast<CheckBox*>(&control)) {
        w = new wxCheckBox(parent, wxID_ANY, "", r.GetPosition(), r.GetSize(), wxCHK_3STATE);
    } else if (dynamic_cast<OptionButton*>(&control)) {
        groupStart(parent);
        w = new wxRadioButton(parent, wxID_ANY, "", r.GetPosition(), r.GetSize());
    } else if (auto* combo = dynamic_cast<ComboBox*>(&control)) {
        w = makeCombo(*combo, parent, r);
    } else if (auto* list = dynamic_cast<ListBox*>(&control)) {
        long style = list->multiSelect() ? wxLB_MULTIPLE : wxLB_SINGLE;
        if (list->checkBoxes())
            w = new wxCheckListBox(parent, wxID_ANY, r.GetPosition(), r.GetSize(), 0, nullptr,
                                   style);
        else
            w = new wxListBox(parent, wxID_ANY, r.GetPosition(), r.GetSize(), 0, nullptr, style);
    } else if (dynamic_cast<Frame*>(&control)) {
        w = new wxStaticBox(parent, wxID_ANY, "", r.GetPosition(), r.GetSize());
    } else if (auto* pic = dynamic_cast<PictureBox*>(&control)) {
        w = makePictureBox(*pic, parent, r);
    } else if (auto* image = dynamic_cast<Image*>(&control)) {
        w = makeImage(*image, parent, r);
    } else if (dynamic_cast<ProgressBar*>(&control)) {
        w = new wxGauge(parent, wxID_ANY, 100, r.GetPosition(), r.GetSize(),
                        wxGA_HORIZONTAL | wxGA_SMOOTH);
    } else {
        w = createRichWindow(control, parent);
    }
    if (!w) return nullptr;
    w->SetName(wxString::FromUTF8(control.displayName()));
    for (Property p : {Property::Font, Property::Caption, Property::Items, Property::Text,
                       Property::Value, Property::ForeColor, Property::BackColor, Property::Enabled,
                       Property::ToolTip, Property::RightToLeft, Property::MousePointer,
                       Property::MaxLength, Property::Locked, Property::Visible})
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
    if (dynamic_cast<const TextBox*>(&control))
        return property == Property::MultiLine || property == Property::PasswordChar ||
               property == Property::Alignment;
    if (dynamic_cast<const ComboBox*>(&control)) return property == Property::Style;
    if (dynamic_cast<const Label*>(&control))
        return property == Property::Alignment || property == Property::BorderStyle;
    if (dynamic_cast<const PictureBox*>(&control)) return property == Property::BorderStyle;
    if (dynamic_cast<const ListBox*>(&control)) return property == Property::Style;
    return richNeedsNewWindow(control, property);
}

void apply(Control& control, wxWindow* window, Property property, bool typing) {
    if (applyRich(control, window, property)) return;
    switch (property) {
    case Property::Caption:
        applyCaption(control, window);
        break;
    case Property::Text:
        if (!typing) applyText(control, window);
        break;
    case Property::Geometry: {
        wxRect r = pixelRect(control, window->GetParent());
        if (window->GetRect() != r) window->SetSize(r);
        if (dynamic_cast<Label*>(&control)) applyCaption(control, window);
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
        window->SetBackgroundColour(isDefaultBackColor(control) ? wxNullColour
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
    case Property::Value:
    case Property::Range:
        applyValue(control, window);
        break;
    case Property::Items:
        if (auto* list = dynamic_cast<ListControl*>(&control)) applyItems(*list, window);
        break;
    case Property::ListIndex:
        if (auto* list = dynamic_cast<ListControl*>(&control)) applySelection(*list, window);
        break;
    case Property::MaxLength:
        if (auto* box = dynamic_cast<TextBox*>(&control); box && !box->multiLine())
            static_cast<wxTextCtrl*>(window)->SetMaxLength(
                static_cast<unsigned long>(box->maxLength()));
        break;
    case Property::Locked:
        if (auto* box = dynamic_cast<TextBox*>(&control))
            static_cast<wxTextCtrl*>(window)->SetEditable(!box->locked());
        break;
    case Property::Picture:
        window->Refresh();
        break;
    default:
        break;
    }
}

} // namespace kv::ui::wx::internal
