#include "client/app/frm_main.h"

#include "client/app/favorite_searches.h"
#include "platform/ui/application.h"

#include <vector>

namespace kv::app {
namespace {

constexpr int kMinimumWidth = 3000;

} // namespace

frmMain::frmMain()
    : kv::ui::Form("frmMain"), imlToolbarIcons(add<kv::ui::ImageList>("imlToolbarIcons")),
      tvTreeView(add<kv::ui::TreeView>("tvTreeView")),
      lvListView(add<kv::ui::ListView>("lvListView")),
      picSplitter2(add<kv::ui::PictureBox>("picSplitter2")),
      picSplitter4(add<kv::ui::PictureBox>("picSplitter4")),
      cboSearch(add<kv::ui::ComboBox>("cboSearch")), mnuView(add<kv::ui::Menu>("mnuView")),
      mnuViewPaid(add<kv::ui::Menu>("mnuViewPaid", -1, &mnuView)),
      mnuViewReceipted(add<kv::ui::Menu>("mnuViewReceipted", -1, &mnuView)) {
    tvTreeView.setImageList(&imlToolbarIcons);
    lvListView.setIcons(&imlToolbarIcons);
    lvListView.setSmallIcons(&imlToolbarIcons);
    lvListView.setView(kv::ui::ListViewMode::Report);
    cboSearch.setText("<Enter your eBay search here>");
    mnuView.setCaption("&View");
    mnuViewPaid.setCaption("Show &Paid Auctions");
    mnuViewPaid.setChecked(true);
    mnuViewPaid.setEnabled(false);
    mnuViewReceipted.setCaption("Show Receip&ted Auctions");
    mnuViewReceipted.setEnabled(false);

    onLoad = [this] { Form_Load(); };
    onResize = [this] { Form_Resize(); };
    onPaint = [this] { Form_Paint(); };
    onUnload = [this](int& cancel) { Form_Unload(cancel); };
}

void frmMain::GetFavoriteSearches() {
    fillFavoriteSearches(cboSearch);
}

void frmMain::SizeControls(float&, float&) {
    // The layout rules come with the main window's layout.
}

void frmMain::Form_Load() {
    getSettings();
    buildFolderTree();
    GetFavoriteSearches();
}

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

void frmMain::Form_Resize() {
    // A minimised or maximised window cannot be sized; the layout keeps its state then.
    if (windowState() == kv::ui::WindowState::Normal && width() < kMinimumWidth)
        resize(kMinimumWidth, height());
    float x = static_cast<float>(picSplitter2.left());
    float y = static_cast<float>(picSplitter4.top());
    SizeControls(x, y);
}

void frmMain::Form_Paint() {
    lvListView.setView(kv::ui::ListViewMode::Report);
}

void frmMain::Form_Unload(int&) {
    // Every other loaded window, the newest first; one that refuses to unload stays.
    std::vector<kv::ui::Form*> forms = kv::ui::app().forms();
    for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
        kv::ui::Form* f = *it;
        if (f == this || !f->loaded()) continue;
        f->unload();
    }
    SaveWindowSettings();
}

} // namespace kv::app
