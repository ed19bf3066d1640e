#pragma once
// The caret of a form: the text cursor of the text box that has the form's focus.

namespace kv::ui {

class Form;

// Hides the caret of the text box that has the form's focus, until it is shown again or the
// focus leaves that box; false when no text box has the focus.
bool hideCaret(Form& form);
// Shows it again; false when no text box has the focus.
bool showCaret(Form& form);

} // namespace kv::ui
