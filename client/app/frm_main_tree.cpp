// frmMain's folder tree: the folders it holds and what a click on one does.

#include "client/app/commands.h"
#include "client/app/frm_main.h"
#include "client/app/list_display.h"

#include <cstdint>
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

// As far as start-up and the demo need it: "myebay" asks the import question again, a
// status folder ("k1"...) lists its snipes in place of the browser pane.
void frmMain::tvTreeView_Click() {
    setMousePointer(kv::ui::MousePointer::Hourglass);
    const int selected = tvTreeView.selectedIndex();
    const std::string key = selected < 0 ? std::string() : tvTreeView.node(selected).key;
    if (key == "myebay") {
        check_import(true);
    } else if (key.size() > 1 && key.find_first_not_of("0123456789", 1) == std::string::npos) {
        std::int16_t status = static_cast<std::int16_t>(std::stoi(key.substr(1)));
        std::int16_t groupBy = -1;
        refreshAuctionList(status, groupBy);
        wb1Show(false);
    }
    setMousePointer(kv::ui::MousePointer::Default);
}

} // namespace kv::app
