#pragma once
// The message box: a small dialog with the platform's buttons, icon, default button and
// answers for a box's style bits.

#include "platform/ui/message_box.h"

#include <string>

class wxWindow;

namespace kv::ui::wx::internal {

// The label of the button that gives an answer ("OK", "&Yes"...).
std::string buttonLabel(int answer);
// The answer Escape and the close box give: Cancel when the box has it, OK for a box with
// OK alone; 0 when neither may close the box.
int escapeAnswer(unsigned style);
// The window id of the button that gives an answer.
int buttonId(int answer);

// Shows the box modally over `parent` (may be null) and returns the answer.
int showMessageBox(wxWindow* parent, const MessageBoxRequest& request);

} // namespace kv::ui::wx::internal
