#include "platform/ui/menu.h"

#include "platform/text/ansi.h"
#include "platform/ui/control_host.h"
#include "platform/ui/control_properties.h"
#include "platform/ui/form.h"

#include <algorithm>

namespace kv::ui {

Menu* Menu::parentMenu() const {
    return dynamic_cast<Menu*>(container());
}

std::vector<Menu*> Menu::items() const {
    std::vector<Menu*> out;
    for (Menu* m : children_) {
        // An element of an array goes right after the array's element of the next lower
        // index already placed.
        auto pos = out.end();
        if (m->index() >= 0) {
            for (auto it = out.begin(); it != out.end(); ++it)
                if (text::equalsNoCase((*it)->name(), m->name()) && (*it)->index() < m->index())
                    pos = it + 1;
        }
        out.insert(pos, m);
    }
    return out;
}

void Menu::held(Control& control) {
    if (auto* m = dynamic_cast<Menu*>(&control)) children_.push_back(m);
}

void Menu::released(Control& control) {
    children_.erase(std::remove(children_.begin(), children_.end(), &control), children_.end());
}

void Menu::setChecked(bool on) {
    if (on == checked_) return;
    checked_ = on;
    changed(prop::Checks);
}

void Menu::setShortcut(std::string shortcut) {
    if (shortcut == shortcut_) return;
    shortcut_ = std::move(shortcut);
    changed(prop::Shortcut);
}

Menu& Menu::loadElement(int index) {
    Form& f = *form();
    if (auto* existing = f.find<Menu>(name(), index)) return *existing;
    Menu& m = f.add<Menu>(name(), index, container());
    m.setCaption(caption());
    m.setShortcut(shortcut());
    m.setChecked(checked());
    m.setEnabled(enabled());
    m.setVisible(visible());
    m.onElementClick = onElementClick;
    if (m.onElementClick) m.onClick = [&m] { m.onElementClick(m.index()); };
    return m;
}

void Menu::popup() {
    controlHost().popupMenu(*this);
}

bool Menu::pickable(const Menu* popupRoot) const {
    if (separator()) return false;
    for (const Menu* m = this; m; m = m->parentMenu()) {
        if (!m->enabled()) return false;
        if (!m->visible() && m != popupRoot) return false;
        if (m == popupRoot) break;
    }
    const Form* f = form();
    return f->shown() && f->enabled();
}

namespace {

// The key code of a shortcut's key name: a letter or digit, F1 to F12, Ins, Del; 0 for
// any other.
int keyCodeOf(std::string_view name) {
    if (name.size() == 1) {
        const char c = text::toUpper(name[0]);
        return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ? c : 0;
    }
    if (text::equalsNoCase(name, "Ins")) return 45;
    if (text::equalsNoCase(name, "Del")) return 46;
    if (name.size() >= 2 && (name[0] == 'F' || name[0] == 'f')) {
        int n = 0;
        for (char c : name.substr(1)) {
            if (c < '0' || c > '9') return 0;
            n = n * 10 + (c - '0');
            if (n > 12) return 0;
        }
        return n >= 1 ? kKeyF1 + n - 1 : 0;
    }
    return 0;
}

} // namespace

bool shortcutMatches(std::string_view shortcut, int keyCode, int shift) {
    int mask = 0;
    for (;;) {
        const std::size_t plus = shortcut.find('+');
        if (plus == std::string_view::npos || plus + 1 == shortcut.size()) break;
        const std::string_view modifier = shortcut.substr(0, plus);
        if (text::equalsNoCase(modifier, "Ctrl"))
            mask |= kCtrlMask;
        else if (text::equalsNoCase(modifier, "Shift"))
            mask |= kShiftMask;
        else if (text::equalsNoCase(modifier, "Alt"))
            mask |= kAltMask;
        else
            return false;
        shortcut.remove_prefix(plus + 1);
    }
    const int code = keyCodeOf(shortcut);
    const int held = kShiftMask | kCtrlMask | kAltMask;
    return code != 0 && code == keyCode && mask == (shift & held);
}

Menu* shortcutItem(const Form& form, int keyCode, int shift) {
    for (Control* c : form.controls())
        if (auto* m = dynamic_cast<Menu*>(c);
            m && !m->shortcut().empty() && shortcutMatches(m->shortcut(), keyCode, shift))
            return m;
    return nullptr;
}

std::string menuText(std::string_view caption) {
    std::string out;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') {
                out += '&';
                ++i;
            }
            continue;
        }
        out += caption[i];
    }
    return out;
}

char accessKey(std::string_view caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return text::toUpper(caption[i + 1]);
    }
    return '\0';
}

} // namespace kv::ui
