#pragma once
// frmLogin: the login dialog, with what the login operations use of it. OK (when a
// password, and a shown security code, are given) and Cancel hide it without unloading.

#include "platform/ui/buttons.h"
#include "platform/ui/form.h"
#include "platform/ui/pictures.h"
#include "platform/ui/text_controls.h"

#include <string>

namespace kv::app {

class frmLogin : public kv::ui::Form {
public:
    frmLogin();

    kv::ui::TextBox& txtUserName;
    kv::ui::TextBox& txtPassword;
    kv::ui::TextBox& txtToken;
    // Shows the security-code picture; stands in for the browser control until the window
    // model has one: the address it was sent to is its tag.
    kv::ui::PictureBox& wb1;
    kv::ui::Label& inst;
    kv::ui::Label& inst2;
    kv::ui::Label& lblSecurityCode;
    kv::ui::CommandButton& cmdOK;
    kv::ui::CommandButton& cmdCancel;

    // True only after OK accepted the input.
    bool LoginSucceeded = false;

    // Shows the page at url in wb1.
    void wb1Navigate(const std::string& url);
};

// Makes frmLogin (the application's default instance) the session's login dialog.
void registerLoginDialog();

} // namespace kv::app
