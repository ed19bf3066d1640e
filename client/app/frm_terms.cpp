#include "client/app/frm_terms.h"

#include "client/app/banner.h"
#include "client/app/settings_store.h"
#include "client/service/service_address.h"
#include "platform/ui/application.h"
#include "platform/ui/design.h"

namespace kv::app {

frmTerms::frmTerms() : kv::ui::Form("frmTerms") {
    using namespace kv::ui;
    // The design layout, in twips.
    applyDesign({
        {.widget = this, .caption = "License", .geometry = {0, 0, 9000, 7200}},
        {.widget = &Picture2, .geometry = {0, 0, 9000, 900}},
        {.widget = &wb1, .geometry = {120, 1000, 8760, 5000}},
        {.widget = &cmdAccept,
         .caption = "Accept Terms",
         .geometry = {4800, 6200, 1900, 450},
         .state = kDisabled},
        {.widget = &cmdDecline,
         .caption = "Decline Terms",
         .geometry = {6900, 6200, 1900, 450},
         .state = kDisabled},
    });
    setBorderStyle(BorderStyle::FixedDialog);

    onLoad = [this] { Form_Load(); };
    // Every completed navigation, an error page included, makes the buttons usable.
    wb1.onNavigateComplete = [this](const std::string&) {
        cmdAccept.setEnabled(true);
        cmdDecline.setEnabled(true);
    };
    cmdAccept.onClick = [this] { cmdAccept_Click(); };
    cmdDecline.onClick = [this] { cmdDecline_Click(); };
}

void frmTerms::Form_Load() {
    Picture2.setPicture(bannerPicture());
    wb1.navigate(kv::service::cgiUrl() + "?cmd=terms");
}

void frmTerms::cmdAccept_Click() {
    saveSetting("AcceptedTerms", "1");
    unload();
}

void frmTerms::cmdDecline_Click() {
    saveSetting("AcceptedTerms", "0");
    kv::ui::app().end();
}

} // namespace kv::app
