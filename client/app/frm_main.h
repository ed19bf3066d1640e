#pragma once
// frmMain: the main window, with the controls its settings, load, unload and start-up
// touch: the folder tree, the snipe list and their icon list, the browser panes, the two
// dividers, the search box, Timer1 and the menu items start-up needs. Loaded once per run
// (mainForm() in startup.h).

#include "platform/ui/form.h"
#include "platform/ui/image_list.h"
#include "platform/ui/list_view.h"
#include "platform/ui/lists.h"
#include "platform/ui/menu.h"
#include "platform/ui/pictures.h"
#include "platform/ui/timer.h"
#include "platform/ui/tree_view.h"
#include "platform/ui/web_browser.h"

#include <cstdint>
#include <string>

namespace kv::app {

class frmMain : public kv::ui::Form {
public:
    frmMain();

    kv::ui::ImageList& imlToolbarIcons = add<kv::ui::ImageList>("imlToolbarIcons");
    kv::ui::TreeView& tvTreeView = add<kv::ui::TreeView>("tvTreeView");
    kv::ui::ListView& lvListView = add<kv::ui::ListView>("lvListView");
    kv::ui::WebBrowser& wb1 = add<kv::ui::WebBrowser>("wb1"); // the main browser pane
    kv::ui::WebBrowser& wb2 = add<kv::ui::WebBrowser>("wb2"); // the preview pane
    // The vertical divider (its left edge is x) and the horizontal one (its top edge is y).
    kv::ui::PictureBox& picSplitter2 = add<kv::ui::PictureBox>("picSplitter2");
    kv::ui::PictureBox& picSplitter4 = add<kv::ui::PictureBox>("picSplitter4");
    kv::ui::ComboBox& cboSearch = add<kv::ui::ComboBox>("cboSearch");
    kv::ui::Timer& Timer1 = add<kv::ui::Timer>("Timer1"); // ends the program after an upgrade

    kv::ui::Menu& mnuFile = add<kv::ui::Menu>("mnuFile");
    kv::ui::Menu& mnuAuctionImport = add<kv::ui::Menu>("mnuAuctionImport");
    kv::ui::Menu& mnuLogout = add<kv::ui::Menu>("mnuLogout");
    kv::ui::Menu& mnuView = add<kv::ui::Menu>("mnuView");
    kv::ui::Menu& mnuViewPaid = add<kv::ui::Menu>("mnuViewPaid");
    kv::ui::Menu& mnuViewReceipted = add<kv::ui::Menu>("mnuViewReceipted");
    kv::ui::Menu& mnuWatch = add<kv::ui::Menu>("mnuWatch");
    // Element 0 of the favourites array stays hidden; loadFavorites loads the others.
    kv::ui::Menu& mnuWatchedItem0 = add<kv::ui::Menu>("mnuWatchedItem", 0);
    kv::ui::Menu& mnuHelp = add<kv::ui::Menu>("mnuHelp");
    kv::ui::Menu& mnuHelpAbout = add<kv::ui::Menu>("mnuHelpAbout");

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
    // Lays the window out around the divider positions x and y, writing back the values
    // it used.
    virtual void SizeControls(float& x, float& y);
    // Asks once (or always, with force) whether to import the eBay lists; records the
    // asking. Failing steps are skipped.
    void check_import(bool force);

private:
    // frm_main.cpp: the window's own events.
    void Form_Load();
    void Form_Resize();
    void Form_Paint();
    void Form_Unload(int& cancel);
    // frm_main_settings.cpp
    void SaveWindowSettings();
    // frm_main_tree.cpp: the folder tree.
    void buildFolderTree();
    void tvTreeView_Click();
    // frm_main_menus.cpp: the menu items and timers.
    void mnuAuctionImport_Click();
    void mnuLogout_Click();
    void mnuHelpAbout_Click();
    void Timer1_Timer();
};

} // namespace kv::app
