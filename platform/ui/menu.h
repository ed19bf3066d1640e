#pragma once
// Menus: menu-bar titles, items, submenus and pop-up menus. An item's container is its
// parent menu (none for a title of the menu bar). Captions mark the access key with "&"
// ("&&" shows one ampersand); the caption "-" is a separator line.

#include "platform/ui/control.h"

#include <vector>

namespace kv::ui {

class Menu : public Control {
public:
    Menu(Form& form, std::string name, int index) : Control(form, std::move(name), index) {}
    std::string_view kind() const override { return "Menu"; }
    bool canFocus() const override { return false; }

    // The parent menu; nullptr for a title of the menu bar.
    Menu* parentMenu() const;
    // The items of this menu, in order (elements of a control array together, by index).
    std::vector<Menu*> items() const;
    bool separator() const { return caption() == "-"; }
    bool checked() const { return checked_; }
    void setChecked(bool on);
    // The shortcut as shown: "Ctrl+N", "F5"...; empty for none.
    const std::string& shortcut() const { return shortcut_; }
    void setShortcut(std::string shortcut);

    // Loads a new element of this item's control array at `index`, in the same menu after
    // the array's other elements, with this element's caption, shortcut, check mark,
    // enabled and visible state and its element click. Returns the existing element when the index
    // is taken.
    Menu& loadElement(int index);
    // The click shared by a control array's elements, given the clicked element's index:
    // loadElement hands it on to each new element, whose click then runs it.
    std::function<void(int index)> onElementClick;

    // Shows this menu as a pop-up at the pointer (the menu itself may be hidden from the
    // menu bar); returns after the user picked an item or dismissed it.
    void popup();

    // Could the user pick this item now: it and its parents enabled and visible, on a
    // shown form; `popupRoot` is the menu shown as a pop-up, which counts as visible.
    bool pickable(const Menu* popupRoot = nullptr) const;

protected:
    void held(Control& control) override;
    void released(Control& control) override;

private:
    bool checked_ = false;
    std::string shortcut_;
    std::vector<Menu*> children_; // the items in the order they came
};

// Whether a key (a key-down event's code and shift state) is the shortcut ("Ctrl+N", "F5",
// "Shift+Del"): the same key with exactly the same Shift, Ctrl and Alt keys held.
bool shortcutMatches(std::string_view shortcut, int keyCode, int shift);
// The item of the form's menus whose shortcut the key is; nullptr for none.
Menu* shortcutItem(const Form& form, int keyCode, int shift);

// The caption as shown, without access-key marks ("Leave &Feedback && Mark" ->
// "Leave Feedback & Mark").
std::string menuText(std::string_view caption);
// The access key (upper-cased), '\0' for none.
char accessKey(std::string_view caption);

} // namespace kv::ui
