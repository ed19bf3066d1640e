// frmMain's Auction menu: a new snipe, a snipe's history, cancelling it, the commands on the
// checked rows and "&Close"; and the two toolbars.

#include "client/app/commands.h"
#include "client/app/frm_main.h"
#include "client/app/internal/command_support.h"
#include "client/app/list_display.h"
#include "client/app/list_state.h"
#include "client/app/numeric_text.h"
#include "client/app/settings_store.h"
#include "client/app/snipe_commands.h"
#include "platform/ui/application.h"
#include "platform/ui/message_box.h"

#include <cstdint>
#include <string>

namespace kv::app {
namespace {

using internal::WaitCursor;

int ask(const std::string& question) {
    return kv::ui::app().messageBox(question, kv::ui::mb::YesNo, std::string(kProgramTitle));
}

void tell(const std::string& text, unsigned icon) {
    kv::ui::app().messageBox(text, kv::ui::mb::OkOnly | icon, std::string(kProgramTitle));
}

// A copied auction number: numeric text of six characters or more.
constexpr std::size_t kShortestClipboardNumber = 6;

} // namespace

// The auction meant, else a number on the clipboard; a finished snipe's row in the list
// does not prefill the editor. The list is reloaded whatever the editor's outcome.
void frmMain::mnuAddAuction_Click() {
    WaitCursor wait(true);
    std::string itemNumber;
    std::int32_t bidId = 0;
    std::int16_t site = 0;
    GetSelectedItemNumber(itemNumber, bidId, site);
    if (currentStatus() >= 2 && currentStatus() <= 5 && !wb1.visible()) itemNumber.clear();
    if (itemNumber.empty()) {
        const std::string copied = kv::ui::app().clipboardText();
        if (copied.size() >= kShortestClipboardNumber && isNumeric(copied)) itemNumber = copied;
    }
    addSnipe(itemNumber, site);
    reloadAuctionList();
}

void frmMain::mnuAuctionHistory_Click() {
    std::string itemNumber;
    std::int32_t bidId = 0;
    std::int16_t site = 0;
    GetSelectedItemNumber(itemNumber, bidId, site);
    if (!itemNumber.empty() && isNumeric(itemNumber) && bidId >= 1)
        showBidHistory(bidId);
    else
        tell("Please select an auction first.", kv::ui::mb::IconError);
}

void frmMain::mnuDeleteAuction_Click() {
    std::string itemNumber;
    std::int32_t bidId = 0;
    std::int16_t site = 0;
    GetSelectedItemNumber(itemNumber, bidId, site);
    if (bidId < 1) {
        tell("To cancel a snipe, select an auction from the list, then select Cancel fromt the "
             "menu.",
             0);
        return;
    }
    if (ask("Do you wish to cancel the selected Snipe?") != kv::ui::id::Yes) return;
    WaitCursor wait(true);
    cancelSnipe(bidId);
    reloadAuctionList();
}

// Sends command for the checked snipes, then lists the folder again.
void frmMain::applyToCheckedRows(const std::string& command) {
    WaitCursor wait(true);
    applyToSelection(lvListView, command);
    reloadAuctionList();
    wb1Show(false);
}

void frmMain::mnuSelectedPaid_Click() {
    applyToCheckedRows("setpaid");
}

void frmMain::mnuSelectedReceived_Click() {
    applyToCheckedRows("setreceived");
}

void frmMain::mnuSelectedFeedback_Click() {
    if (ask("Do you wish to leave positive eBay feedback for all of the selected auctions?") ==
        kv::ui::id::Yes)
        applyToCheckedRows("dofeedback");
}

void frmMain::mnuSelectedDelete_Click() {
    if (ask("Do you wish to cancel all of the selected Snipes?") == kv::ui::id::Yes)
        applyToCheckedRows("setdeleted");
}

// The window's unload closes the other windows and stores the settings.
void frmMain::mnuFileClose_Click() {
    unload();
}

// By the button's key; a key without a command does nothing.
void frmMain::tbToolbar_ButtonClick(int button) {
    const std::string key = tbToolbar.button(button).key;
    if (key == "Import")
        mnuAuctionImport_Click();
    else if (key == "AddItem")
        mnuAddAuction_Click();
    else if (key == "Properties")
        mnuAuctionProperties_Click();
    else if (key == "Cancel")
        mnuDeleteAuction_Click();
    else if (key == "Folders")
        foldersButton_Click();
    else
        browserToolbarButton(key);
}

void frmMain::tbSnipe_ButtonClick(int button) {
    if (tbSnipe.button(button).key == "Snipe") mnuAddAuction_Click();
}

} // namespace kv::app
