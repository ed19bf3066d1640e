#include "client/app/main_commands.h"

#include "client/app/commands.h"
#include "client/app/frm_main.h"
#include "client/app/frm_splash.h"
#include "client/app/list_display.h"
#include "client/app/settings_store.h"
#include "client/app/startup.h"
#include "platform/ui/application.h"
#include "platform/ui/menu.h"
#include "platform/ui/message_box.h"
#include "platform/ui/timer.h"
#include "platform/ui/web_browser.h"

#include <cstdint>
#include <exception>
#include <string>

namespace kv::app {
namespace {

using kv::ui::app;

// The control of that name on the form, added when the form has none of its own.
template <class T>
T& ensure(frmMain& form, const char* name, kv::ui::Control* container = nullptr) {
    if (T* found = form.find<T>(name)) return *found;
    return form.add<T>(name, -1, container);
}

kv::ui::Menu& ensureMenu(frmMain& form, const char* name, const char* caption,
                         kv::ui::Menu* parent = nullptr) {
    const bool had = form.find<kv::ui::Menu>(name) != nullptr;
    kv::ui::Menu& menu = ensure<kv::ui::Menu>(form, name, parent);
    if (!had) menu.setCaption(caption);
    return menu;
}

// The folder click as far as start-up and the demo need it, until the main window's folder
// tree has its own handlers: "myebay" asks the import question again, a status folder
// ("k1"...) lists its snipes in place of the browser pane.
void folderClick() {
    frmMain& main = mainForm();
    main.setMousePointer(kv::ui::MousePointer::Hourglass);
    const int selected = main.tvTreeView.selectedIndex();
    const std::string key = selected < 0 ? std::string() : main.tvTreeView.node(selected).key;
    if (key == "myebay") {
        check_import(true);
    } else if (key.size() > 1 && key.find_first_not_of("0123456789", 1) == std::string::npos) {
        std::int16_t status = static_cast<std::int16_t>(std::stoi(key.substr(1)));
        std::int16_t groupBy = -1;
        refreshAuctionList(status, groupBy);
        wb1Show(false);
    }
    main.setMousePointer(kv::ui::MousePointer::Default);
}

// Connects a handler unless the window already gives the item one.
void connect(kv::ui::Widget& item, void (*handler)()) {
    if (!item.onClick) item.onClick = handler;
}

} // namespace

void wireMainWindow(frmMain& form) {
    ensure<kv::ui::WebBrowser>(form, "wb1").setVisible(false);
    ensure<kv::ui::WebBrowser>(form, "wb2").setVisible(false);

    if (!form.tvTreeView.onClick) form.tvTreeView.onClick = folderClick;

    kv::ui::Timer& timer = ensure<kv::ui::Timer>(form, "Timer1");
    timer.setEnabled(false);
    timer.setInterval(2000);
    if (!timer.onTimer) timer.onTimer = Timer1_Timer;

    kv::ui::Menu& file = ensureMenu(form, "mnuFile", "&Auction");
    connect(ensureMenu(form, "mnuAuctionImport", "&Import \"my eBay\"", &file),
            mnuAuctionImport_Click);
    connect(ensureMenu(form, "mnuLogout", "&Logout...", &file), mnuLogout_Click);
    kv::ui::Menu& favorites = ensureMenu(form, "mnuWatch", "Favorites");
    if (!form.find<kv::ui::Menu>("mnuWatchedItem", 0))
        form.add<kv::ui::Menu>("mnuWatchedItem", 0, &favorites).setVisible(false);
    kv::ui::Menu& help = ensureMenu(form, "mnuHelp", "&Help");
    connect(ensureMenu(form, "mnuHelpAbout", "&About ", &help), mnuHelpAbout_Click);
}

void check_import(bool force) {
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

void mnuAuctionImport_Click() {
    mainForm().setMousePointer(kv::ui::MousePointer::Hourglass);
    if (startupCommands().importMyEbay) startupCommands().importMyEbay();
    app().messageBox("\"myEbay\" imported", kv::ui::mb::OkOnly, std::string(kProgramTitle));
    mainForm().setMousePointer(kv::ui::MousePointer::Default);
}

void Timer1_Timer() {
    app().end();
}

void mnuLogout_Click() {
    Main();
}

void mnuHelpAbout_Click() {
    frmSplash& about = app().form<frmSplash>();
    about.noInit = true;
    about.show(kv::ui::ShowMode::Modal);
}

} // namespace kv::app
