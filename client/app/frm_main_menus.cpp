// frmMain's menu items and timers, and the one-time import question.

#include "client/app/frm_main.h"
#include "client/app/frm_splash.h"
#include "client/app/list_state.h"
#include "client/app/settings_store.h"
#include "client/app/startup.h"
#include "platform/ui/application.h"
#include "platform/ui/message_box.h"

#include <exception>
#include <string>

namespace kv::app {

using kv::ui::app;

void frmMain::check_import(bool force) {
    // Errors are ignored: a failing step is skipped.
    try {
        if (force || getSetting("importmyebay", "0") == "0") {
            const int answer = app().messageBox(
                "Do you want to import your watch list and bids from eBay?",
                kv::ui::mb::YesNoCancel | kv::ui::mb::IconQuestion, std::string(kProgramTitle));
            if (answer == kv::ui::id::Yes) mnuAuctionImport_Click();
        }
    } catch (const std::exception&) {}
    try {
        saveSetting("importmyebay", "1");
    } catch (const std::exception&) {}
}

void frmMain::showBidSpecific(bool show) {
    if (currentStatus() > 9) show = false; // the eBay-list folders hold no snipes
    for (int button : {8, 13, 14})
        tbToolbar.setButtonEnabled(button, show);
    for (kv::ui::Menu* m : {&mnuAuctionProperties, &mnuAuctionHistory, &mnuPropHistory,
                            &mnuPropEdit, &mnuPropDelete, &mnuPropProperties, &mnuDeleteAuction})
        m->setEnabled(show);
}

void frmMain::showAuctionSpecific(bool show) {
    tbSnipe.setVisible(show);
    for (kv::ui::Menu* m :
         {&mnuPropAdd, &mnuPropFavorites, &mnuWatchAdd, &mnuWatchRm, &mnuPropOpen})
        m->setEnabled(show);
}

void frmMain::mnuAuctionImport_Click() {
    setMousePointer(kv::ui::MousePointer::Hourglass);
    if (startupCommands().importMyEbay) startupCommands().importMyEbay();
    app().messageBox("\"myEbay\" imported", kv::ui::mb::OkOnly, std::string(kProgramTitle));
    setMousePointer(kv::ui::MousePointer::Default);
}

// Ends the program at once (enabled after an accepted upgrade).
void frmMain::Timer1_Timer() {
    app().end();
}

// Runs the start-up again.
void frmMain::mnuLogout_Click() {
    Main();
}

// The splash window as the About box, modally.
void frmMain::mnuHelpAbout_Click() {
    frmSplash& about = app().form<frmSplash>();
    about.noInit = true;
    about.show(kv::ui::ShowMode::Modal);
}

} // namespace kv::app
