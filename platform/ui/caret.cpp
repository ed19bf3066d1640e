#include "platform/ui/caret.h"

#include "platform/ui/form.h"
#include "platform/ui/text_controls.h"

namespace kv::ui {
namespace {

bool setHidden(Form& form, bool hidden) {
    auto* box = dynamic_cast<TextBox*>(form.activeControl());
    return box && box->setCaretHidden(hidden);
}

} // namespace

bool hideCaret(Form& form) {
    return setHidden(form, true);
}

bool showCaret(Form& form) {
    return setHidden(form, false);
}

} // namespace kv::ui
