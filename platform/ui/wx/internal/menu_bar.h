#pragma once
// A form's menu bar kept in step with its menus one item at a time: a caption, shortcut,
// check mark, enabled or visible state changes the toolkit's item in place, so ids stay
// stable and a menu the user holds open stays open. Pop-up menus are made for one show.

#include "platform/ui/menu.h"

#include <map>
#include <memory>

class wxFrame;
class wxMenu;
class wxMenuItem;

namespace kv::ui::wx::internal {

class MenuBar {
public:
    explicit MenuBar(wxFrame& frame);
    ~MenuBar();
    MenuBar(const MenuBar&) = delete;
    MenuBar& operator=(const MenuBar&) = delete;

    // Shows every menu of the form (the bar stays away while it has no visible title).
    void build(Form& form);
    void added(Menu& menu);
    // The item can no longer be picked from the moment it is removed.
    void removed(Menu& menu);
    void changed(Menu& menu, Property property);
    // The item with that id; nullptr for none (or one removed).
    Menu* item(int id) const;
    // The id of an item shown on the bar; wxID_NONE for none.
    int id(const Menu& menu) const;

    struct Entry;

private:
    Entry* entry(const Menu& menu);
    Entry& entryFor(Menu& menu);
    void show(Menu& menu);
    void hide(Menu& menu);
    void forget(Menu& menu);
    void fillMenu(Menu& menu, wxMenu& out);
    wxMenuItem* makeItem(Menu& menu, wxMenu& parent);
    int titlePosition(const Menu& title) const;
    void showBar();

    wxFrame& frame_;
    Form* form_ = nullptr;
    std::map<const Menu*, std::unique_ptr<Entry>> entries_;
    std::map<int, Menu*> ids_;
};

// A pop-up of `root`'s items (hidden ones too where the root is); `ids` gets each item's id.
// The caller owns the menu and unreserves the ids.
wxMenu* buildPopup(Menu& root, std::map<int, Menu*>& ids);

} // namespace kv::ui::wx::internal
