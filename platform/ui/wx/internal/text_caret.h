#pragma once
// The caret of the toolkit's text widgets, hidden and shown for a text box's caret.

class wxWindow;

namespace kv::ui::wx::internal {

// Shows or hides the caret of a text control (one line or several).
void showTextCaret(wxWindow* text, bool shown);
// Whether the text control's caret is shown (when it has the focus).
bool textCaretShown(wxWindow* text);

} // namespace kv::ui::wx::internal
