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

// dump <form>: lines describing the form and each of its controls, as the property reader
// reads them (texts, check and selection state, visibility, enabled state, font, bold runs).
std::vector<std::string> dump(const Form& form);

} // namespace kv::ui::script::internal
