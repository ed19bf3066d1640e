#pragma once
// frmMain: the main window, with the controls its settings, load and unload touch: the
// folder tree, the snipe list and their icon list, the two dividers, the search box and
// the View menu's filter items. Loaded once per run through app().form<frmMain>().

#include "platform/ui/form.h"
#include "platform/ui/image_list.h"
#include "platform/ui/list_view.h"
#include "platform/ui/lists.h"
#include "platform/ui/menu.h"
#include "platform/ui/pictures.h"
#include "platform/ui/tree_view.h"

#include <cstdint>
#include <string>

namespace kv::app {

class frmMain : public kv::ui::Form {
public:
    frmMain();

    kv::ui::ImageList& imlToolbarIcons;
    kv::ui::TreeView& tvTreeView;
    kv::ui::ListView& lvListView;
    // The vertical divider (its left edge is x) and the horizontal one (its top edge is y).
    kv::ui::PictureBox& picSplitter2;
    kv::ui::PictureBox& picSplitter4;
    kv::ui::ComboBox& cboSearch;
    kv::ui::Menu& mnuView;
    kv::ui::Menu& mnuViewPaid;
    kv::ui::Menu& mnuViewReceipted;

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

private:
    void Form_Load();
    void Form_Resize();
    void Form_Paint();
    void Form_Unload(int& cancel);
    void SaveWindowSettings();
    void buildFolderTree();
};

} // namespace kv::app
