#include "platform/ui/design.h"

#include "platform/ui/buttons.h"
#include "platform/ui/lists.h"
#include "platform/ui/menu.h"
#include "platform/ui/text_controls.h"

namespace kv::ui {
namespace {

void applyState(Widget& w, unsigned state) {
    if (state & kHidden) w.setVisible(false);
    if (state & kDisabled) w.setEnabled(false);
    if (state & kChecked) {
        if (auto* menu = dynamic_cast<Menu*>(&w)) menu->setChecked(true);
        if (auto* box = dynamic_cast<CheckBox*>(&w)) box->setChecked(true);
        if (auto* option = dynamic_cast<OptionButton*>(&w)) option->setValue(true);
    }
    if (auto* button = dynamic_cast<CommandButton*>(&w)) {
        if (state & kDefaultButton) button->setDefault(true);
        if (state & kCancelButton) button->setCancel(true);
    }
    if (auto* label = dynamic_cast<Label*>(&w); label && (state & kWordWrap))
        label->setWordWrap(true);
}

void applyText(Widget& w, const char* text) {
    if (auto* box = dynamic_cast<TextBox*>(&w)) box->setText(text);
    if (auto* combo = dynamic_cast<ComboBox*>(&w)) combo->setText(text);
}

} // namespace

void applyDesign(std::initializer_list<Design> rows) {
    for (const Design& row : rows) {
        if (!row.widget) continue;
        Widget& w = *row.widget;
        auto* control = dynamic_cast<Control*>(&w);
        if (row.parent && control) control->setContainer(row.parent);
        if (row.caption) w.setCaption(row.caption);
        if (row.geometry != Rect{}) w.setGeometry(row.geometry);
        if (row.shortcut)
            if (auto* menu = dynamic_cast<Menu*>(&w)) menu->setShortcut(row.shortcut);
        if (row.text) applyText(w, row.text);
        applyState(w, row.state);
    }
}

} // namespace kv::ui
