#pragma once
// The widgets of list views, tree views, toolbars, status bars, tab strips, rich-text
// boxes and web browsers: made from the model, refilled on its changes, and their user input turned
// into the model's events through `deliver`.

#include "platform/ui/control.h"

#include <functional>

class wxWindow;

namespace kv::ui::wx::internal {

// Runs user input on the model (false when the widget no longer shows the control).
using Deliver = std::function<bool(std::function<void()>)>;

// The widget for one of these kinds, nullptr for any other kind.
wxWindow* createRichWindow(Control& control, wxWindow* parent);
// Applies a change of the model; false when the property is not one of these kinds'.
bool applyRich(Control& control, wxWindow* window, Property property);
bool richNeedsNewWindow(const Control& control, Property property);
// Whether the kind raises its own mouse events (a tab strip's click path does).
bool ownMouseEvents(const Control& control);
void bindRich(Control& control, wxWindow* window, Deliver deliver);

} // namespace kv::ui::wx::internal
