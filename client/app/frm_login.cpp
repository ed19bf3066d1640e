#include "client/app/frm_login.h"

#include "client/app/banner.h"
#include "client/app/session.h"
#include "client/app/startup.h"
#include "platform/ui/application.h"
#include "platform/ui/design.h"
#include "platform/ui/message_box.h"

namespace kv::app {

frmLogin::frmLogin() : kv::ui::Form("frmLogin") {
    using namespace kv::ui;
    // The design layout, in twips.
    applyDesign({
        {.widget = this, .caption = "Login", .geometry = {0, 0, 6600, 5700}},
        {.widget = &Picture2, .geometry = {0, 0, 6600, 900}},
        {.widget = &inst,
         .caption = "Enter your eBay user id and password on this page to gain access to "
                    "Kestrovane. ",
         .geometry = {240, 1000, 6120, 500},
         .state = kWordWrap},
        {.widget = &inst2,
         .caption = "These details are used for placing bids on eBay. They are protected by a "
                    "high level of security and are only ever transmitted from Kestrovane to "
                    "eBay. We do not spam nor do we transmit your details to anyone else.",
         .geometry = {240, 1500, 6120, 900},
         .state = kWordWrap},
        {.widget = &wb1, .geometry = {240, 1000, 3000, 1300}, .state = kHidden},
        {.widget = &lblSecurityCode,
         .caption = "For security purposes, enter the above security code",
         .geometry = {3400, 1000, 2960, 500},
         .state = kHidden},
        {.widget = &txtToken, .geometry = {3400, 1600, 2000, 315}, .state = kHidden},
        {.widget = &lblLabels0, .caption = "Your eBay User ID", .geometry = {240, 2600, 2200, 300}},
        {.widget = &txtUserName, .geometry = {2600, 2560, 3600, 315}},
        {.widget = &lblLabels1, .caption = "&Password", .geometry = {240, 3050, 2200, 300}},
        {.widget = &txtPassword, .geometry = {2600, 3010, 3600, 315}},
        {.widget = &lblLabels2, .caption = "&Auction House", .geometry = {240, 3500, 2200, 300}},
        {.widget = &cboAuctionHouse, .geometry = {2600, 3460, 3600, 315}},
        {.widget = &Image1, .geometry = {240, 4200, 480, 480}},
        {.widget = &cmdOK,
         .caption = "OK",
         .geometry = {3400, 4300, 1300, 400},
         .state = kDefaultButton},
        {.widget = &cmdCancel,
         .caption = "Cancel",
         .geometry = {4900, 4300, 1300, 400},
         .state = kCancelButton},
    });
    setBorderStyle(BorderStyle::FixedDialog);
    txtPassword.setPasswordChar('*');
    cboAuctionHouse.setStyle(ComboStyle::DropDownList);

    onLoad = [this] { Form_Load(); };
    onPaint = [this] { Form_Paint(); };
    cmdOK.onClick = [this] { cmdOK_Click(); };
    cmdCancel.onClick = [this] { hide(); };
    Image1.onClick = [this] { Image1_Click(); };
}

void frmLogin::Form_Load() {
    Picture2.setPicture(bannerPicture());
    cboAuctionHouse.clear();
    cboAuctionHouse.addItem("eBay");
    cboAuctionHouse.setListIndex(0);
    LoginSucceeded = false;
}

void frmLogin::Form_Paint() {
    // A control that cannot take the focus now is skipped.
    if (!txtUserName.text().empty()) txtPassword.setFocus();
    if (txtToken.visible()) txtToken.setFocus();
}

void frmLogin::cmdOK_Click() {
    if (txtPassword.text().empty()) {
        kv::ui::app().messageBox(
            {this, "Login", "Invalid Password, try again!", kv::ui::mb::OkOnly});
        txtPassword.setFocus();
        return;
    }
    if (txtToken.visible() && txtToken.text().empty()) {
        kv::ui::app().messageBox(
            {this, "Login", "Please enter the security code.", kv::ui::mb::OkOnly});
        txtToken.setFocus();
        return;
    }
    LoginSucceeded = true;
    hide();
}

void frmLogin::Image1_Click() {
    if (txtPassword.text().empty()) return;
    setMousePointer(kv::ui::MousePointer::Hourglass);
    security().diagnose();
    setMousePointer(kv::ui::MousePointer::Default);
}

void frmLogin::wb1Navigate(const std::string& url) {
    wb1.navigate(url);
}

} // namespace kv::app
