#pragma once
// A form's client area and the controls docked to its top or bottom edge.

#include "platform/ui/types.h"

namespace kv::ui {

class Form;

// The client area's size in the form's units: the window less its border, caption and menu
// bar (the backend's measure of a real window, else the platform's standard metrics).
Size clientSize(const Form& form);

// Places the visible controls docked to the top or bottom edge (Align::Top or
// Align::Bottom): each spans the client area's width, keeps its height, and stacks inside
// the ones placed before it at its edge. Toolbars and status bars are placed first, then
// the others, each in the form's order. Hidden docked controls take no room.
void arrangeDocked(Form& form);

} // namespace kv::ui
