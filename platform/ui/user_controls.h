#pragma once
// What the user does with list views, tree views, menus, toolbars and tab strips (see
// user_input.h): each checks that the user could do it, then raises the events the
// platform raises, in its order. Each returns false when the user could not.

#include "platform/ui/bars.h"
#include "platform/ui/list_view.h"
#include "platform/ui/menu.h"
#include "platform/ui/tab_strip.h"
#include "platform/ui/tree_view.h"
#include "platform/ui/web_browser.h"

namespace kv::ui::user {

// Presses and releases a mouse button on the control (mouse down, then mouse up).
bool mouseClick(Control& control, const MouseEvent& event);
// Clicks a row: selects it, then the item-click and click events.
bool clickRow(ListView& list, int row);
// Clicks a row, then the double-click event.
bool doubleClickRow(ListView& list, int row);
// Ticks or clears a row's check box: the item-check event when the state changes.
bool checkRow(ListView& list, int row, bool on);
// Clicks a column title: the column-click event (the list re-sorts only if told to).
bool clickColumn(ListView& list, int column);
// Clicks a node that can be seen: selects it, then the node-click and click events.
bool clickNode(TreeView& tree, int node);
// Clicks a node, toggles its expansion when it has children, then the double-click event.
bool doubleClickNode(TreeView& tree, int node);
// Picks a menu item (from the menu bar, or from the pop-up menu `popupRoot` now shown):
// its click event.
bool pickMenu(Menu& item, const Menu* popupRoot = nullptr);
// Clicks an enabled, visible toolbar button (not a separator): a check-style button
// toggles its pressed state; then the button-click event.
bool clickButton(Toolbar& bar, int button);
// Clicks a tab: selects it, then mouse down, click and mouse up.
bool selectTab(TabStrip& tabs, int tab);
// Right-clicks the page shown in a browser: the document's context-menu event.
bool rightClickPage(WebBrowser& browser);

} // namespace kv::ui::user
