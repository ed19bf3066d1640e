#pragma once
// The widget of each control: made by its kind's adapter from the control's model and kept
// in step with its property changes. Input from the widgets is bound by the backend.

#include "platform/ui/control.h"
#include "platform/ui/form.h"

class wxWindow;

namespace kv::ui::wx::internal {

// Makes the control's widget under `parent`, with every property of the model applied;
// nullptr for kinds shown by no widget (timers, kinds this backend does not know).
wxWindow* createWindow(Control& control, wxWindow* parent);
// Makes the client area of a form: the parent of its controls, drawing its painted surface.
wxWindow* createFormCanvas(Form& form, wxWindow* frame);
// Whether a change of this property needs a new widget (a text box turned multi-line...).
bool needsNewWindow(const Control& control, Property property);
// Applies one property of the model to the widget. `typing`: the change comes from the
// user's own typing into this widget, whose text is then left as it is.
void apply(Control& control, wxWindow* window, Property property, bool typing = false);
// The colour a widget is shown with when the model's is that kind's default.
bool isDefaultBackColor(const Control& control);

} // namespace kv::ui::wx::internal
