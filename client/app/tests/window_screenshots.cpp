// Shows the login, splash, terms, history, snipe and options windows one at a time with the wx
// backend on a machine of its own and saves a picture of each: login.png, splash.png,
// terms.png, history.png, snipe.png and options.png in $KV_SCREENSHOT_DIR (docs/screenshots/make.sh
// runs it under Xvfb). Exits 77 when there is no display.

#include "client/app/banner.h"
#include "client/app/frm_history.h"
#include "client/app/frm_login.h"
#include "client/app/frm_options.h"
#include "client/app/frm_snipe.h"
#include "client/app/frm_splash.h"
#include "client/app/frm_terms.h"
#include "client/app/time_controls.h"

#include "platform/system/testing/temp_machine.h"
#include "platform/ui/application.h"
#include "platform/ui/wx/wx_backend.h"

#include <wx/window.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace kv;

// Shows the form, lets it settle and crops the screen to it.
bool shoot(ui::wx::WxBackend& backend, ui::Form& form, const std::string& file) {
    form.show();
    ui::app().waitPumping(1500);
    wxWindow* window = backend.window(form);
    if (!window) return false;
    const wxRect r = window->GetScreenRect();
    const char* dir = std::getenv("KV_SCREENSHOT_DIR");
    const std::string shot = std::string(dir ? dir : ".") + "/" + file;
    const std::string command = "import -window root -crop " + std::to_string(r.width) + "x" +
                                std::to_string(r.height) + "+" + std::to_string(r.x) + "+" +
                                std::to_string(r.y) + " +repage " + shot;
    const bool ok = std::system(command.c_str()) == 0;
    if (ok) std::printf("%s\n", shot.c_str());
    form.unload();
    return ok;
}

} // namespace

int main() {
    machine::testing::TempMachine machine;
    ui::wx::WxBackend* backend = ui::wx::install();
    if (!backend) {
        std::fputs("no display\n", stderr);
        return 77;
    }
    app::addProgramResources();
    bool ok = shoot(*backend, ui::app().form<app::frmLogin>(), "login.png");
    ok = shoot(*backend, ui::app().form<app::frmSplash>(), "splash.png") && ok;
    ok = shoot(*backend, ui::app().form<app::frmTerms>(), "terms.png") && ok;
    auto& history = ui::app().form<app::frmHistory>();
    history.lvListView.addColumn("Time");
    history.lvListView.addColumn("Bid");
    history.lvListView.addItem("2026-12-11 18:29:52");
    history.lvListView.setText(0, 1, "45.00");
    ok = shoot(*backend, history, "history.png") && ok;
    // The editor as the snipe command fills it for a stored snipe.
    auto& snipe = ui::app().form<app::frmSnipe>();
    snipe.auctionName.setCaption("Carriage clock, brass, with key");
    snipe.imgAuctionHouse1.setVisible(true);
    snipe.txtAuctionId.setText("3007770001");
    snipe.txtAuctionId.setEnabled(false);
    snipe.txtCurrency.setCaption("GBP");
    snipe.placeBidAmount();
    snipe.txtBidAmount.setText("20.00");
    app::setTimeControls(snipe, 300);
    snipe.cboBidGroup.addItem("<none>");
    snipe.cboBidGroup.addItem("Clocks");
    snipe.cboBidGroup.setListIndex(1);
    snipe.bidAttributes.setEnabled(false);
    snipe.ckPaid.setEnabled(false);
    snipe.ckReceived.setEnabled(false);
    ok = shoot(*backend, snipe, "snipe.png") && ok;
    // The options dialog's General tab as the options command fills it.
    auto& options = ui::app().form<app::frmOptions>();
    app::setTimeControls(options, 300);
    options.cboMaxPercent.setListIndex(9);
    options.cboMaxFriendly.setListIndex(1);
    options.selectTab(1);
    ok = shoot(*backend, options, "options.png") && ok;
    ui::resetApplication();
    return ok ? 0 : 1;
}
