// frmMain's folder tree: the folders it holds and what a click on one does.

#include "client/app/commands.h"
#include "client/app/frm_main.h"
#include "client/app/list_display.h"
#include "client/app/numeric_text.h"
#include "client/app/setting_conversions.h"

#include <cstdint>
#include <exception>
#include <string>

namespace kv::app {

void frmMain::buildFolderTree() {
    tvTreeView.clear();
    struct Folder {
        const char* text;
        const char* key;
        const char* parent; // nullptr: top level
        int icon;
        int ensureVisible; // how many times the node is scrolled into view
    };
    static constexpr Folder kFolders[] = {
        {"All Snipes", "k0", nullptr, 14, 0},
        {"Active snipes", "k1", "k0", 9, 1},
        {"Successful snipes", "k2", "k0", 15, 1},
        {"Failed snipes", "k3", "k0", 16, 0},
        {"Cancelled snipes", "k5", "k0", 17, 1},
        {"", "", nullptr, 0, 0}, // separates the snipe folders from the My eBay ones
        {"My eBay", "myebay", nullptr, 18, 0},
        {"Items I'm Watching", "k10", "myebay", 10, 1},
        {"Items I'm Bidding On", "k11", "myebay", 19, 2},
    };
    for (const Folder& f : kFolders) {
        int parent = -1;
        if (f.parent) {
            parent = tvTreeView.find(f.parent);
            if (parent < 0) continue; // a child whose parent is missing is skipped
        }
        int node = tvTreeView.addNode(f.text, f.key, parent, f.icon);
        if (node < 0) continue;
        for (int i = 0; i < f.ensureVisible; ++i)
            tvTreeView.ensureVisible(node);
    }
    tvTreeView.setSelectedIndex(-1);
}

namespace {

// The two folders that hold the others: "All Snipes" and "My eBay".
constexpr int kAllSnipesNode = 0;
constexpr int kMyEbayNode = 6;

void expandHolders(kv::ui::TreeView& tree) {
    tree.setExpanded(kAllSnipesNode, true);
    tree.setExpanded(kMyEbayNode, true);
}

} // namespace

// "myebay" asks the import question again; a status folder ("k1"...) lists its snipes,
// keeping the grouping, in place of the browser pane. Other nodes load nothing.
void frmMain::tvTreeView_Click() {
    setMousePointer(kv::ui::MousePointer::Hourglass);
    try {
        expandHolders(tvTreeView);
        const int selected = tvTreeView.selectedIndex();
        const std::string key = selected < 0 ? std::string() : tvTreeView.node(selected).key;
        if (key == "myebay") {
            check_import(true);
        } else if (key.size() > 1 && isNumeric(std::string_view(key).substr(1))) {
            const auto value = toInteger(std::string_view(key).substr(1));
            if (value) {
                std::int16_t status = *value;
                std::int16_t groupBy = -1;
                refreshAuctionList(status, groupBy);
                wb1Show(false);
                sbStatusBar.setPanelText(1, "Currently viewing " + tvTreeView.node(selected).text);
            }
        }
    } catch (const std::exception&) {}
    setMousePointer(kv::ui::MousePointer::Default);
}

void frmMain::tvTreeView_KeyPress(int& keyAscii) {
    if (keyAscii == kv::ui::kKeyReturn) tvTreeView_Click();
}

// A double click never leaves the two holding folders collapsed.
void frmMain::tvTreeView_DblClick() {
    const int selected = tvTreeView.selectedIndex();
    if (selected >= 0) tvTreeView.setExpanded(selected, true);
    expandHolders(tvTreeView);
}

} // namespace kv::app
