#include "client/app/frm_terms.h"

#include "client/app/banner.h"
#include "client/app/settings_store.h"
#include "client/service/service_address.h"
#include "platform/ui/application.h"

namespace kv::app {

frmTerms::frmTerms()
    : kv::ui::Form("frmTerms"), Picture2(add<kv::ui::PictureBox>("Picture2")),
      wb1(add<kv::ui::WebBrowser>("wb1")), cmdAccept(add<kv::ui::CommandButton>("cmdAccept")),
      cmdDecline(add<kv::ui::CommandButton>("cmdDecline")) {
    setCaption("License");
    setBorderStyle(kv::ui::BorderStyle::FixedDialog);
    cmdAccept.setCaption("Accept Terms");
    cmdAccept.setEnabled(false);
    cmdDecline.setCaption("Decline Terms");
    cmdDecline.setEnabled(false);

    // The design layout, in twips.
    setGeometry({0, 0, 9000, 7200});
    Picture2.setGeometry({0, 0, 9000, 900});
    wb1.setGeometry({120, 1000, 8760, 5000});
    cmdAccept.setGeometry({4800, 6200, 1900, 450});
    cmdDecline.setGeometry({6900, 6200, 1900, 450});

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
