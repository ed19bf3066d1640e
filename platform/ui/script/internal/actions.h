#pragma once
// Script actions that need nothing of the runner but the model: each returns the failure's
// text, empty when the action went as the script says. `form` is the form of the modal
// block running it (nullptr in an idle block).

#include "platform/ui/form.h"
#include "platform/ui/script/internal/script.h"

#include <string>
#include <vector>

namespace kv::ui::script::internal {

// expect <target> [<element> <which>] <property> "<value>"
std::string expect(const Action& action, Form* form);

// press|move|release <ctl> [left|right|middle] <x> <y>: a mouse button pressed or released,
// or the mouse moved, at a position in form units relative to the control. `held` keeps
// the buttons pressed and not yet released (what a move reports).
std::string mouseAction(const Action& action, Form* form, int& held);

// resize <form> <width> <height>, as the user drags the frame of a sizable window.
std::string resizeForm(const Action& action);

// state <form> normal|minimized|maximized, as the window's caption buttons do.
std::string setWindowState(const Action& action);

// dump <form>: lines describing the form and each of its controls, as the property reader
// reads them (texts, check and selection state, visibility, enabled state, font, bold runs).
std::vector<std::string> dump(const Form& form);

} // namespace kv::ui::script::internal
