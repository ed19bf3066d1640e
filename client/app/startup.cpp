#include "client/app/startup.h"

#include "client/app/commands.h"
#include "client/app/frm_login.h"
#include "client/app/frm_main.h"
#include "client/app/frm_splash.h"
#include "client/app/frm_terms.h"
#include "client/app/internal/reset.h"
#include "client/app/list_state.h"
#include "client/app/setting_conversions.h"
#include "client/app/settings_store.h"
#include "client/service/service_address.h"
#include "platform/cookies/cookie_jar.h"
#include "platform/ui/application.h"
#include "platform/ui/message_box.h"
#include "platform/ui/timer.h"
#include "platform/ui/web_browser.h"

#include <charconv>
#include <chrono>
#include <memory>
#include <random>

namespace kv::app {
namespace {

using kv::ui::app;
using kv::ui::MousePointer;

StartupCommands defaultCommands() {
    return {.loadFavorites = loadFavorites, .importMyEbay = importMyEbay};
}
StartupCommands commands = defaultCommands();
std::unique_ptr<std::mt19937> randomSequence;

constexpr const char* kCookieExpiry = "; expires=Sat, 31-Dec-2009 11:59:59 GMT";

// The next value of the program's pseudo-random sequence, from 0 up to but excluding 1,
// as decimal text.
std::string nextRandomText() {
    if (!randomSequence)
        randomSequence = std::make_unique<std::mt19937>(static_cast<std::uint32_t>(
            std::chrono::system_clock::now().time_since_epoch().count()));
    return fractionText(std::uniform_real_distribution<float>(0.0f, 1.0f)(*randomSequence));
}

// Pumps messages until the splash window's Timer1 has ticked. A splash window closed by
// a click is loaded again, hidden, by the next touch; its own timer then sets done.
void waitForSplash() {
    while (!app().form<frmSplash>().done && !app().ended()) {
        if (app().pumpMessage()) continue;
        if (!app().idleUntil(std::nullopt)) break; // nothing can arrive any more
    }
}

// Terms are accepted only when the stored value is a number other than 0.
bool termsAccepted() {
    auto value = toNumber(getSetting("AcceptedTerms", "0"));
    return value && *value != 0;
}

void offerUpgrade() {
    const std::string& upgrade = security().m_Upgrade;
    if (upgrade.empty()) return;
    const int answer = app().messageBox(
        "There is a more recent version of Kestrovane available for installation. Do you wish "
        "to upgrade?",
        kv::ui::mb::YesNo, "Upgrade");
    if (answer != kv::ui::id::Yes) return;
    mainForm().wb1.navigate(kv::service::serviceUrl() + "/" + upgrade, 0, "upgradeframe");
    mainForm().Timer1.setEnabled(true);
}

} // namespace

std::string fractionText(float value) {
    // Fixed notation: the shortest digits that read back as the value, never an exponent
    // (even the smallest single needs fewer than 64 characters).
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return result.ec == std::errc() ? std::string(buffer, result.ptr) : "0";
}

frmMain& mainForm() {
    if (frmMain* main = app().loadedForm<frmMain>()) return *main;
    frmMain& main = app().form<frmMain>();
    app().setMainForm(&main);
    return main;
}

void setStartupCommands(StartupCommands c) {
    commands = std::move(c);
}

const StartupCommands& startupCommands() {
    return commands;
}

std::string ebayCookieData(const std::string& cookie) {
    return (cookie.size() > 2 ? cookie.substr(2) : std::string()) + kCookieExpiry;
}

void loginAndCaption() {
    mainForm().setMousePointer(MousePointer::Hourglass);
    security().doLogin();
    mainForm().setCaption("Kestrovane (eBay: " + security().m_UserId + ")");
    mainForm().setMousePointer(MousePointer::Default);
}

void Main() {
    setShowPaid(true);
    security();
    frmMain& main = mainForm();
    main.mnuViewPaid.setChecked(showPaid()); // a logout lists paid snipes again
    main.setMousePointer(MousePointer::Hourglass);
    main.wb1.navigate("about:blank");
    main.wb2.navigate("about:blank");
    main.wb1Show(true);
    main.lvListView.clear();
    main.show();

    app().form<frmSplash>().show();
    app().form<frmSplash>().done = false;
    app().processMessages();

    loginAndCaption();
    if (frmLogin* login = app().loadedForm<frmLogin>()) login->unload();

    app().form<frmSplash>().Timer1.setEnabled(true);
    waitForSplash();

    kv::cookies::setCookie(kEbayRoot, "s", ebayCookieData(security().m_Cookie));

    if (!termsAccepted()) app().form<frmTerms>().show(kv::ui::ShowMode::Modal);

    offerUpgrade();

    main.wb1.navigate(security().getURLSecure("news") + "&r=" + nextRandomText());

    if (commands.loadFavorites) commands.loadFavorites();
    main.check_import(false);

    if (frmSplash* splash = app().loadedForm<frmSplash>()) splash->unload();
    main.setMousePointer(MousePointer::Default);
}

void internal::resetStartup() {
    commands = defaultCommands();
    randomSequence.reset();
}

} // namespace kv::app
