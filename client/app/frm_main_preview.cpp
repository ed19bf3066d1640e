// frmMain's preview pane: wb2 in previewPane, docked above or below the list by
// previewMode and showing the selected auction's page, and the toolbar's "Preview" toggle.

#include "client/app/frm_main.h"
#include "client/app/numeric_text.h"
#include "client/app/setting_conversions.h"
#include "client/app/settings_store.h"
#include "client/app/site_pages.h"

#include <exception>

namespace kv::app {
// Without a numeric item the pane stays as it is; the button shows pressed either way.
void frmMain::ShowPreviewPane() {
    if (previewMode == 1) {
        previewPane.setAlign(kv::ui::Align::Top);
    } else if (previewMode == 2) {
        previewPane.setAlign(kv::ui::Align::Bottom);
    } else {
        HidePreviewPane();
        return;
    }
    try {
        std::string itemNumber;
        std::int32_t bidId = 0;
        std::int16_t site = 0;
        GetSelectedItemNumber(itemNumber, bidId, site);
        if (isNumeric(itemNumber)) {
            wb2.navigate(itemPageUrl(itemNumber), kv::ui::nav::NoReadFromCache);
            previewPane.setVisible(true);
            picSplitter3.setVisible(true);
            picSplitter4.setVisible(true);
            layOutInPlace();
        }
    } catch (const std::exception&) {}
    tbToolbar.setButtonPressed(tbToolbar.find("Preview"), true);
}

void frmMain::HidePreviewPane() {
    previewPane.setVisible(false);
    previewPane.resize(previewPane.width(), 0);
    picSplitter3.setVisible(false);
    picSplitter4.setVisible(false);
    layOutInPlace();
    tbToolbar.setButtonPressed(tbToolbar.find("Preview"), false);
}

// Opens the preview where the settings place it (below the list when they place it
// nowhere), or closes it. A stored value that does not convert counts as none.
void frmMain::previewButton_Click() {
    if (previewMode < 1) {
        previewMode = toInteger(getSetting("ShowPreview", "0")).value_or(0);
        if (previewMode < 1) previewMode = 2;
    } else {
        previewMode = 0;
    }
    ShowPreviewPane();
    layOutInPlace();
}

} // namespace kv::app
