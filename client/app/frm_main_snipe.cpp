// frmMain's commands on the auction the user means: changing its snipe and opening its
// page in the main browser pane.

#include "client/app/commands.h"
#include "client/app/frm_main.h"
#include "client/app/list_display.h"
#include "client/app/numeric_text.h"
#include "client/app/settings_store.h"
#include "client/app/site_pages.h"
#include "client/app/snipe_commands.h"
#include "platform/ui/application.h"
#include "platform/ui/message_box.h"

#include <exception>

namespace kv::app {

// Does nothing while the item is disabled, however it is reached (toolbar, context menu,
// double click).
void frmMain::mnuAuctionProperties_Click() {
    setMousePointer(kv::ui::MousePointer::Hourglass);
    if (mnuAuctionProperties.enabled()) {
        try {
            std::string itemNumber;
            std::int32_t bidId = 0;
            std::int16_t site = 0;
            GetSelectedItemNumber(itemNumber, bidId, site);
            if (bidId < 1)
                kv::ui::app().messageBox(
                    "To edit a snipe, select an auction from the list, then select Properties.",
                    kv::ui::mb::OkOnly, std::string(kProgramTitle));
            else
                editSnipe(bidId);
        } catch (const std::exception&) {}
        try {
            reloadAuctionList();
        } catch (const std::exception&) {}
    }
    setMousePointer(kv::ui::MousePointer::Default);
}

// The selected row counts even right after a reload.
void frmMain::OpenSelectedAuction() {
    setListJustRefreshed(false);
    std::string itemNumber;
    std::int32_t bidId = 0;
    std::int16_t site = 0;
    GetSelectedItemNumber(itemNumber, bidId, site);
    if (!isNumeric(itemNumber)) return;
    wb1.navigate(itemPageUrl(itemNumber), kv::ui::nav::NoReadFromCache);
    wbShow(wb1, true);
}

void frmMain::mnuPropOpen_Click() {
    OpenSelectedAuction();
}

} // namespace kv::app
