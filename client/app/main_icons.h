#pragma once
// The main window's icon list: the pictures of the toolbars' buttons, the folder tree's
// nodes and the snipe list's rows, by their fixed numbers; and the list's column arrows.

#include "platform/ui/image_list.h"

namespace kv::app {

// The numbers of the toolbar pictures in the icon list (the tree's and rows' numbers are
// the folders' and statuses' own: 9, 10 and 14 to 19).
enum MainIcon {
    kIconBack = 1,
    kIconForward = 2,
    kIconStop = 3,
    kIconReload = 4,
    kIconHome = 5,
    kIconPreview = 6,
    kIconFolders = 7,
    kIconImport = 8,
    kIconAddItem = 11,
    kIconProperties = 12,
    kIconCancel = 13,
    kIconSearch = 20,
    kIconSnipe = 21,
    kIconWebTab = 22,    // the tab strip's "ebay" tab (the browser)
    kIconSnipesTab = 23, // its "snipes" tab (the list)
};

// Fills the list with the 23 pictures (16 x 16 pixels, transparent around the drawing).
void fillMainIcons(kv::ui::ImageList& list);
// Fills the list with the column titles' arrows: 1 ascending, 2 descending.
void fillColumnArrows(kv::ui::ImageList& list);

} // namespace kv::app
