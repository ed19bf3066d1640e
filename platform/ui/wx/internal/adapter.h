#pragma once
// One adapter per control kind: how its widget is made, how the model's changes reach it
// and how its input reaches the model. The backend looks adapters up by the model's kind
// name; the properties every widget shares (geometry, colours, font...) are applied by
// applyCommon for all kinds.

#include "platform/ui/control.h"

#include <wx/gdicmn.h>

#include <functional>
#include <map>
#include <string_view>

class wxWindow;

namespace kv::ui::wx::internal {

// The backend's side of a widget's input, for one control and its current widget.
struct Input {
    // Runs user input on the model; false (and nothing runs) when the widget no longer
    // shows the control or input is not taken now.
    std::function<bool(const std::function<void()>&)> deliver;
    // The same for text the user typed: the model's echo leaves the widget's text alone.
    std::function<bool(const std::function<void()>&)> deliverTyped;
    // Shows the model's value and selection again (the model may refuse a change).
    std::function<void()> resync;
    // Applies a property of the model after the event being handled, not from inside it.
    std::function<void(Property)> applyLater;
};

struct Adapter {
    // Makes the widget under `parent` at `rect` (pixels); nullptr when it cannot be made.
    wxWindow* (*create)(Control& control, wxWindow* parent, const wxRect& rect) = nullptr;
    // Applies a property this kind shows in its own way; false leaves it to applyCommon.
    // `typing`: the change echoes the user's own typing into this widget.
    bool (*apply)(Control& control, wxWindow* window, Property property, bool typing) = nullptr;
    // Binds what the kind raises beyond the mouse, focus and key events of every widget.
    void (*bind)(Control& control, wxWindow* window, const Input& input) = nullptr;
    // Whether a change of the property needs a new widget (a text box turned multi-line).
    bool (*needsNewWindow)(Property property) = nullptr;
    // The platform clicks the control on a mouse release (the widget has no click).
    bool clicksOnRelease = false;
    // The kind raises its own mouse events (the common mouse binding is left out).
    bool ownMouseEvents = false;
    // The model's back colour that means "the widget's own".
    Color defaultBackColor = kButtonFace;
};

using AdapterTable = std::map<std::string_view, Adapter, std::less<>>;

// The adapter of a kind ("TextBox"...); nullptr for kinds shown by no widget (timers).
const Adapter* adapterFor(std::string_view kind);
// The kinds of each group, added to the table once.
void addBasicAdapters(AdapterTable& table);
void addRichAdapters(AdapterTable& table);

// The control's geometry in pixels of `parent`.
wxRect pixelRect(const Control& control, wxWindow* parent);
// Applies one of the properties every widget shows alike.
void applyCommon(Control& control, wxWindow* window, Property property);

} // namespace kv::ui::wx::internal
