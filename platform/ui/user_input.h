#pragma once
// What the user does, as backends and test scripts report it: each entry checks that the
// user could do it (the control is shown and enabled on a shown form) and then runs the
// same path as the program's own calls. Each returns false when the user could not.

#include "platform/ui/buttons.h"
#include "platform/ui/form.h"
#include "platform/ui/lists.h"
#include "platform/ui/text_controls.h"

#include <string>

namespace kv::ui::user {

bool click(Control& control);
bool doubleClick(Control& control);
// Replaces the text as typing would: limited to the maximum length; refused when locked.
bool typeText(TextBox& box, std::string text);
bool typeText(ComboBox& box, std::string text);
// Ticks or clears a check box (a click when the state differs).
bool setChecked(CheckBox& box, bool on);
// Picks entry i of a list.
bool choose(ListControl& list, int i);
// Ticks or clears the check box of entry i of a list box with check boxes.
bool checkItem(ListBox& list, int i, bool on);
// Presses a key on the control (key down, key press for characters, key up).
bool pressKey(Control& control, int keyCode, int shift = 0);
// Presses Enter or Escape on the form: clicks its default or cancel button when the user
// can reach it; false when the form has none.
bool pressEnter(Form& form);
bool pressEscape(Form& form);
// A mouse button pressed, released, or the mouse moved over the control.
bool mouseDown(Control& control, const MouseEvent& event);
bool mouseUp(Control& control, const MouseEvent& event);
bool mouseMove(Control& control, const MouseEvent& event);
// Moves the mouse into or out of the control.
bool mouseEnter(Control& control);
bool mouseLeave(Control& control);
// Closes the form with its close box.
bool close(Form& form);

} // namespace kv::ui::user
