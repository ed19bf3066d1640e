#include "client/app/frm_login.h"

#include "client/service/security.h"
#include "platform/ui/application.h"

namespace kv::app {

frmLogin::frmLogin()
    : kv::ui::Form("frmLogin"), txtUserName(add<kv::ui::TextBox>("txtUserName")),
      txtPassword(add<kv::ui::TextBox>("txtPassword")), txtToken(add<kv::ui::TextBox>("txtToken")),
      wb1(add<kv::ui::PictureBox>("wb1")), inst(add<kv::ui::Label>("inst")),
      inst2(add<kv::ui::Label>("inst2")), lblSecurityCode(add<kv::ui::Label>("lblSecurityCode")),
      cmdOK(add<kv::ui::CommandButton>("cmdOK")),
      cmdCancel(add<kv::ui::CommandButton>("cmdCancel")) {
    setCaption("Login");
    txtPassword.setPasswordChar('*');
    cmdOK.setCaption("OK");
    cmdOK.setDefault(true);
    cmdCancel.setCaption("Cancel");
    cmdCancel.setCancel(true);
    onLoad = [this] { LoginSucceeded = false; };
    cmdOK.onClick = [this] {
        LoginSucceeded = true;
        hide();
    };
    cmdCancel.onClick = [this] { hide(); };
}

void frmLogin::wb1Navigate(const std::string& url) {
    wb1.setTag(url);
}

void registerLoginDialog() {
    kv::service::LoginDialog dialog;
    dialog.form = []() -> kv::ui::Form& { return kv::ui::app().form<frmLogin>(); };
    dialog.succeeded = [](kv::ui::Form& f) { return static_cast<frmLogin&>(f).LoginSucceeded; };
    dialog.setSucceeded = [](kv::ui::Form& f, bool on) {
        static_cast<frmLogin&>(f).LoginSucceeded = on;
    };
    dialog.navigateWb1 = [](kv::ui::Form& f, const std::string& url) {
        static_cast<frmLogin&>(f).wb1Navigate(url);
    };
    kv::service::setLoginDialog(std::move(dialog));
}

} // namespace kv::app
