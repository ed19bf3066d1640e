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
