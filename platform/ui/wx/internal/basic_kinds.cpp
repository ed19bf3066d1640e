// The adapters of labels, text boxes, buttons, check boxes, option buttons, combo and list
// boxes, frames, picture boxes, images and progress bars.

#include "platform/ui/buttons.h"
#include "platform/ui/frame.h"
#include "platform/ui/lists.h"
#include "platform/ui/pictures.h"
#include "platform/ui/progress_bar.h"
#include "platform/ui/text_controls.h"
#include "platform/ui/user_input.h"
#include "platform/ui/wx/internal/adapter.h"
#include "platform/ui/wx/internal/compact_style.h"
#include "platform/ui/wx/internal/convert.h"
#include "platform/ui/wx/internal/drawing.h"
#include "platform/ui/wx/internal/text_caret.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/checklst.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/gauge.h>
#include <wx/generic/stattextg.h>
#include <wx/listbox.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/textctrl.h>

#include <algorithm>

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

long textAlign(Alignment a) {
    return a == Alignment::Right    ? wxALIGN_RIGHT
           : a == Alignment::Center ? wxALIGN_CENTRE_HORIZONTAL
                                    : wxALIGN_LEFT;
}

long borderFlag(BorderStyle style) {
    return style == BorderStyle::None ? wxBORDER_NONE : wxBORDER_SUNKEN;
}

wxString captionOf(const Control& control) {
    return toWx(control.caption(), control.font().charset);
}

// A widget whose caption is its label (buttons, check boxes, option buttons, frames).
bool applyLabel(Control& control, wxWindow* window, Property property) {
    if (property != Property::Caption) return false;
    window->SetLabel(captionOf(control));
    return true;
}

// Label

wxWindow* createLabel(Control& control, wxWindow* parent, const wxRect& r) {
    auto& label = static_cast<Label&>(control);
    auto* w = new wxGenericStaticText();
    if (label.transparent() && w->IsTransparentBackgroundSupported())
        w->SetBackgroundStyle(wxBG_STYLE_TRANSPARENT);
    long style = wxST_NO_AUTORESIZE | textAlign(label.alignment());
    if (label.borderStyle() != BorderStyle::None) style |= wxBORDER_SIMPLE;
    w->Create(parent, wxID_ANY, "", r.GetPosition(), r.GetSize(), style);
    return w;
}

void showLabelCaption(Label& label, wxWindow* window) {
    auto* w = static_cast<wxGenericStaticText*>(window);
    w->SetLabel(captionOf(label));
    // A label breaks its text into lines of its width; only an auto-sized one without word
    // wrap keeps a single line.
    if (label.wordWrap() || !label.autoSize()) w->Wrap(window->GetSize().GetWidth());
    window->Refresh();
}

bool applyLabelKind(Control& control, wxWindow* window, Property property, bool) {
    auto& label = static_cast<Label&>(control);
    const bool layout = property == Property::Geometry || property == Property::Font;
    if (property != Property::Caption && !layout) return false;
    if (layout) applyCommon(control, window, property);
    showLabelCaption(label, window); // wrapped again to a new width or font
    return true;
}

bool labelNeedsNewWindow(Property p) {
    return p == Property::Alignment || p == Property::BorderStyle;
}

// TextBox

wxWindow* createTextBox(Control& control, wxWindow* parent, const wxRect& r) {
    auto& box = static_cast<TextBox&>(control);
    long style = 0;
    if (box.multiLine())
        style |= wxTE_MULTILINE;
    else if (box.passwordChar() != '\0')
        style |= wxTE_PASSWORD;
    if (box.alignment() == Alignment::Right) style |= wxTE_RIGHT;
    if (box.alignment() == Alignment::Center) style |= wxTE_CENTRE;
    return new wxTextCtrl(parent, wxID_ANY, "", r.GetPosition(), r.GetSize(), style);
}

bool applyTextBox(Control& control, wxWindow* window, Property property, bool typing) {
    auto& box = static_cast<TextBox&>(control);
    auto* w = static_cast<wxTextCtrl*>(window);
    switch (property) {
    case Property::Text:
        if (typing) return true;
        if (fromWx(w->GetValue(), box.font().charset, box.multiLine()) != box.text())
            w->ChangeValue(toWx(box.text(), box.font().charset));
        if (box.selLength() > 0) w->SetSelection(box.selStart(), box.selStart() + box.selLength());
        return true;
    case Property::MaxLength:
        if (!box.multiLine()) w->SetMaxLength(static_cast<unsigned long>(box.maxLength()));
        return true;
    case Property::Locked:
        w->SetEditable(!box.locked());
        return true;
    case Property::Caret:
        showTextCaret(w, !box.caretHidden());
        return true;
    default:
        return false;
    }
}

void bindTextBox(Control& control, wxWindow* window, const Input& input) {
    auto* box = static_cast<TextBox*>(&control);
    window->Bind(wxEVT_TEXT, [box, window, input](wxCommandEvent&) {
        std::string typed = fromWx(static_cast<wxTextCtrl*>(window)->GetValue(),
                                   box->font().charset, box->multiLine());
        bool ran = input.deliverTyped([box, typed] { user::typeText(*box, typed); });
        // The model may keep another text (too long, refused); the widget shows it after
        // this event, not from inside it.
        if (ran && box->text() != typed) input.applyLater(Property::Text);
    });
}

bool textBoxNeedsNewWindow(Property p) {
    return p == Property::MultiLine || p == Property::PasswordChar || p == Property::Alignment;
}

// CommandButton, CheckBox, OptionButton

// A graphical button shows its picture, the caption none: its widget holds the picture
// alone, without the padding a caption gets (it is laid out little bigger than the picture).
wxWindow* createButton(Control& control, wxWindow* parent, const wxRect& r) {
    auto& button = static_cast<CommandButton&>(control);
    const bool graphical = !button.picture().empty();
    auto* b = new wxButton(parent, wxID_ANY, "", r.GetPosition(), r.GetSize(),
                           graphical ? wxBU_NOTEXT : 0);
    if (button.isDefault()) b->SetDefault();
    if (graphical) {
        b->SetBitmap(toBitmap(button.picture()));
        compactPictureButton(b);
    }
    return b;
}

bool applyButton(Control& control, wxWindow* window, Property property, bool) {
    return applyLabel(control, window, property); // a picture button's widget shows none
}

bool buttonNeedsNewWindow(Property p) {
    return p == Property::Picture; // a label widget and a picture widget are made apart
}

void bindButton(Control& control, wxWindow* window, const Input& input) {
    Control* c = &control;
    window->Bind(wxEVT_BUTTON,
                 [c, input](wxCommandEvent&) { input.deliver([c] { user::click(*c); }); });
}

wxWindow* createCheckBox(Control&, wxWindow* parent, const wxRect& r) {
    return new wxCheckBox(parent, wxID_ANY, "", r.GetPosition(), r.GetSize(), wxCHK_3STATE);
}

bool applyCheckBox(Control& control, wxWindow* window, Property property, bool) {
    if (property != Property::Value) return applyLabel(control, window, property);
    auto& check = static_cast<CheckBox&>(control);
    auto state = check.value() == CheckState::Checked  ? wxCHK_CHECKED
                 : check.value() == CheckState::Grayed ? wxCHK_UNDETERMINED
                                                       : wxCHK_UNCHECKED;
    auto* w = static_cast<wxCheckBox*>(window);
    if (w->Get3StateValue() != state) w->Set3StateValue(state);
    return true;
}

void bindCheckBox(Control& control, wxWindow* window, const Input& input) {
    auto* check = static_cast<CheckBox*>(&control);
    window->Bind(wxEVT_CHECKBOX, [check, window, input](wxCommandEvent&) {
        bool on = static_cast<wxCheckBox*>(window)->Get3StateValue() == wxCHK_CHECKED;
        input.deliver([check, on] { user::setChecked(*check, on); });
        input.resync();
    });
}

wxWindow* createOption(Control&, wxWindow* parent, const wxRect& r) {
    groupStart(parent);
    return new wxRadioButton(parent, wxID_ANY, "", r.GetPosition(), r.GetSize());
}

bool applyOption(Control& control, wxWindow* window, Property property, bool) {
    if (property != Property::Value) return applyLabel(control, window, property);
    auto& option = static_cast<OptionButton&>(control);
    auto* w = static_cast<wxRadioButton*>(window);
    if (option.value() && !w->GetValue())
        w->SetValue(true);
    else if (!option.value() && w->GetValue())
        groupStart(w->GetParent())->SetValue(true);
    return true;
}

void bindOption(Control& control, wxWindow* window, const Input& input) {
    Control* c = &control;
    window->Bind(wxEVT_RADIOBUTTON, [c, input](wxCommandEvent&) {
        input.deliver([c] { user::click(*c); });
        input.resync();
    });
}

// ComboBox and ListBox: their entries and selection

wxArrayString entriesOf(ListControl& list) {
    wxArrayString items;
    for (const ListEntry& e : list.entries())
        items.Add(toWx(e.text, list.font().charset));
    return items;
}

wxWindow* createCombo(Control& control, wxWindow* parent, const wxRect& r) {
    auto& box = static_cast<ComboBox&>(control);
    if (box.style() == ComboStyle::DropDownList)
        return new wxChoice(parent, wxID_ANY, r.GetPosition(), r.GetSize());
    long style = box.style() == ComboStyle::Simple ? wxCB_SIMPLE : wxCB_DROPDOWN;
    return new wxComboBox(parent, wxID_ANY, "", r.GetPosition(), r.GetSize(), 0, nullptr, style);
}

// A drop-down list is a choice widget, the other styles a combo box widget.
bool applyCombo(Control& control, wxWindow* window, Property property, bool typing) {
    auto& combo = static_cast<ComboBox&>(control);
    auto* choice = dynamic_cast<wxChoice*>(window);
    auto* box = dynamic_cast<wxComboBox*>(window);
    const int index = combo.listIndex();
    switch (property) {
    case Property::Items:
        if (choice) choice->Set(entriesOf(combo));
        if (box) {
            wxString text = box->GetValue();
            box->Set(entriesOf(combo));
            box->ChangeValue(text);
        }
        applyCombo(control, window, Property::ListIndex, false);
        applyCombo(control, window, Property::Text, false);
        return true;
    case Property::ListIndex:
        if (choice && choice->GetSelection() != index) choice->SetSelection(index);
        if (box && index >= 0 && box->GetSelection() != index) box->SetSelection(index);
        return true;
    case Property::Text:
        if (!typing && box && fromWx(box->GetValue(), combo.font().charset) != combo.text())
            box->ChangeValue(toWx(combo.text(), combo.font().charset));
        return true;
    default:
        return false;
    }
}

void bindCombo(Control& control, wxWindow* window, const Input& input) {
    auto* combo = static_cast<ComboBox*>(&control);
    auto chosen = [combo, input](wxCommandEvent& e) {
        int i = e.GetSelection();
        input.deliver([combo, i] { user::choose(*combo, i); });
        input.resync();
    };
    window->Bind(wxEVT_CHOICE, chosen);
    window->Bind(wxEVT_COMBOBOX, chosen);
    window->Bind(wxEVT_TEXT, [combo, window, input](wxCommandEvent&) {
        auto* cb = dynamic_cast<wxComboBox*>(window);
        if (!cb) return;
        // Picking an entry changes the text too; the pick itself is the event.
        int sel = cb->GetSelection();
        if (sel != wxNOT_FOUND && cb->GetString(static_cast<unsigned>(sel)) == cb->GetValue())
            return;
        std::string typed = fromWx(cb->GetValue(), combo->font().charset);
        input.deliverTyped([combo, typed] { user::typeText(*combo, typed); });
    });
}

bool comboNeedsNewWindow(Property p) {
    return p == Property::Style;
}

wxWindow* createListBox(Control& control, wxWindow* parent, const wxRect& r) {
    auto& list = static_cast<ListBox&>(control);
    long style = list.multiSelect() ? wxLB_MULTIPLE : wxLB_SINGLE;
    if (list.checkBoxes())
        return new wxCheckListBox(parent, wxID_ANY, r.GetPosition(), r.GetSize(), 0, nullptr,
                                  style);
    return new wxListBox(parent, wxID_ANY, r.GetPosition(), r.GetSize(), 0, nullptr, style);
}

bool applyListBox(Control& control, wxWindow* window, Property property, bool) {
    auto& box = static_cast<ListBox&>(control);
    auto* lb = static_cast<wxListBox*>(window);
    switch (property) {
    case Property::Items:
        lb->Set(entriesOf(box));
        applyListBox(control, window, Property::ListIndex, false);
        applyListBox(control, window, Property::Value, false);
        return true;
    case Property::ListIndex:
        if (box.multiSelect()) {
            for (int i = 0; i < box.listCount(); ++i)
                if (lb->IsSelected(i) != box.selected(i))
                    box.selected(i) ? lb->Select(i) : lb->Deselect(i);
        } else if (box.listIndex() < 0) {
            lb->SetSelection(wxNOT_FOUND);
        } else if (!lb->IsSelected(box.listIndex())) {
            lb->SetSelection(box.listIndex());
        }
        return true;
    case Property::Value:
        if (auto* checks = dynamic_cast<wxCheckListBox*>(window))
            for (int i = 0; i < box.listCount() && i < static_cast<int>(checks->GetCount()); ++i)
                if (checks->IsChecked(static_cast<unsigned>(i)) != box.itemChecked(i))
                    checks->Check(static_cast<unsigned>(i), box.itemChecked(i));
        return true;
    default:
        return false;
    }
}

void bindListBox(Control& control, wxWindow* window, const Input& input) {
    auto* list = static_cast<ListBox*>(&control);
    window->Bind(wxEVT_LISTBOX, [list, window, input](wxCommandEvent& e) {
        auto* lb = static_cast<wxListBox*>(window);
        int i = e.GetSelection();
        input.deliver([list, lb, i] {
            if (!list->multiSelect()) {
                user::choose(*list, i);
                return;
            }
            for (int k = 0; k < list->listCount(); ++k)
                list->setSelected(k, lb->IsSelected(static_cast<unsigned>(k)));
            user::click(*list);
        });
        input.resync();
    });
    window->Bind(wxEVT_CHECKLISTBOX, [list, window, input](wxCommandEvent& e) {
        auto* checks = static_cast<wxCheckListBox*>(window);
        int i = e.GetSelection();
        bool on = checks->IsChecked(static_cast<unsigned>(i));
        input.deliver([list, i, on] { user::checkItem(*list, i, on); });
        input.resync();
    });
    window->Bind(wxEVT_LISTBOX_DCLICK, [list, input](wxCommandEvent&) {
        if (list->onDblClick)
            input.deliver([list] {
                if (list->reachable()) list->onDblClick();
            });
    });
}

bool listBoxNeedsNewWindow(Property p) {
    return p == Property::Style;
}

// Frame, PictureBox, Image, ProgressBar

wxWindow* createFrame(Control&, wxWindow* parent, const wxRect& r) {
    return new wxStaticBox(parent, wxID_ANY, "", r.GetPosition(), r.GetSize());
}

bool applyFrame(Control& control, wxWindow* window, Property property, bool) {
    return applyLabel(control, window, property);
}

wxWindow* createPictureBox(Control& control, wxWindow* parent, const wxRect& r) {
    auto& box = static_cast<PictureBox&>(control);
    return makeCanvas(parent, r, borderFlag(box.borderStyle()) | wxTAB_TRAVERSAL,
                      [&box](wxDC& dc, wxWindow&) {
                          drawPicture(dc, box.picture(), wxRect(0, 0, 0, 0), false);
                          drawSurface(dc, box.surface(), box.form()->units());
                      });
}

bool pictureBoxNeedsNewWindow(Property p) {
    return p == Property::BorderStyle;
}

wxWindow* createImage(Control& control, wxWindow* parent, const wxRect& r) {
    auto& image = static_cast<Image&>(control);
    return makeCanvas(parent, r, wxBORDER_NONE, [&image](wxDC& dc, wxWindow& w) {
        drawPicture(dc, image.picture(), wxRect(wxPoint(0, 0), w.GetClientSize()), image.stretch());
    });
}

wxWindow* createProgressBar(Control&, wxWindow* parent, const wxRect& r) {
    return new wxGauge(parent, wxID_ANY, 100, r.GetPosition(), r.GetSize(),
                       wxGA_HORIZONTAL | wxGA_SMOOTH);
}

bool applyProgressBar(Control& control, wxWindow* window, Property property, bool) {
    if (property != Property::Value && property != Property::Range) return false;
    auto& bar = static_cast<ProgressBar&>(control);
    auto* w = static_cast<wxGauge*>(window);
    w->SetRange(std::max(1, bar.max() - bar.min()));
    w->SetValue(bar.value() - bar.min());
    return true;
}

} // namespace

void addBasicAdapters(AdapterTable& table) {
    table["Label"] = {createLabel, applyLabelKind, nullptr, labelNeedsNewWindow, true};
    table["TextBox"] = {createTextBox, applyTextBox, bindTextBox,      textBoxNeedsNewWindow,
                        false,         false,        kWindowBackground};
    table["CommandButton"] = {createButton, applyButton, bindButton, buttonNeedsNewWindow};
    table["CheckBox"] = {createCheckBox, applyCheckBox, bindCheckBox};
    table["OptionButton"] = {createOption, applyOption, bindOption};
    table["ComboBox"] = {createCombo, applyCombo, bindCombo, comboNeedsNewWindow};
    table["ListBox"] = {createListBox, applyListBox, bindListBox, listBoxNeedsNewWindow};
    table["Frame"] = {createFrame, applyFrame, nullptr, nullptr, true};
    table["PictureBox"] = {createPictureBox, nullptr, nullptr, pictureBoxNeedsNewWindow, true};
    table["Image"] = {createImage, nullptr, nullptr, nullptr, true};
    table["ProgressBar"] = {createProgressBar, applyProgressBar};
}

} // namespace kv::ui::wx::internal
