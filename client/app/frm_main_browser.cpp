// frmMain's browser panes: the switch between the list and the browser view with the
// commands it sets, the refresh after every page load, the pages' context menu, the
// browser commands, the fixed pages and the tab strip.

#include "client/app/frm_main.h"
#include "client/app/internal/command_support.h"
#include "client/app/list_display.h"
#include "client/app/list_state.h"
#include "client/app/numeric_text.h"
#include "client/app/site_pages.h"
#include "client/service/service_address.h"

#include <exception>
#include <initializer_list>

namespace kv::app {

namespace cmd = kv::ui::browser_cmd;

// A pane counts as shown while it and its container are visible.
bool frmMain::paneShown(const kv::ui::WebBrowser& pane) const {
    const kv::ui::Control* box = pane.container();
    return pane.visible() && (!box || box->visible());
}

void frmMain::wbShow(kv::ui::WebBrowser& wb, bool show) {
    sbStatusBar.setPanelText(1, "");
    wb.setVisible(show);
    if (show && previewMode != 0) HidePreviewPane(); // the browser view closes the preview
    wbRefresh();
    mnuViewBrowser.setChecked(show);
    mnuViewAuctionList.setChecked(!show);
    mnuAuctionPrint.setEnabled(show);
    mnuAuctionSelected.setEnabled(false);
    mnuPropSelected.setEnabled(false);
    mnuViewGroupBySeller.setEnabled(!show);
    mnuViewGroupByBidGroup.setEnabled(!show);
    for (int button = 2; button <= 6; ++button)
        tbToolbar.setButtonEnabled(button, show);
    if (show) {
        mnuViewBrowser.setEnabled(true);
        ts1.setSelectedIndex(1);
        tbToolbar.refresh();
        mnuViewPaid.setEnabled(false);
        mnuViewReceipted.setEnabled(false);
    } else {
        const bool successful = currentStatus() == 2;
        mnuViewPaid.setEnabled(successful);
        mnuViewReceipted.setEnabled(successful);
        mnuViewAuctionList.setEnabled(true);
        ts1.setSelectedIndex(2);
        tbToolbar.refresh();
    }
    for (kv::ui::Menu* m : {&mnuEditUndo, &mnuEditCut, &mnuEditPaste})
        m->setEnabled(show);
    for (kv::ui::Menu* m : {&mnuPropSelect, &mnuPropOpen, &mnuPropSelected})
        m->setVisible(!show);
    for (kv::ui::Menu* m : {&mnuPropBack, &mnuPropForward})
        m->setVisible(show);
    for (kv::ui::Menu* m : {&mnuPropUndo, &mnuPropCut, &mnuPropPaste, &mnuPropPrint})
        m->setEnabled(show);
    // The focus cannot move while the window is not shown yet; that is ignored.
    if (paneShown(wb1)) wb1.setFocus();
    if (paneShown(wb2)) wb2.setFocus();
}

void frmMain::wb1Show(bool show) {
    wbShow(wb1, show);
}

// A pane without a loaded page leaves doc as it was.
void frmMain::wbRefresh() {
    if (paneShown(wb1) && wb1.document().loaded) doc = &wb1;
    if (paneShown(wb2) && wb2.document().loaded) doc = &wb2;
    try {
        std::string itemNumber;
        std::int32_t bidId = 0;
        std::int16_t site = 0;
        GetSelectedItemNumber(itemNumber, bidId, site);
        showBidSpecific(bidId >= 1);
        showAuctionSpecific(isNumeric(itemNumber));
    } catch (const std::exception&) {}
}

void frmMain::wb1_NavigateComplete2() {
    wbRefresh();
}

void frmMain::wb2_NavigateComplete2() {
    wbRefresh();
}

// The program's context menu in place of the page's own.
bool frmMain::doc_oncontextmenu() {
    mnuProperties.popup();
    return false;
}

void frmMain::ts1_MouseUp(const kv::ui::MouseEvent&) {
    internal::WaitCursor wait(true);
    const std::string tag = ts1.tab(ts1.selectedIndex()).tag;
    if (tag == "ebay") {
        if (wb1.locationURL().find(kMainSiteDomain) == std::string::npos) {
            wb1.navigate(homeUrl, kv::ui::nav::NoReadFromCache);
            wbShow(wb1, true);
        }
        wb1Show(true);
    } else if (tag == "snipes") {
        if (currentStatus() == 0) {
            tvTreeView.setSelectedIndex(1);
            std::int16_t status = 1;
            std::int16_t groupBy = -1;
            refreshAuctionList(status, groupBy);
        }
        wb1Show(false);
    }
}

void frmMain::openInBrowser(const std::string& url, int flags) {
    wb1.navigate(url, flags);
    wbShow(wb1, true);
}

void frmMain::forEachShownPane(const std::function<void(kv::ui::WebBrowser&)>& command) {
    for (kv::ui::WebBrowser* pane : {&wb1, &wb2})
        if (paneShown(*pane)) command(*pane);
}

void frmMain::browserBack() {
    forEachShownPane([](kv::ui::WebBrowser& pane) { pane.goBack(); });
}

void frmMain::browserForward() {
    forEachShownPane([](kv::ui::WebBrowser& pane) { pane.goForward(); });
}

void frmMain::browserStop() {
    forEachShownPane([](kv::ui::WebBrowser& pane) { pane.stop(); });
}

void frmMain::browserReload() {
    forEachShownPane([](kv::ui::WebBrowser& pane) { pane.reload(); });
}

void frmMain::browserPrint() {
    forEachShownPane(
        [](kv::ui::WebBrowser& pane) { pane.execCommand(cmd::Print, cmd::DefaultOption); });
}

// The preview pane never receives edit commands.
bool frmMain::browserEditCommand(int command) {
    if (!paneShown(wb1)) return false;
    wb1.execCommand(command, cmd::DefaultOption);
    return true;
}

bool frmMain::browserToolbarButton(const std::string& key) {
    if (key == "Back")
        browserBack();
    else if (key == "Forward")
        browserForward();
    else if (key == "Stop")
        browserStop();
    else if (key == "Reload")
        browserReload();
    else if (key == "Home") {
        openInBrowser(homeUrl, kv::ui::nav::NoReadFromCache);
        HidePreviewPane();
    } else if (key == "Preview")
        previewButton_Click();
    else if (key == "Search")
        mnuFindAuction_Click();
    else
        return false;
    return true;
}

void frmMain::mnuFindAuction_Click() {
    openInBrowser(advancedSearchUrl(), kv::ui::nav::NoReadFromCache);
}

void frmMain::mnuAuctionPrint_Click() {
    browserPrint();
}

// A favourite's tag is its item number.
void frmMain::mnuWatchedItem_Click(std::int16_t index) {
    const auto* element = find<kv::ui::Menu>("mnuWatchedItem", index);
    if (!element || !isNumeric(element->tag())) return;
    openInBrowser(itemPageUrl(element->tag()), kv::ui::nav::NoReadFromCache);
}

// The service's help and privacy pages are plain addresses, read through the cache.
void frmMain::mnuHelpContents_Click() {
    openInBrowser(kv::service::cgiUrl() + "?cmd=help", 0);
}

void frmMain::mnuHelpPrivacy_Click() {
    openInBrowser(kv::service::cgiUrl() + "?cmd=privacy", 0);
}

void frmMain::mnuPropBack_Click() {
    browserBack();
}

void frmMain::mnuPropForward_Click() {
    browserForward();
}

} // namespace kv::app
