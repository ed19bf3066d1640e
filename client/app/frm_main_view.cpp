// frmMain's View menu: the bars, the grouping, the paid and received filters, the switch
// between list and browser, the refresh and the options; and Timer2's hourly refresh.

#include "client/app/commands.h"
#include "client/app/frm_main.h"
#include "client/app/list_display.h"
#include "client/app/list_state.h"
#include "client/app/options_command.h"

#include <cstdint>
#include <exception>

namespace kv::app {
namespace {

// Inverts the item's check mark; the new mark.
bool toggle(kv::ui::Menu& item) {
    item.setChecked(!item.checked());
    return item.checked();
}

} // namespace

void frmMain::mnuViewToolbar_Click() {
    tbToolbar.setVisible(toggle(mnuViewToolbar));
    layOutInPlace();
}

void frmMain::mnuViewStatusBar_Click() {
    sbStatusBar.setVisible(toggle(mnuViewStatusBar));
    layOutInPlace();
}

// Each grouping item clears the other; unchecking it lists the snipes ungrouped.
void frmMain::mnuViewGroupByBidGroup_Click() {
    const bool on = toggle(mnuViewGroupByBidGroup);
    mnuViewGroupBySeller.setChecked(false);
    setCurrentGroupBy(on ? 2 : 0);
    reloadAuctionList();
    wb1Show(false);
}

void frmMain::mnuViewGroupBySeller_Click() {
    const bool on = toggle(mnuViewGroupBySeller);
    mnuViewGroupByBidGroup.setChecked(false);
    setCurrentGroupBy(on ? 1 : 0);
    reloadAuctionList();
    wb1Show(false);
}

void frmMain::mnuViewPaid_Click() {
    setShowPaid(toggle(mnuViewPaid));
    reloadAuctionList();
}

void frmMain::mnuViewReceipted_Click() {
    setShowReceived(toggle(mnuViewReceipted));
    reloadAuctionList();
}

void frmMain::mnuViewBrowser_Click() {
    wb1Show(true);
}

void frmMain::mnuViewAuctionList_Click() {
    wb1Show(false);
}

// The browser view reloads its page only; otherwise the service brings the folder up to
// date and the list is loaded again (after the preview's page, when it is open).
void frmMain::mnuViewRefresh_Click() {
    if (wb1.visible()) {
        wb1.reload();
        return;
    }
    if (paneShown(wb2))
        wb2.reload();
    else
        wb1Show(false);
    refreshAuctions();
    reloadAuctionList();
}

// The window's settings are stored first, so the dialog starts from its current state, and
// read back after it; the preview then goes where they place it.
void frmMain::mnuViewOptions_Click() {
    SaveWindowSettings();
    editOptions(1);
    getSettings();
    ShowPreviewPane();
}

// Every minute; each sixtieth starts the count again and, unless the browser view is on,
// refreshes the folder shown. A skipped hour is not made up.
void frmMain::Timer2_Timer() {
    try {
        ++refreshTicks;
        if (refreshTicks != 60) return;
        refreshTicks = 0;
        if (wb1.visible()) return;
        refreshAuctions();
        reloadAuctionList();
    } catch (const std::exception&) {}
}

} // namespace kv::app
