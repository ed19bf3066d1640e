#pragma once
// The client's start-up: Main creates the session object and the main window on its
// first run, then shows the main window and the splash, logs in, stores the eBay cookie,
// asks for the terms once, offers an upgrade, opens the news page, loads the favourites
// and offers the import. "&Logout..." runs Main again with the same two objects.

#include "client/app/session.h"

#include <functional>
#include <string>

namespace kv::app {

class frmMain;

// The main window, the one way to it: loaded (and made the application's main window) by
// the first run of Main or here on first use.
frmMain& mainForm();

// The entry procedure; again for every logout.
void Main();
// The login step: hourglass, doLogin, the caption with the user id, default pointer.
void loginAndCaption();

// The command operations start-up and the main window's handlers call: by default the
// service commands loadFavorites and importMyEbay; tests may count them instead.
struct StartupCommands {
    std::function<void()> loadFavorites; // rebuilds the favourites menu
    std::function<void()> importMyEbay;  // imports the eBay watch list and bids
};
void setStartupCommands(StartupCommands commands);
const StartupCommands& startupCommands();

// The cookie data stored for the eBay site after a login with this cookie text.
std::string ebayCookieData(const std::string& cookie);
// The eBay site's root address, where that cookie is stored.
inline constexpr const char* kEbayRoot = "http://www.ebay.com";

// A fraction as plain decimal text ("0.5", "0.00003"): the shortest digits that read back
// as the value, never an exponent. The news page's "r" is written so.
std::string fractionText(float value);

} // namespace kv::app
