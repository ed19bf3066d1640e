#include "platform/ui/control.h"

#include "platform/ui/form.h"

namespace kv::ui {

Control::Control(Form& form, std::string name, int index)
    : Widget(std::move(name)), form_(&form), index_(index) {
    initFont(form.font());
}

std::string Control::displayName() const {
    if (index_ < 0) return name();
    return name() + "(" + std::to_string(index_) + ")";
}

void Control::setContainer(Control* container) {
    if (container == container_ || container == this) return;
    moveInto(container);
    changed(Property::Container);
}

void Control::moveInto(Control* container) {
    if (container_) container_->released(*this);
    container_ = container;
    if (container_) container_->held(*this);
}

void Control::setTabIndex(int index) {
    if (index == tabIndex_) return;
    tabIndex_ = index;
    changed(Property::TabOrder);
}

void Control::setAlign(Align align) {
    if (align == align_) return;
    align_ = align;
    changed(Property::Alignment);
}

bool Control::reachable() const {
    for (const Control* c = this; c; c = c->container_)
        if (!c->visible() || !c->enabled()) return false;
    return form_->shown() && form_->enabled();
}

bool Control::setFocus() {
    if (!canFocus() || !reachable()) return false;
    form_->setFocusTo({}, this);
    return true;
}

bool Control::hasFocus() const {
    return form_->activeControl() == this;
}

} // namespace kv::ui
