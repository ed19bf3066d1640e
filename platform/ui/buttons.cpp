#include "platform/ui/buttons.h"

#include "platform/ui/form.h"

#include <utility>

namespace kv::ui {

void CommandButton::setPicture(Picture picture) {
    if (picture == picture_) return;
    picture_ = std::move(picture);
    changed(Property::Picture);
}

void CheckBox::setValue(CheckState state) {
    if (state == value_) return;
    value_ = state;
    changed(Property::Value);
    raise(onClick);
}

void CheckBox::click() {
    setValue(checked() ? CheckState::Unchecked : CheckState::Checked);
}

void OptionButton::setValue(bool on) {
    if (on == value_) return;
    value_ = on;
    if (on) clearSiblings();
    changed(Property::Value);
    if (on) raise(onClick);
}

void OptionButton::click() {
    setValue(true);
}

void OptionButton::clearSiblings() {
    for (Control* c : form()->controls()) {
        auto* other = dynamic_cast<OptionButton*>(c);
        if (!other || other == this || other->container() != container() || !other->value_)
            continue;
        other->value_ = false;
        other->changed(Property::Value);
    }
}

} // namespace kv::ui
