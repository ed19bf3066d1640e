#pragma once
// frmMain: the main window: the folder tree, the snipe list, the browser panes, the two
// dividers, the search bar, both toolbars, the status bar, the timers, the menu bar and
// the context menu. Loaded once per run (mainForm() in startup.h).

#include "platform/ui/bars.h"
#include "platform/ui/buttons.h"
#include "platform/ui/form.h"
#include "platform/ui/image_list.h"
#include "platform/ui/list_view.h"
#include "platform/ui/lists.h"
#include "platform/ui/menu.h"
#include "platform/ui/pictures.h"
#include "platform/ui/tab_strip.h"
#include "platform/ui/text_controls.h"
#include "platform/ui/timer.h"
#include "platform/ui/tree_view.h"
#include "platform/ui/web_browser.h"

#include <cstdint>
#include <functional>
#include <string>

namespace kv::app {

class frmMain : public kv::ui::Form {
public:
    frmMain();

    kv::ui::ImageList& imlToolbarIcons = add<kv::ui::ImageList>("imlToolbarIcons");
    // The snipe list's column-title arrows: 1 ascending, 2 descending.
    kv::ui::ImageList& imlColumnArrows = add<kv::ui::ImageList>("imlColumnArrows");
    // The main toolbar (16 buttons, separators included) and the one-button snipe toolbar,
    // shown only while an auction is identified.
    kv::ui::Toolbar& tbToolbar = add<kv::ui::Toolbar>("tbToolbar");
    kv::ui::Toolbar& tbSnipe = add<kv::ui::Toolbar>("tbSnipe");
    kv::ui::TreeView& tvTreeView = add<kv::ui::TreeView>("tvTreeView");
    kv::ui::ListView& lvListView = add<kv::ui::ListView>("lvListView");
    kv::ui::WebBrowser& wb1 = add<kv::ui::WebBrowser>("wb1"); // the main browser pane
    // The preview pane: wb2 fills previewPane, docked above or below the list.
    kv::ui::PictureBox& previewPane = add<kv::ui::PictureBox>("previewPane");
    kv::ui::WebBrowser& wb2 = add<kv::ui::WebBrowser>("wb2");
    // The tabs above the list: "ebay" shows the browser, "snipes" the list.
    kv::ui::TabStrip& ts1 = add<kv::ui::TabStrip>("ts1");
    // The vertical divider (its left edge is x) and the horizontal one (its top edge is y).
    kv::ui::PictureBox& picSplitter2 = add<kv::ui::PictureBox>("picSplitter2");
    kv::ui::PictureBox& picSplitter4 = add<kv::ui::PictureBox>("picSplitter4");
    // The bar shown at y while a preview is open.
    kv::ui::PictureBox& picSplitter3 = add<kv::ui::PictureBox>("picSplitter3");
    kv::ui::PictureBox& searchBar = add<kv::ui::PictureBox>("searchBar");
    kv::ui::ComboBox& cboSearch = add<kv::ui::ComboBox>("cboSearch");
    // The rest of the search bar: its label and its three picture buttons.
    kv::ui::Label& lblSearch = add<kv::ui::Label>("lblSearch");
    kv::ui::CommandButton& cmdSearch = add<kv::ui::CommandButton>("cmdSearch");
    kv::ui::CommandButton& cmdFavoriteSearches = add<kv::ui::CommandButton>("cmdFavoriteSearches");
    kv::ui::CommandButton& cmdSearchPrefs = add<kv::ui::CommandButton>("cmdSearchPrefs");
    kv::ui::StatusBar& sbStatusBar = add<kv::ui::StatusBar>("sbStatusBar");
    kv::ui::Timer& Timer1 = add<kv::ui::Timer>("Timer1"); // ends the program after an upgrade
    kv::ui::Timer& Timer2 = add<kv::ui::Timer>("Timer2"); // counts minutes for the hourly refresh
    // The vertical divider's ghost while it is dragged; the strip over the collapsed folders
    // pane (a click on it or on its picture reopens the pane); the pane's close button.
    kv::ui::PictureBox& picSplitter1 = add<kv::ui::PictureBox>("picSplitter1");
    kv::ui::PictureBox& picGripper = add<kv::ui::PictureBox>("picGripper");
    kv::ui::PictureBox& Picture2 = add<kv::ui::PictureBox>("Picture2");
    kv::ui::CommandButton& closeFolders = add<kv::ui::CommandButton>("closeFolders");

    // The menu bar, in order, then the context menu (a pop-up only).
    kv::ui::Menu& mnuFile = add<kv::ui::Menu>("mnuFile");
    kv::ui::Menu& mnuAddAuction = add<kv::ui::Menu>("mnuAddAuction");
    kv::ui::Menu& mnuAuctionProperties = add<kv::ui::Menu>("mnuAuctionProperties");
    kv::ui::Menu& mnuAuctionHistory = add<kv::ui::Menu>("mnuAuctionHistory");
    kv::ui::Menu& mnuDeleteAuction = add<kv::ui::Menu>("mnuDeleteAuction");
    kv::ui::Menu& mnuAuctionSelected = add<kv::ui::Menu>("mnuAuctionSelected");
    kv::ui::Menu& mnuSelectedPaid = add<kv::ui::Menu>("mnuSelectedPaid");
    kv::ui::Menu& mnuSelectedReceived = add<kv::ui::Menu>("mnuSelectedReceived");
    kv::ui::Menu& mnuSelectedFeedback = add<kv::ui::Menu>("mnuSelectedFeedback");
    kv::ui::Menu& mnuSelectedDelete = add<kv::ui::Menu>("mnuSelectedDelete");
    kv::ui::Menu& mnuFileBar7 = add<kv::ui::Menu>("mnuFileBar7");
    kv::ui::Menu& mnuFindAuction = add<kv::ui::Menu>("mnuFindAuction");
    kv::ui::Menu& mnuAuctionImport = add<kv::ui::Menu>("mnuAuctionImport");
    kv::ui::Menu& mnuFileBar0 = add<kv::ui::Menu>("mnuFileBar0");
    kv::ui::Menu& mnuAuctionPrint = add<kv::ui::Menu>("mnuAuctionPrint");
    kv::ui::Menu& mnuFileBar3 = add<kv::ui::Menu>("mnuFileBar3");
    kv::ui::Menu& mnuLogout = add<kv::ui::Menu>("mnuLogout");
    kv::ui::Menu& mnuFileBar5 = add<kv::ui::Menu>("mnuFileBar5");
    kv::ui::Menu& mnuFileClose = add<kv::ui::Menu>("mnuFileClose");

    kv::ui::Menu& mnuEdit = add<kv::ui::Menu>("mnuEdit");
    kv::ui::Menu& mnuEditUndo = add<kv::ui::Menu>("mnuEditUndo");
    kv::ui::Menu& mnuEditBar0 = add<kv::ui::Menu>("mnuEditBar0");
    kv::ui::Menu& mnuEditCut = add<kv::ui::Menu>("mnuEditCut");
    kv::ui::Menu& mnuEditCopy = add<kv::ui::Menu>("mnuEditCopy");
    kv::ui::Menu& mnuEditPaste = add<kv::ui::Menu>("mnuEditPaste");
    kv::ui::Menu& mnuEditBar1 = add<kv::ui::Menu>("mnuEditBar1");
    kv::ui::Menu& mnuEditSelectAll = add<kv::ui::Menu>("mnuEditSelectAll");

    kv::ui::Menu& mnuView = add<kv::ui::Menu>("mnuView");
    kv::ui::Menu& mnuViewToolbar = add<kv::ui::Menu>("mnuViewToolbar");
    kv::ui::Menu& mnuViewStatusBar = add<kv::ui::Menu>("mnuViewStatusBar");
    kv::ui::Menu& mnuViewBar0 = add<kv::ui::Menu>("mnuViewBar0");
    kv::ui::Menu& mnuViewGroupByBidGroup = add<kv::ui::Menu>("mnuViewGroupByBidGroup");
    kv::ui::Menu& mnuViewGroupBySeller = add<kv::ui::Menu>("mnuViewGroupBySeller");
    kv::ui::Menu& mnuViewBar15 = add<kv::ui::Menu>("mnuViewBar15");
    kv::ui::Menu& mnuViewPaid = add<kv::ui::Menu>("mnuViewPaid");
    kv::ui::Menu& mnuViewReceipted = add<kv::ui::Menu>("mnuViewReceipted");
    kv::ui::Menu& mnuViewBar9 = add<kv::ui::Menu>("mnuViewBar9");
    kv::ui::Menu& mnuViewBrowser = add<kv::ui::Menu>("mnuViewBrowser");
    kv::ui::Menu& mnuViewAuctionList = add<kv::ui::Menu>("mnuViewAuctionList");
    kv::ui::Menu& mnuViewBar1 = add<kv::ui::Menu>("mnuViewBar1");
    kv::ui::Menu& mnuViewRefresh = add<kv::ui::Menu>("mnuViewRefresh");
    kv::ui::Menu& mnuViewOptions = add<kv::ui::Menu>("mnuViewOptions");

    kv::ui::Menu& mnuWatch = add<kv::ui::Menu>("mnuWatch");
    kv::ui::Menu& mnuWatchAdd = add<kv::ui::Menu>("mnuWatchAdd");
    kv::ui::Menu& mnuWatchRm = add<kv::ui::Menu>("mnuWatchRm");
    kv::ui::Menu& mnuWatchBar1 = add<kv::ui::Menu>("mnuWatchBar1");
    // Element 0 of the favourites array stays hidden; loadFavorites loads the others.
    kv::ui::Menu& mnuWatchedItem0 = add<kv::ui::Menu>("mnuWatchedItem", 0);

    kv::ui::Menu& mnuHelp = add<kv::ui::Menu>("mnuHelp");
    kv::ui::Menu& mnuHelpContents = add<kv::ui::Menu>("mnuHelpContents");
    kv::ui::Menu& mnuHelpLicense = add<kv::ui::Menu>("mnuHelpLicense");
    kv::ui::Menu& mnuHelpPrivacy = add<kv::ui::Menu>("mnuHelpPrivacy");
    kv::ui::Menu& mnuHelpDiagnostics = add<kv::ui::Menu>("mnuHelpDiagnostics");
    kv::ui::Menu& mnuHelpBar0 = add<kv::ui::Menu>("mnuHelpBar0");
    kv::ui::Menu& mnuHelpAbout = add<kv::ui::Menu>("mnuHelpAbout");

    kv::ui::Menu& mnuProperties = add<kv::ui::Menu>("mnuProperties");
    kv::ui::Menu& mnuPropBack = add<kv::ui::Menu>("mnuPropBack");
    kv::ui::Menu& mnuPropForward = add<kv::ui::Menu>("mnuPropForward");
    kv::ui::Menu& mnuPropOpen = add<kv::ui::Menu>("mnuPropOpen");
    kv::ui::Menu& mnuPropSelect = add<kv::ui::Menu>("mnuPropSelect");
    kv::ui::Menu& mnuPropSelected = add<kv::ui::Menu>("mnuPropSelected");
    kv::ui::Menu& mnuPropSelectedPaid = add<kv::ui::Menu>("mnuPropSelectedPaid");
    kv::ui::Menu& mnuPropSelectedReceived = add<kv::ui::Menu>("mnuPropSelectedReceived");
    kv::ui::Menu& mnuPropSelectedFeedback = add<kv::ui::Menu>("mnuPropSelectedFeedback");
    kv::ui::Menu& mnuPropSelectedDelete = add<kv::ui::Menu>("mnuPropSelectedDelete");
    kv::ui::Menu& mnuPropS0 = add<kv::ui::Menu>("mnuPropS0");
    kv::ui::Menu& mnuPropUndo = add<kv::ui::Menu>("mnuPropUndo");
    kv::ui::Menu& mnuPropCut = add<kv::ui::Menu>("mnuPropCut");
    kv::ui::Menu& mnuPropCopy = add<kv::ui::Menu>("mnuPropCopy");
    kv::ui::Menu& mnuPropPaste = add<kv::ui::Menu>("mnuPropPaste");
    kv::ui::Menu& mnuPropSelectAll = add<kv::ui::Menu>("mnuPropSelectAll");
    kv::ui::Menu& mnuPropS1 = add<kv::ui::Menu>("mnuPropS1");
    kv::ui::Menu& mnuPropAdd = add<kv::ui::Menu>("mnuPropAdd");
    kv::ui::Menu& mnuPropEdit = add<kv::ui::Menu>("mnuPropEdit");
    kv::ui::Menu& mnuPropHistory = add<kv::ui::Menu>("mnuPropHistory");
    kv::ui::Menu& mnuPropDelete = add<kv::ui::Menu>("mnuPropDelete");
    kv::ui::Menu& mnuPropFavorites = add<kv::ui::Menu>("mnuPropFavorites");
    kv::ui::Menu& mnuPropS4 = add<kv::ui::Menu>("mnuPropS4");
    kv::ui::Menu& mnuPropPrint = add<kv::ui::Menu>("mnuPropPrint");
    kv::ui::Menu& mnuPropRefresh = add<kv::ui::Menu>("mnuPropRefresh");
    kv::ui::Menu& mnuPropS2 = add<kv::ui::Menu>("mnuPropS2");
    kv::ui::Menu& mnuPropProperties = add<kv::ui::Menu>("mnuPropProperties");

    // Minutes counted by Timer2 since the last hourly refresh.
    std::int16_t refreshTicks = 0;
    // Preview placement: 0 none, 1 above the list, 2 below it.
    std::int16_t previewMode = 0;
    // Double-click on a row edits the snipe (else it opens the auction's page).
    bool clickToEdit = false;
    // The browser panes' home page.
    std::string homeUrl;

    // Reads the window's settings and applies them; a value that does not convert leaves
    // its property as it was.
    void getSettings();
    // Refills the search box's favourite rows from the settings, keeping its text.
    void GetFavoriteSearches();
    // Appends the search preference stored under setting to the search address uri:
    // "&<setting>=<encoded value>", a sort code as its sort name, nothing for an empty
    // value, a currency "0" or a category "0".
    void AppendSetting(std::string& uri, const std::string& setting);
    // Lays the window out around the divider positions x and y, writing back the values
    // it used.
    virtual void SizeControls(float& x, float& y);
    // Lays the window out again with both dividers where they are.
    void layOutInPlace();
    // Asks once (or always, with force) whether to import the eBay lists; records the
    // asking. Failing steps are skipped.
    void check_import(bool force);
    // Enables the commands that need one of the user's snipes (never in the eBay-list
    // folders), or disables them.
    void showBidSpecific(bool show);
    // Shows the snipe toolbar and enables the commands that need an auction, or not.
    void showAuctionSpecific(bool show);
    // The auction the user means: from wb1's page while it is shown, else from the
    // selected row once the user clicked one since the last reload. An output with
    // nothing found for it is left as it was.
    void GetSelectedItemNumber(std::string& itemNumber, std::int32_t& bidId, std::int16_t& site);
    // Enables the "Selected" submenus exactly while a row is checked.
    void UpdateCheckedMenus();

    // frm_main_browser.cpp: the browser panes.
    // Shows or hides the pane (every caller passes wb1) and sets the window's commands for
    // the browser view (show) or the list view.
    void wbShow(kv::ui::WebBrowser& wb, bool show);
    void wb1Show(bool show);
    // Binds doc to the shown pane's document (the preview's when both show) and enables the
    // commands for the auction that pane shows.
    void wbRefresh();

private:
    // frm_main.cpp: the window's own events.
    void Form_Load();
    void Form_Resize();
    void Form_Paint();
    void Form_Unload(int& cancel);
    // frm_main_design.cpp: the toolbars', timers' and menus' design.
    void applyBarsAndMenusDesign();
    // frm_main_settings.cpp
    void SaveWindowSettings();
    // frm_main_layout.cpp: the dividers' and folders pane's design and handlers, the drags.
    bool dragging = false; // a divider is pressed and not yet released
    void applyLayoutDesign();
    void picSplitter2_MouseDown(const kv::ui::MouseEvent& event);
    void picSplitter2_MouseMove(const kv::ui::MouseEvent& event);
    void picSplitter2_MouseUp(const kv::ui::MouseEvent& event);
    void picSplitter4_MouseDown(const kv::ui::MouseEvent& event);
    void picSplitter4_MouseMove(const kv::ui::MouseEvent& event);
    void picSplitter4_MouseUp(const kv::ui::MouseEvent& event);
    void closeFolders_Click();
    void picGripper_Click();
    void Picture2_Click();
    // The toolbar's "Folders": reopens the pane while the gripper shows, else collapses it.
    void foldersButton_Click();
    // frm_main_search.cpp: the search bar.
    void applySearchBarDesign();
    void cboSearch_GotFocus();
    void cboSearch_KeyPress(int& keyAscii);
    void cboSearch_Click();
    void cboSearch_Change();
    void cmdSearch_Click();
    void cmdFavoriteSearches_Click();
    void cmdSearchPrefs_Click();
    // Whether the search text is one to search for; else the request for one, the focus
    // in the box.
    bool haveSearchText();
    // frm_main_tree.cpp: the folder tree.
    void buildFolderTree();
    void tvTreeView_Click();
    void tvTreeView_KeyPress(int& keyAscii);
    void tvTreeView_DblClick();
    // frm_main_list.cpp: the snipe list.
    void lvListView_Click();
    void lvListView_KeyPress(int& keyAscii);
    void lvListView_DblClick();
    void lvListView_ItemCheck(int row);
    void lvListView_MouseDown(const kv::ui::MouseEvent& event);
    void lvListView_ColumnClick(int column);
    void mnuPropSelect_Click();
    // frm_main_snipe.cpp: changing the selected snipe and opening the selected auction.
    void mnuAuctionProperties_Click();
    void OpenSelectedAuction();
    void mnuPropOpen_Click();
    // frm_main_browser.cpp: the browser panes, their commands and the tab strip.
    kv::ui::WebBrowser* doc = nullptr; // the pane whose document wbRefresh bound last
    bool paneShown(const kv::ui::WebBrowser& pane) const;
    bool doc_oncontextmenu();
    void wb1_NavigateComplete2();
    void wb2_NavigateComplete2();
    void ts1_MouseUp(const kv::ui::MouseEvent& event);
    // Opens the address in wb1 and shows the browser.
    void openInBrowser(const std::string& url, int flags);
    // Runs the command on every shown pane, wb1 first.
    void forEachShownPane(const std::function<void(kv::ui::WebBrowser&)>& command);
    // Back, forward, stop, reload and print on every shown pane, wb1 first, errors ignored.
    void browserBack();
    void browserForward();
    void browserStop();
    void browserReload();
    void browserPrint();
    // Sends an edit command (undo, cut, copy, paste, select all) to wb1 while it is shown;
    // false while the list is shown, where the item's list action applies.
    bool browserEditCommand(int command);
    // Runs a toolbar button of the browser side (Back to Home, Preview, Search); false for
    // any other key.
    bool browserToolbarButton(const std::string& key);
    void mnuFindAuction_Click();
    void mnuAuctionPrint_Click();
    void mnuWatchedItem_Click(std::int16_t index);
    void mnuHelpContents_Click();
    void mnuHelpPrivacy_Click();
    void mnuPropBack_Click();
    void mnuPropForward_Click();
    // frm_main_preview.cpp: the preview pane.
    void ShowPreviewPane();
    void HidePreviewPane();
    void previewButton_Click();
    // frm_main_menus.cpp: the menu items and timers.
    void mnuAuctionImport_Click();
    void mnuLogout_Click();
    void mnuHelpAbout_Click();
    void Timer1_Timer();
    // frm_main_actions.cpp: the Auction menu's snipe and selection commands, "&Close" and the
    // two toolbars (the context menu's twins run these handlers).
    void mnuAddAuction_Click();
    void mnuAuctionHistory_Click();
    void mnuDeleteAuction_Click();
    void mnuSelectedPaid_Click();
    void mnuSelectedReceived_Click();
    void mnuSelectedFeedback_Click();
    void mnuSelectedDelete_Click();
    void applyToCheckedRows(const std::string& command);
    void mnuFileClose_Click();
    void tbToolbar_ButtonClick(int button);
    void tbSnipe_ButtonClick(int button);
    // frm_main_view.cpp: the View menu and the hourly refresh.
    void mnuViewToolbar_Click();
    void mnuViewStatusBar_Click();
    void mnuViewGroupByBidGroup_Click();
    void mnuViewGroupBySeller_Click();
    void mnuViewPaid_Click();
    void mnuViewReceipted_Click();
    void mnuViewBrowser_Click();
    void mnuViewAuctionList_Click();
    void mnuViewRefresh_Click();
    void mnuViewOptions_Click();
    void Timer2_Timer();
    // frm_main_favorites.cpp: adding and removing favourites.
    void mnuWatchAdd_Click();
    void mnuWatchRm_Click();
    // frm_main_edit.cpp: the Edit items and their context twins (cut and copy ignore
    // errors); the snipe list's copy and select all.
    void mnuEditUndo_Click();
    void mnuEditCut_Click();
    void mnuEditCopy_Click();
    void mnuEditPaste_Click();
    void mnuEditSelectAll_Click();
    void mnuPropCut_Click();
    void mnuPropCopy_Click();
    void CopySelectedRows();
    void selectAllRows();
    // frm_main_help.cpp: the licence and the connection check.
    void mnuHelpLicense_Click();
    void mnuHelpDiagnostics_Click();
};

} // namespace kv::app
