#include "client/app/frm_main.h"

#include "client/app/favorite_searches.h"
#include "client/app/main_icons.h"
#include "platform/ui/application.h"
#include "platform/ui/design.h"

#include <initializer_list>
#include <vector>

namespace kv::app {
namespace {

constexpr int kMinimumWidth = 3000;

} // namespace

frmMain::frmMain() : kv::ui::Form("frmMain") {
    using namespace kv::ui;
    applyDesign({
        {.widget = &wb1, .state = kHidden},
        {.widget = &previewPane, .state = kHidden},
        {.widget = &wb2, .parent = &previewPane},
        {.widget = &picSplitter3, .state = kHidden},
    });
    applyBarsAndMenusDesign();
    applyLayoutDesign();
    applySearchBarDesign();
    tvTreeView.setImageList(&imlToolbarIcons);
    lvListView.setIcons(&imlToolbarIcons);
    lvListView.setSmallIcons(&imlToolbarIcons);
    lvListView.setView(ListViewMode::Report);
    lvListView.setCheckBoxes(true);
    previewPane.setAlign(Align::Bottom); // hidden, height 0, until a preview opens
    ts1.setImageList(&imlToolbarIcons);
    ts1.addTab({.tag = "ebay", .toolTip = "Show web browser", .image = kIconWebTab});
    ts1.addTab({.tag = "snipes", .toolTip = "Show Snipes", .image = kIconSnipesTab});

    // The window.
    onLoad = [this] { Form_Load(); };
    onResize = [this] { Form_Resize(); };
    onPaint = [this] { Form_Paint(); };
    onUnload = [this](int& cancel) { Form_Unload(cancel); };
    Timer1.onTimer = [this] { Timer1_Timer(); };
    Timer2.onTimer = [this] { Timer2_Timer(); };
    // The folder tree.
    tvTreeView.onClick = [this] { tvTreeView_Click(); };
    tvTreeView.onKeyPress = [this](int& key) { tvTreeView_KeyPress(key); };
    tvTreeView.onDblClick = [this] { tvTreeView_DblClick(); };
    // The snipe list.
    lvListView.onClick = [this] { lvListView_Click(); };
    lvListView.onKeyPress = [this](int& key) { lvListView_KeyPress(key); };
    lvListView.onDblClick = [this] { lvListView_DblClick(); };
    lvListView.onItemCheck = [this](int row) { lvListView_ItemCheck(row); };
    lvListView.onMouseDown = [this](const MouseEvent& e) { lvListView_MouseDown(e); };
    lvListView.onColumnClick = [this](int column) { lvListView_ColumnClick(column); };
    // The browser panes and the tab strip.
    wb1.onNavigateComplete = [this](const std::string&) { wb1_NavigateComplete2(); };
    wb2.onNavigateComplete = [this](const std::string&) { wb2_NavigateComplete2(); };
    // Every shown pane's page gets the program's menu, also the one whose document was not
    // bound last (wb1 after the preview beside it closed), never the page's own.
    wb1.onDocumentContextMenu = [this] { return doc_oncontextmenu(); };
    wb2.onDocumentContextMenu = [this] { return doc_oncontextmenu(); };
    ts1.onMouseUp = [this](const MouseEvent& e) { ts1_MouseUp(e); };
    // The Auction menu.
    mnuAuctionProperties.onClick = [this] { mnuAuctionProperties_Click(); };
    mnuAuctionImport.onClick = [this] { mnuAuctionImport_Click(); };
    mnuLogout.onClick = [this] { mnuLogout_Click(); };
    mnuAddAuction.onClick = [this] { mnuAddAuction_Click(); };
    mnuAuctionHistory.onClick = [this] { mnuAuctionHistory_Click(); };
    mnuDeleteAuction.onClick = [this] { mnuDeleteAuction_Click(); };
    mnuSelectedPaid.onClick = [this] { mnuSelectedPaid_Click(); };
    mnuSelectedReceived.onClick = [this] { mnuSelectedReceived_Click(); };
    mnuSelectedFeedback.onClick = [this] { mnuSelectedFeedback_Click(); };
    mnuSelectedDelete.onClick = [this] { mnuSelectedDelete_Click(); };
    mnuFileClose.onClick = [this] { mnuFileClose_Click(); };
    mnuFindAuction.onClick = [this] { mnuFindAuction_Click(); };
    mnuAuctionPrint.onClick = [this] { mnuAuctionPrint_Click(); };
    // The Edit menu.
    mnuEditUndo.onClick = [this] { mnuEditUndo_Click(); };
    mnuEditCut.onClick = [this] { mnuEditCut_Click(); };
    mnuEditCopy.onClick = [this] { mnuEditCopy_Click(); };
    mnuEditPaste.onClick = [this] { mnuEditPaste_Click(); };
    mnuEditSelectAll.onClick = [this] { mnuEditSelectAll_Click(); };
    // The View menu.
    mnuViewToolbar.onClick = [this] { mnuViewToolbar_Click(); };
    mnuViewStatusBar.onClick = [this] { mnuViewStatusBar_Click(); };
    mnuViewGroupByBidGroup.onClick = [this] { mnuViewGroupByBidGroup_Click(); };
    mnuViewGroupBySeller.onClick = [this] { mnuViewGroupBySeller_Click(); };
    mnuViewPaid.onClick = [this] { mnuViewPaid_Click(); };
    mnuViewReceipted.onClick = [this] { mnuViewReceipted_Click(); };
    mnuViewBrowser.onClick = [this] { mnuViewBrowser_Click(); };
    mnuViewAuctionList.onClick = [this] { mnuViewAuctionList_Click(); };
    mnuViewRefresh.onClick = [this] { mnuViewRefresh_Click(); };
    mnuViewOptions.onClick = [this] { mnuViewOptions_Click(); };
    // The Favorites menu.
    mnuWatchAdd.onClick = [this] { mnuWatchAdd_Click(); };
    mnuWatchRm.onClick = [this] { mnuWatchRm_Click(); };
    mnuWatchedItem0.onElementClick = [this](int index) {
        mnuWatchedItem_Click(static_cast<std::int16_t>(index));
    };
    // The Help menu.
    mnuHelpContents.onClick = [this] { mnuHelpContents_Click(); };
    mnuHelpLicense.onClick = [this] { mnuHelpLicense_Click(); };
    mnuHelpPrivacy.onClick = [this] { mnuHelpPrivacy_Click(); };
    mnuHelpDiagnostics.onClick = [this] { mnuHelpDiagnostics_Click(); };
    mnuHelpAbout.onClick = [this] { mnuHelpAbout_Click(); };
    // The context menu.
    mnuPropOpen.onClick = [this] { mnuPropOpen_Click(); };
    mnuPropSelect.onClick = [this] { mnuPropSelect_Click(); };
    mnuPropBack.onClick = [this] { mnuPropBack_Click(); };
    mnuPropForward.onClick = [this] { mnuPropForward_Click(); };
    mnuPropPrint.onClick = [this] { mnuAuctionPrint_Click(); };
    // The context menu's twins of the Auction and View items: their handlers.
    mnuPropAdd.onClick = [this] { mnuAddAuction_Click(); };
    mnuPropEdit.onClick = [this] { mnuAuctionProperties_Click(); };
    mnuPropHistory.onClick = [this] { mnuAuctionHistory_Click(); };
    mnuPropDelete.onClick = [this] { mnuDeleteAuction_Click(); };
    mnuPropSelectedPaid.onClick = [this] { mnuSelectedPaid_Click(); };
    mnuPropSelectedReceived.onClick = [this] { mnuSelectedReceived_Click(); };
    mnuPropSelectedFeedback.onClick = [this] { mnuSelectedFeedback_Click(); };
    mnuPropSelectedDelete.onClick = [this] { mnuSelectedDelete_Click(); };
    mnuPropRefresh.onClick = [this] { mnuViewRefresh_Click(); };
    mnuPropProperties.onClick = [this] { mnuAuctionProperties_Click(); };
    // The context menu's edit items and "Add Auction to Favorites...": their twins'.
    mnuPropUndo.onClick = [this] { mnuEditUndo_Click(); };
    mnuPropCut.onClick = [this] { mnuPropCut_Click(); };
    mnuPropCopy.onClick = [this] { mnuPropCopy_Click(); };
    mnuPropPaste.onClick = [this] { mnuEditPaste_Click(); };
    mnuPropSelectAll.onClick = [this] { mnuEditSelectAll_Click(); };
    mnuPropFavorites.onClick = [this] { mnuWatchAdd_Click(); };
    // The search bar.
    cboSearch.onGotFocus = [this] { cboSearch_GotFocus(); };
    cboSearch.onKeyPress = [this](int& key) { cboSearch_KeyPress(key); };
    cboSearch.onClick = [this] { cboSearch_Click(); };
    cboSearch.onChange = [this] { cboSearch_Change(); };
    cmdSearch.onClick = [this] { cmdSearch_Click(); };
    cmdFavoriteSearches.onClick = [this] { cmdFavoriteSearches_Click(); };
    cmdSearchPrefs.onClick = [this] { cmdSearchPrefs_Click(); };
    // The toolbars.
    tbToolbar.onButtonClick = [this](int button) { tbToolbar_ButtonClick(button); };
    tbSnipe.onButtonClick = [this](int button) { tbSnipe_ButtonClick(button); };
}

void frmMain::GetFavoriteSearches() {
    fillFavoriteSearches(cboSearch);
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
    layOutInPlace();
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
