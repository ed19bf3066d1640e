#include "client/app/frm_main.h"

#include "client/app/favorite_searches.h"
#include "platform/ui/application.h"
#include "platform/ui/design.h"

#include <vector>

namespace kv::app {
namespace {

constexpr int kMinimumWidth = 3000;

} // namespace

frmMain::frmMain() : kv::ui::Form("frmMain") {
    using namespace kv::ui;
    applyDesign({
        {.widget = &wb1, .state = kHidden},
        {.widget = &wb2, .state = kHidden},
        {.widget = &cboSearch, .text = "<Enter your eBay search here>"},
        {.widget = &mnuFile, .caption = "&Auction"},
        {.widget = &mnuAuctionImport, .parent = &mnuFile, .caption = "&Import \"my eBay\""},
        {.widget = &mnuLogout, .parent = &mnuFile, .caption = "&Logout..."},
        {.widget = &mnuView, .caption = "&View"},
        {.widget = &mnuViewPaid,
         .parent = &mnuView,
         .caption = "Show &Paid Auctions",
         .state = kChecked | kDisabled},
        {.widget = &mnuViewReceipted,
         .parent = &mnuView,
         .caption = "Show Receip&ted Auctions",
         .state = kDisabled},
        {.widget = &mnuWatch, .caption = "Favorites"},
        {.widget = &mnuWatchedItem0, .parent = &mnuWatch, .state = kHidden},
        {.widget = &mnuHelp, .caption = "&Help"},
        {.widget = &mnuHelpAbout, .parent = &mnuHelp, .caption = "&About "},
    });
    tvTreeView.setImageList(&imlToolbarIcons);
    lvListView.setIcons(&imlToolbarIcons);
    lvListView.setSmallIcons(&imlToolbarIcons);
    lvListView.setView(ListViewMode::Report);
    Timer1.setEnabled(false);
    Timer1.setInterval(2000);

    onLoad = [this] { Form_Load(); };
    onResize = [this] { Form_Resize(); };
    onPaint = [this] { Form_Paint(); };
    onUnload = [this](int& cancel) { Form_Unload(cancel); };
    tvTreeView.onClick = [this] { tvTreeView_Click(); };
    Timer1.onTimer = [this] { Timer1_Timer(); };
    mnuAuctionImport.onClick = [this] { mnuAuctionImport_Click(); };
    mnuLogout.onClick = [this] { mnuLogout_Click(); };
    mnuHelpAbout.onClick = [this] { mnuHelpAbout_Click(); };
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
