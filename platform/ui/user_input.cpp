#include "platform/ui/user_input.h"

namespace kv::ui::user {
namespace {

bool reachable(Widget& w) {
    if (auto* c = dynamic_cast<Control*>(&w)) return c->reachable();
    auto* f = dynamic_cast<Form*>(&w);
    return f && f->shown() && f->enabled();
}

void focus(Control& c) {
    if (c.canFocus()) c.setFocus();
}

} // namespace

bool click(Control& control) {
    if (!control.reachable()) return false;
    focus(control);
    control.click();
    return true;
}

bool doubleClick(Control& control) {
    if (!click(control)) return false;
    if (control.onDblClick) control.onDblClick();
    return true;
}

bool typeText(TextBox& box, std::string text) {
    if (!box.reachable() || box.locked()) return false;
    if (box.maxLength() > 0 && static_cast<int>(text.size()) > box.maxLength())
        text.resize(static_cast<std::size_t>(box.maxLength()));
    focus(box);
    box.setText(std::move(text));
    return true;
}

bool typeText(ComboBox& box, std::string text) {
    if (!box.reachable() || box.style() == ComboStyle::DropDownList) return false;
    focus(box);
    box.setText(std::move(text));
    return true;
}

bool setChecked(CheckBox& box, bool on) {
    if (!box.reachable()) return false;
    focus(box);
    if (box.checked() != on) box.click();
    return true;
}

bool choose(ListControl& list, int i) {
    if (!list.reachable() || i < 0 || i >= list.listCount()) return false;
    focus(list);
    list.setListIndex(i);
    return true;
}

bool pressKey(Control& control, int keyCode, int shift) {
    if (!reachable(control)) return false;
    int key = keyCode;
    if (control.onKeyDown) control.onKeyDown(key, shift);
    if (key != 0 && (key == 8 || key == 13 || key == 27 || (key >= 32 && key < 127))) {
        int ascii = key;
        if (control.onKeyPress) control.onKeyPress(ascii);
    }
    int up = keyCode;
    if (control.onKeyUp) control.onKeyUp(up, shift);
    return true;
}

bool mouseEnter(Control& control) {
    if (!control.reachable()) return false;
    if (control.onMouseEnter) control.onMouseEnter();
    return true;
}

bool mouseLeave(Control& control) {
    if (!control.reachable()) return false;
    if (control.onMouseLeave) control.onMouseLeave();
    return true;
}

bool close(Form& form) {
    if (!form.shown()) return false;
    return form.close(UnloadMode::FromControlMenu);
}

} // namespace kv::ui::user
