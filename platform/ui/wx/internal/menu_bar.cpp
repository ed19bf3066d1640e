#include "platform/ui/wx/internal/menu_bar.h"

#include "platform/ui/control_properties.h"
#include "platform/ui/form.h"
#include "platform/ui/wx/internal/convert.h"

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/menu.h>
#include <wx/window.h>

namespace kv::ui::wx::internal {

// What shows one menu: a title's menu on the bar, or an item (with its submenu when it has
// items) in its parent's menu. Nothing is shown while the menu is hidden.
struct MenuBar::Entry {
    int id = wxID_NONE;
    wxMenuItem* item = nullptr; // items: the toolkit's item, while shown
    wxMenu* in = nullptr;       // items: the menu holding `item`
    wxMenu* submenu = nullptr;  // titles, and items with items of their own
};

namespace {

wxString labelOf(const Menu& menu) {
    wxString label = toWx(menu.caption(), menu.font().charset);
    if (!menu.shortcut().empty()) label += "\t" + toWx(menu.shortcut(), menu.font().charset);
    return label;
}

// Deleted after the event being handled: the item may be the one whose pick runs now.
template <class T> void deleteLater(T* object) {
    wxTheApp->CallAfter([object] { delete object; });
}

} // namespace

MenuBar::MenuBar(wxFrame& frame) : frame_(frame) {}

MenuBar::~MenuBar() {
    for (auto& [menu, e] : entries_)
        wxWindow::UnreserveControlId(e->id);
}

MenuBar::Entry* MenuBar::entry(const Menu& menu) {
    auto it = entries_.find(&menu);
    return it == entries_.end() ? nullptr : it->second.get();
}

MenuBar::Entry& MenuBar::entryFor(Menu& menu) {
    auto& slot = entries_[&menu];
    if (!slot) {
        slot = std::make_unique<Entry>();
        slot->id = wxWindow::NewControlId();
        ids_[slot->id] = &menu;
    }
    return *slot;
}

Menu* MenuBar::item(int id) const {
    auto it = ids_.find(id);
    return it == ids_.end() ? nullptr : it->second;
}

int MenuBar::id(const Menu& menu) const {
    auto it = entries_.find(&menu);
    if (it == entries_.end() || (!it->second->item && !it->second->submenu)) return wxID_NONE;
    return it->second->id;
}

void MenuBar::build(Form& form) {
    form_ = &form;
    for (Control* c : form.controls())
        if (auto* m = dynamic_cast<Menu*>(c)) entryFor(*m);
    for (Control* c : form.controls())
        if (auto* m = dynamic_cast<Menu*>(c); m && !m->parentMenu()) show(*m);
}

void MenuBar::showBar() {
    if (!frame_.GetMenuBar()) frame_.SetMenuBar(new wxMenuBar());
}

int MenuBar::titlePosition(const Menu& title) const {
    int pos = 0;
    for (Control* c : form_->controls()) {
        if (c == &title) break;
        auto* m = dynamic_cast<Menu*>(c);
        auto it = m && !m->parentMenu() ? entries_.find(m) : entries_.end();
        if (it != entries_.end() && it->second->submenu) ++pos;
    }
    return pos;
}

wxMenuItem* MenuBar::makeItem(Menu& menu, wxMenu& parent) {
    Entry& e = entryFor(menu);
    if (menu.separator()) return new wxMenuItem(&parent, wxID_SEPARATOR, "", "", wxITEM_SEPARATOR);
    if (!menu.items().empty()) {
        e.submenu = new wxMenu();
        fillMenu(menu, *e.submenu);
        return new wxMenuItem(&parent, e.id, labelOf(menu), "", wxITEM_NORMAL, e.submenu);
    }
    return new wxMenuItem(&parent, e.id, labelOf(menu), "",
                          menu.checked() ? wxITEM_CHECK : wxITEM_NORMAL);
}

void MenuBar::fillMenu(Menu& menu, wxMenu& out) {
    for (Menu* child : menu.items()) {
        if (!child->visible()) continue;
        wxMenuItem* added = out.Append(makeItem(*child, out));
        Entry& e = entryFor(*child);
        e.item = added;
        e.in = &out;
        if (added->IsCheckable()) added->Check(child->checked());
        if (!child->separator()) added->Enable(child->enabled());
    }
}

void MenuBar::show(Menu& menu) {
    Entry& e = entryFor(menu);
    if (!menu.visible() || e.item || e.submenu) return;
    Menu* parent = menu.parentMenu();
    if (!parent) {
        showBar();
        wxMenuBar* bar = frame_.GetMenuBar();
        e.submenu = new wxMenu();
        fillMenu(menu, *e.submenu);
        const int pos = titlePosition(menu);
        bar->Insert(static_cast<size_t>(pos), e.submenu, labelOf(menu));
        bar->EnableTop(static_cast<size_t>(pos), menu.enabled());
        return;
    }
    Entry* pe = entry(*parent);
    if (!pe || !pe->submenu) return;
    std::size_t pos = 0;
    for (Menu* sibling : parent->items()) {
        if (sibling == &menu) break;
        if (Entry* se = entry(*sibling); se && se->item) ++pos;
    }
    wxMenuItem* added = pe->submenu->Insert(pos, makeItem(menu, *pe->submenu));
    e.item = added;
    e.in = pe->submenu;
    if (added->IsCheckable()) added->Check(menu.checked());
    if (!menu.separator()) added->Enable(menu.enabled());
}

void MenuBar::forget(Menu& menu) {
    // The entries shown inside a menu taken away are shown no more.
    std::vector<wxMenu*> gone;
    auto drop = [&](wxMenu* m) {
        if (m) gone.push_back(m);
    };
    Entry* e = entry(menu);
    if (!e) return;
    drop(e->submenu);
    e->item = nullptr;
    e->in = nullptr;
    e->submenu = nullptr;
    while (!gone.empty()) {
        wxMenu* m = gone.back();
        gone.pop_back();
        for (auto& [other, oe] : entries_)
            if (oe->in == m) {
                drop(oe->submenu);
                oe->item = nullptr;
                oe->in = nullptr;
                oe->submenu = nullptr;
            }
    }
}

void MenuBar::hide(Menu& menu) {
    Entry* e = entry(menu);
    if (!e) return;
    if (e->item) {
        wxMenuItem* item = e->in->Remove(e->item);
        forget(menu);
        deleteLater(item);
        return;
    }
    wxMenuBar* bar = frame_.GetMenuBar();
    if (!e->submenu || !bar) return;
    for (size_t i = 0; i < bar->GetMenuCount(); ++i)
        if (bar->GetMenu(i) == e->submenu) {
            wxMenu* title = bar->Remove(i);
            forget(menu);
            deleteLater(title);
            break;
        }
    if (bar->GetMenuCount() == 0) {
        frame_.SetMenuBar(nullptr);
        deleteLater(bar);
    }
}

void MenuBar::added(Menu& menu) {
    entryFor(menu);
    Menu* parent = menu.parentMenu();
    Entry* pe = parent ? entry(*parent) : nullptr;
    if (pe && pe->item && !pe->submenu) {
        // A command item gets its first item: it shows as a submenu from now on.
        hide(*parent);
        show(*parent);
        return;
    }
    show(menu);
}

void MenuBar::removed(Menu& menu) {
    Entry* e = entry(menu);
    if (!e) return;
    hide(menu);
    ids_.erase(e->id);
    wxWindow::UnreserveControlId(e->id);
    entries_.erase(&menu);
    // Items it held now belong to its parent (or the bar); a parent left without items
    // shows as a command again.
    Menu* parent = menu.parentMenu();
    Entry* pe = parent ? entry(*parent) : nullptr;
    if (pe && pe->item && parent->items().empty()) {
        hide(*parent);
        show(*parent);
    }
    if (form_)
        for (Control* c : form_->controls())
            if (auto* m = dynamic_cast<Menu*>(c); m && entry(*m)) show(*m);
}

void MenuBar::changed(Menu& menu, Property property) {
    Entry* e = entry(menu);
    if (!e) return;
    if (property == Property::Visible || property == Property::Container) {
        hide(menu);
        show(menu);
        return;
    }
    wxMenuBar* bar = frame_.GetMenuBar();
    if (!e->item) {
        // A title on the bar.
        if (!e->submenu || !bar) return;
        int pos = wxNOT_FOUND;
        for (size_t i = 0; i < bar->GetMenuCount(); ++i)
            if (bar->GetMenu(i) == e->submenu) pos = static_cast<int>(i);
        if (pos == wxNOT_FOUND) return;
        if (property == Property::Caption)
            bar->SetMenuLabel(static_cast<size_t>(pos), labelOf(menu));
        if (property == Property::Enabled) bar->EnableTop(static_cast<size_t>(pos), menu.enabled());
        return;
    }
    wxMenuItem* item = e->item;
    const bool rebuild =
        item->IsSeparator() != menu.separator() ||
        (property == prop::Checks && menu.checked() && !item->IsCheckable() && !e->submenu);
    if (rebuild) {
        // The kind of the toolkit's item changes: a new one with the same id in its place.
        hide(menu);
        show(menu);
        return;
    }
    if (property == Property::Caption || property == prop::Shortcut) {
        if (!item->IsSeparator()) item->SetItemLabel(labelOf(menu));
    } else if (property == prop::Checks) {
        if (item->IsCheckable() && item->IsChecked() != menu.checked()) item->Check(menu.checked());
    } else if (property == Property::Enabled) {
        if (!item->IsSeparator()) item->Enable(menu.enabled());
    }
}

wxMenu* buildPopup(Menu& root, std::map<int, Menu*>& ids) {
    auto* out = new wxMenu();
    for (Menu* item : root.items()) {
        if (!item->visible()) continue;
        if (item->separator()) {
            out->AppendSeparator();
            continue;
        }
        int id = wxWindow::NewControlId();
        ids[id] = item;
        wxMenuItem* added = nullptr;
        if (!item->items().empty())
            added = out->AppendSubMenu(buildPopup(*item, ids), labelOf(*item));
        else
            added = out->Append(id, labelOf(*item), wxEmptyString,
                                item->checked() ? wxITEM_CHECK : wxITEM_NORMAL);
        if (item->checked() && added->IsCheckable()) added->Check(true);
        added->Enable(item->enabled());
    }
    return out;
}

} // namespace kv::ui::wx::internal
