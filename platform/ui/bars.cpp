#include "platform/ui/bars.h"

#include "platform/ui/control_properties.h"

namespace kv::ui {
namespace {
const ToolButton kNoButton{};
} // namespace

int Toolbar::addButton(ToolButton button) {
    buttons_.push_back(std::move(button));
    changed(prop::Buttons);
    return buttonCount();
}

ToolButton* Toolbar::at(int i) {
    if (i < 1 || i > buttonCount()) return nullptr;
    return &buttons_[static_cast<std::size_t>(i - 1)];
}

const ToolButton& Toolbar::button(int i) const {
    if (i < 1 || i > buttonCount()) return kNoButton;
    return buttons_[static_cast<std::size_t>(i - 1)];
}

int Toolbar::find(std::string_view key) const {
    for (int i = 1; i <= buttonCount(); ++i)
        if (!key.empty() && button(i).key == key) return i;
    return 0;
}

void Toolbar::setButtonEnabled(int i, bool on) {
    if (ToolButton* b = at(i)) b->enabled = on, changed(prop::Buttons);
}

void Toolbar::setButtonVisible(int i, bool on) {
    if (ToolButton* b = at(i)) b->visible = on, changed(prop::Buttons);
}

void Toolbar::setButtonPressed(int i, bool on) {
    if (ToolButton* b = at(i)) b->pressed = on, changed(prop::Buttons);
}

void Toolbar::setButtonToolTip(int i, std::string text) {
    if (ToolButton* b = at(i)) b->toolTip = std::move(text), changed(prop::Buttons);
}

void Toolbar::setButtonImage(int i, int image) {
    if (ToolButton* b = at(i)) b->image = image, changed(prop::Buttons);
}

void Toolbar::refresh() {
    changed(prop::Buttons);
}

int StatusBar::addPanel(std::string text) {
    panels_.push_back(std::move(text));
    changed(prop::Buttons);
    return panelCount();
}

std::string StatusBar::panelText(int i) const {
    if (i < 1 || i > panelCount()) return {};
    return panels_[static_cast<std::size_t>(i - 1)];
}

void StatusBar::setPanelText(int i, std::string text) {
    if (i < 1 || i > panelCount()) return;
    panels_[static_cast<std::size_t>(i - 1)] = std::move(text);
    changed(Property::Text);
}

} // namespace kv::ui
