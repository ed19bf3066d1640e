#pragma once
// frmLogin: the login dialog. OK (when a password, and a shown security code, are given)
// and Cancel hide it without unloading, so the session can read its text boxes.

#include "client/service/credentials.h"
#include "platform/ui/buttons.h"
#include "platform/ui/form.h"
#include "platform/ui/lists.h"
#include "platform/ui/pictures.h"
#include "platform/ui/text_controls.h"
#include "platform/ui/web_browser.h"

#include <string>

namespace kv::app {

class frmLogin : public kv::ui::Form, public kv::service::CredentialsPrompt {
public:
    frmLogin();

    kv::ui::TextBox& txtUserName = add<kv::ui::TextBox>("txtUserName");
    kv::ui::TextBox& txtPassword = add<kv::ui::TextBox>("txtPassword");
    kv::ui::ComboBox& cboAuctionHouse = add<kv::ui::ComboBox>("cboAuctionHouse");
    kv::ui::Label& lblLabels0 = add<kv::ui::Label>("lblLabels", 0);
    kv::ui::Label& lblLabels1 = add<kv::ui::Label>("lblLabels", 1);
    kv::ui::Label& lblLabels2 = add<kv::ui::Label>("lblLabels", 2);
    kv::ui::Label& inst = add<kv::ui::Label>("inst");
    kv::ui::Label& inst2 = add<kv::ui::Label>("inst2");
    kv::ui::WebBrowser& wb1 = add<kv::ui::WebBrowser>("wb1"); // the security-code picture
    kv::ui::Label& lblSecurityCode = add<kv::ui::Label>("lblSecurityCode");
    kv::ui::TextBox& txtToken = add<kv::ui::TextBox>("txtToken");
    kv::ui::PictureBox& Picture2 = add<kv::ui::PictureBox>("Picture2"); // the banner
    kv::ui::Image& Image1 = add<kv::ui::Image>("Image1"); // runs the connection diagnostics
    kv::ui::CommandButton& cmdOK = add<kv::ui::CommandButton>("cmdOK");
    kv::ui::CommandButton& cmdCancel = add<kv::ui::CommandButton>("cmdCancel");

    // True only after OK accepted the input.
    bool LoginSucceeded = false;

    // Shows the page at url in wb1.
    void wb1Navigate(const std::string& url);

    // The session's questions (frm_login_prompt.cpp).
    void startLogin(const std::string& userId) override;
    void askSecurityCode(const std::string& imageUrl) override;
    bool askCredentials() override;
    std::string userId() const override;
    std::string password() const override;
    std::string securityCode() const override;

private:
    void Form_Load();
    void Form_Paint();
    void cmdOK_Click();
    void Image1_Click();
};

} // namespace kv::app
