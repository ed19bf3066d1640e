#pragma once
// The message box: a small dialog with the platform's buttons, icon, default button and
// answers for a box's style bits.

#include "platform/ui/message_box.h"

#include <functional>
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

// Shows the box over `parent` (may be null), the program's other windows disabled, and
// returns the answer. `wait` runs the program's message loop until `answered` holds, so
// its timers keep ticking while the box is open.
using WaitForAnswer = std::function<void(const std::function<bool()>& answered)>;
int showMessageBox(wxWindow* parent, const MessageBoxRequest& request, const WaitForAnswer& wait);

} // namespace kv::ui::wx::internal
