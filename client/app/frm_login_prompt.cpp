// frmLogin as the session's login dialog.

#include "client/app/frm_login.h"

#include "platform/ui/application.h"

namespace kv::app {

void frmLogin::startLogin(const std::string& userId) {
    wb1.setVisible(false);
    txtToken.setVisible(false);
    inst.setVisible(true);
    inst2.setVisible(true);
    lblSecurityCode.setVisible(false);
    txtUserName.setText(userId);
}

void frmLogin::askSecurityCode(const std::string& imageUrl) {
    wb1Navigate(imageUrl);
    wb1.setVisible(true);
    txtToken.setVisible(true);
    inst.setVisible(false);
    inst2.setVisible(false);
    lblSecurityCode.setVisible(true);
}

bool frmLogin::askCredentials() {
    LoginSucceeded = false;
    show(kv::ui::ShowMode::Modal, kv::ui::app().mainForm());
    return LoginSucceeded;
}

std::string frmLogin::userId() const {
    return txtUserName.text();
}

std::string frmLogin::password() const {
    return txtPassword.text();
}

std::string frmLogin::securityCode() const {
    return txtToken.text();
}

} // namespace kv::app
