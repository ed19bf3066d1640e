#include "platform/ui/user_input.h"

#include "platform/ui/menu.h"
#include "platform/ui/user_controls.h"

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

bool checkItem(ListBox& list, int i, bool on) {
    if (!list.reachable() || !list.checkBoxes() || i < 0 || i >= list.listCount()) return false;
    focus(list);
    list.setItemChecked(i, on);
    return true;
}

bool pressKey(Control& control, int keyCode, int shift) {
    if (!reachable(control)) return false;
    // A menu shortcut the user could pick runs its item; the control never sees the key.
    Form* owner = control.form();
    if (Menu* item = owner ? shortcutItem(*owner, keyCode, shift) : nullptr;
        item && pickMenu(*item))
        return true;
    // A form with key preview sees each event first and may swallow it.
    Form* preview = owner && owner->keyPreview() ? owner : nullptr;
    int key = keyCode;
    if (preview && preview->onKeyDown) preview->onKeyDown(key, shift);
    if (key != 0 && control.onKeyDown) control.onKeyDown(key, shift);
    // Ctrl and Alt make no character of a printable key.
    const bool printable = key >= 32 && key < 127 && (shift & (kCtrlMask | kAltMask)) == 0;
    if (key != 0 && (key == 8 || key == 13 || key == 27 || printable)) {
        int ascii = key;
        if (preview && preview->onKeyPress) preview->onKeyPress(ascii);
        if (ascii != 0 && control.onKeyPress) control.onKeyPress(ascii);
    }
    int up = keyCode;
    if (preview && preview->onKeyUp) preview->onKeyUp(up, shift);
    if (up != 0 && control.onKeyUp) control.onKeyUp(up, shift);
    return true;
}

namespace {

bool pressButton(Form& form, bool wantDefault) {
    if (!form.shown() || !form.enabled()) return false;
    for (Control* c : form.controls()) {
        auto* b = dynamic_cast<CommandButton*>(c);
        if (b && (wantDefault ? b->isDefault() : b->isCancel()) && b->reachable()) {
            b->click();
            return true;
        }
    }
    return false;
}

bool mouse(Control& control, const std::function<void(const MouseEvent&)>& handler,
           const MouseEvent& event) {
    if (!control.reachable()) return false;
    if (handler) handler(event);
    return true;
}

} // namespace

bool pressEnter(Form& form) {
    return pressButton(form, true);
}

bool pressEscape(Form& form) {
    return pressButton(form, false);
}

bool mouseDown(Control& control, const MouseEvent& event) {
    return mouse(control, control.onMouseDown, event);
}

bool mouseUp(Control& control, const MouseEvent& event) {
    return mouse(control, control.onMouseUp, event);
}

bool mouseMove(Control& control, const MouseEvent& event) {
    return mouse(control, control.onMouseMove, event);
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
