#include "client/app/frm_login.h"

#include "client/app/banner.h"
#include "client/app/startup.h"
#include "client/app/session.h"
#include "platform/ui/application.h"
#include "platform/ui/message_box.h"

namespace kv::app {

frmLogin::frmLogin()
    : kv::ui::Form("frmLogin"), txtUserName(add<kv::ui::TextBox>("txtUserName")),
      txtPassword(add<kv::ui::TextBox>("txtPassword")),
      cboAuctionHouse(add<kv::ui::ComboBox>("cboAuctionHouse")),
      lblLabels0(add<kv::ui::Label>("lblLabels", 0)),
      lblLabels1(add<kv::ui::Label>("lblLabels", 1)),
      lblLabels2(add<kv::ui::Label>("lblLabels", 2)), inst(add<kv::ui::Label>("inst")),
      inst2(add<kv::ui::Label>("inst2")), wb1(add<kv::ui::WebBrowser>("wb1")),
      lblSecurityCode(add<kv::ui::Label>("lblSecurityCode")),
      txtToken(add<kv::ui::TextBox>("txtToken")), Picture2(add<kv::ui::PictureBox>("Picture2")),
      Image1(add<kv::ui::Image>("Image1")), cmdOK(add<kv::ui::CommandButton>("cmdOK")),
      cmdCancel(add<kv::ui::CommandButton>("cmdCancel")) {
    setCaption("Login");
    setBorderStyle(kv::ui::BorderStyle::FixedDialog);
    txtPassword.setPasswordChar('*');
    cboAuctionHouse.setStyle(kv::ui::ComboStyle::DropDownList);
    lblLabels0.setCaption("Your eBay User ID");
    lblLabels1.setCaption("&Password");
    lblLabels2.setCaption("&Auction House");
    inst.setCaption("Enter your eBay user id and password on this page to gain access to "
                    "Kestrovane. ");
    inst.setWordWrap(true);
    inst2.setCaption("These details are used for placing bids on eBay. They are protected by a "
                     "high level of security and are only ever transmitted from Kestrovane to "
                     "eBay. We do not spam nor do we transmit your details to anyone else.");
    inst2.setWordWrap(true);
    lblSecurityCode.setCaption("For security purposes, enter the above security code");
    lblSecurityCode.setVisible(false);
    wb1.setVisible(false);
    txtToken.setVisible(false);
    cmdOK.setCaption("OK");
    cmdOK.setDefault(true);
    cmdCancel.setCaption("Cancel");
    cmdCancel.setCancel(true);

    // The design layout, in twips.
    setGeometry({0, 0, 6600, 5700});
    Picture2.setGeometry({0, 0, 6600, 900});
    inst.setGeometry({240, 1000, 6120, 500});
    inst2.setGeometry({240, 1500, 6120, 900});
    wb1.setGeometry({240, 1000, 3000, 1300});
    lblSecurityCode.setGeometry({3400, 1000, 2960, 500});
    txtToken.setGeometry({3400, 1600, 2000, 315});
    lblLabels0.setGeometry({240, 2600, 2200, 300});
    txtUserName.setGeometry({2600, 2560, 3600, 315});
    lblLabels1.setGeometry({240, 3050, 2200, 300});
    txtPassword.setGeometry({2600, 3010, 3600, 315});
    lblLabels2.setGeometry({240, 3500, 2200, 300});
    cboAuctionHouse.setGeometry({2600, 3460, 3600, 315});
    Image1.setGeometry({240, 4200, 480, 480});
    cmdOK.setGeometry({3400, 4300, 1300, 400});
    cmdCancel.setGeometry({4900, 4300, 1300, 400});

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
