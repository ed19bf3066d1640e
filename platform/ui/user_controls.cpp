#include "platform/ui/user_controls.h"

#include "platform/ui/form.h"
#include "platform/ui/tab_strip.h"
#include "platform/ui/user_input.h"

namespace kv::ui::user {
namespace {

void focus(Control& c) {
    if (c.canFocus()) c.setFocus();
}

template <class F, class... A> void raise(const F& handler, A&&... args) {
    if (handler) handler(std::forward<A>(args)...);
}

} // namespace

bool mouseClick(Control& control, const MouseEvent& event) {
    if (!mouseDown(control, event)) return false;
    mouseUp(control, event);
    return true;
}

bool clickRow(ListView& list, int row) {
    if (!list.reachable() || row < 0 || row >= list.itemCount()) return false;
    focus(list);
    list.setSelectedIndex(row);
    list.raiseItemClick(row);
    raise(list.onClick);
    return true;
}

bool doubleClickRow(ListView& list, int row) {
    if (!clickRow(list, row)) return false;
    raise(list.onDblClick);
    return true;
}

bool checkRow(ListView& list, int row, bool on) {
    if (!list.reachable() || !list.checkBoxes() || row < 0 || row >= list.itemCount()) return false;
    focus(list);
    if (list.checked(row) == on) return true;
    list.setChecked(row, on);
    list.raiseItemCheck(row);
    return true;
}

bool clickColumn(ListView& list, int column) {
    if (!list.reachable() || list.view() != ListViewMode::Report || column < 0 ||
        column >= list.columnCount())
        return false;
    list.raiseColumnClick(column);
    return true;
}

bool clickNode(TreeView& tree, int node) {
    if (!tree.reachable() || !tree.nodeVisible(node)) return false;
    focus(tree);
    tree.setSelectedIndex(node);
    tree.raiseNodeClick(node);
    raise(tree.onClick);
    return true;
}

bool doubleClickNode(TreeView& tree, int node) {
    if (!clickNode(tree, node)) return false;
    if (!tree.node(node).children.empty()) tree.setExpanded(node, !tree.node(node).expanded);
    raise(tree.onDblClick);
    return true;
}

bool pickMenu(Menu& item, const Menu* popupRoot) {
    if (!item.pickable(popupRoot) || !item.items().empty()) return false;
    item.click();
    return true;
}

bool clickButton(Toolbar& bar, int button) {
    const ToolButton& b = bar.button(button);
    if (!bar.reachable() || button < 1 || button > bar.buttonCount() || !b.enabled || !b.visible ||
        b.style == ToolButtonStyle::Separator)
        return false;
    if (b.style == ToolButtonStyle::Check) bar.setButtonPressed(button, !b.pressed);
    bar.raiseButtonClick(button);
    return true;
}

bool selectTab(TabStrip& tabs, int tab) {
    if (!tabs.reachable() || tab < 1 || tab > tabs.tabCount()) return false;
    focus(tabs);
    tabs.setSelectedIndex(tab);
    MouseEvent e;
    raise(tabs.onMouseDown, e);
    raise(tabs.onClick);
    raise(tabs.onMouseUp, e);
    return true;
}

bool rightClickPage(WebBrowser& browser) {
    if (!browser.reachable() || !browser.document().loaded) return false;
    browser.raiseDocumentContextMenu();
    return true;
}

} // namespace kv::ui::user
