#include "client/app/frm_login.h"
#include "client/app/frm_main.h"
#include "client/app/frm_splash.h"
#include "client/app/frm_terms.h"
#include "client/app/reset.h"
#include "client/app/settings_store.h"
#include "client/app/startup.h"
#include "client/app/web_pages.h"
#include "client/protocol/base64.h"
#include "client/service/service_address.h"
#include "platform/cookies/cookie_jar.h"
#include "platform/registry/registry.h"
#include "platform/system/testing/temp_machine.h"
#include "platform/ui/application.h"
#include "platform/ui/control_host.h"
#include "platform/ui/end_program.h"
#include "platform/ui/headless/controls.h"
#include "platform/ui/headless/headless.h"
#include "platform/ui/user_input.h"
#include "tools/service-sim/code_picture.h"
#include "tools/service-sim/server.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace kv::app {
namespace {

using kv::ui::app;
namespace user = kv::ui::user;

class Windows : public ::testing::Test {
protected:
    void SetUp() override {
        kv::registry::resetForTests();
        ui_ = &kv::ui::headless::install();
        web_ = &kv::ui::headless::installControls();
    }
    void TearDown() override {
        EXPECT_EQ(ui_->finish(), "");
        resetForTests();
        kv::ui::resetForTests();
    }
    kv::machine::testing::TempMachine machine_;
    kv::ui::headless::HeadlessBackend* ui_ = nullptr;
    kv::ui::headless::HeadlessControls* web_ = nullptr;
};

TEST_F(Windows, LoginDialogControlsAndTexts) {
    frmLogin& d = app().form<frmLogin>();
    EXPECT_EQ(d.caption(), "Login");
    EXPECT_EQ(d.txtPassword.passwordChar(), '*');
    ASSERT_EQ(d.cboAuctionHouse.listCount(), 1);
    EXPECT_EQ(d.cboAuctionHouse.list(0), "eBay");
    EXPECT_EQ(d.cboAuctionHouse.listIndex(), 0);
    EXPECT_EQ(d.controlArray("lblLabels").size(), 3u);
    EXPECT_EQ(d.lblLabels1.caption(), "&Password");
    EXPECT_FALSE(d.Picture2.picture().empty());
    EXPECT_FALSE(d.LoginSucceeded);
}

TEST_F(Windows, LoginOkChecksPasswordThenSecurityCode) {
    struct Case {
        const char* password;
        bool tokenShown;
        const char* token;
        const char* box; // nullptr: accepted
        const char* focus;
    };
    const Case cases[] = {
        {"secret", false, "", nullptr, nullptr},
        {"secret", true, "", "Please enter the security code.", "txtToken"},
        {"", true, "", "Invalid Password, try again!", "txtPassword"},
        {"", false, "", "Invalid Password, try again!", "txtPassword"},
        {"secret", true, "7Q4K", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.password) + "/" + c.token);
        frmLogin& d = app().form<frmLogin>();
        d.txtToken.setVisible(c.tokenShown);
        d.txtPassword.setText(c.password);
        d.txtToken.setText(c.token);
        bool stayed = false;
        std::string focus;
        ui_->onModal("frmLogin", [&](kv::ui::Form& f) {
            auto& login = static_cast<frmLogin&>(f);
            user::click(login.cmdOK);
            stayed = login.shown();
            if (login.activeControl()) focus = login.activeControl()->name();
            if (stayed) user::click(login.cmdCancel);
        });
        if (c.box) ui_->expectBox({.caption = "Login", .text = c.box, .style = 0});
        d.show(kv::ui::ShowMode::Modal);
        EXPECT_EQ(d.LoginSucceeded, c.box == nullptr);
        EXPECT_EQ(stayed, c.box != nullptr);
        if (c.focus) {
            EXPECT_EQ(focus, c.focus);
        }
        d.unload();
    }
}

TEST_F(Windows, LoginPaintMovesTheFocus) {
    frmLogin& d = app().form<frmLogin>();
    d.txtUserName.setText("alice");
    d.show();
    d.refresh();
    app().processMessages();
    ASSERT_NE(d.activeControl(), nullptr);
    EXPECT_EQ(d.activeControl()->name(), "txtPassword");
    d.txtToken.setVisible(true);
    d.refresh();
    app().processMessages();
    EXPECT_EQ(d.activeControl()->name(), "txtToken");
}

TEST_F(Windows, LoginImageRunsDiagnosticsOnlyWithAPassword) {
    kv::servicesim::Server sim;
    ASSERT_GT(sim.start(), 0);
    setenv("KV_SERVICE_URL", sim.baseUrl().c_str(), 1);
    frmLogin& d = app().form<frmLogin>();
    d.show();
    EXPECT_TRUE(user::click(d.Image1));
    EXPECT_TRUE(sim.requests().empty());
    d.txtPassword.setText("secret");
    ui_->expectBox({.text = "Diagnostics complete."});
    EXPECT_TRUE(user::click(d.Image1));
    EXPECT_EQ(sim.requests().size(), 1u);
    EXPECT_EQ(sim.refusals(), std::vector<std::string>{});
    EXPECT_EQ(d.mousePointer(), kv::ui::MousePointer::Default);
    unsetenv("KV_SERVICE_URL");
}

TEST_F(Windows, SplashTextsAndTimer) {
    frmSplash& s = app().form<frmSplash>();
    EXPECT_EQ(s.lblPlatform.caption(), "Win32");
    EXPECT_EQ(s.lblVersion.caption(), "Version 1.1.6");
    EXPECT_EQ(s.lblWarning.caption(),
              "This software program is protected by international copyright laws.");
    EXPECT_FALSE(s.lblCompany.caption().empty());
    EXPECT_FALSE(s.Picture1.picture().empty());
    EXPECT_FALSE(s.done);
    app().waitPumping(1999);
    EXPECT_FALSE(s.done);
    app().waitPumping(2);
    EXPECT_TRUE(s.done);
}

TEST_F(Windows, SplashClosesOnClickOnlyOncePainted) {
    frmSplash& s = app().form<frmSplash>();
    s.show();
    EXPECT_TRUE(user::click(s.lblVersion));
    EXPECT_TRUE(s.loaded());
    app().processMessages(); // the first paint
    EXPECT_TRUE(s.noInit);
    EXPECT_TRUE(user::click(s.lblVersion));
    EXPECT_FALSE(s.loaded());
}

TEST_F(Windows, AboutBoxClosesOnTheFirstClickOrKey) {
    for (bool key : {false, true}) {
        SCOPED_TRACE(key);
        ui_->onModal("frmSplash", [key](kv::ui::Form& f) {
            auto& s = static_cast<frmSplash&>(f);
            if (key)
                user::pressKey(s.Picture1, 'x');
            else
                user::click(s.Picture2);
            EXPECT_FALSE(s.loaded());
        });
        mainForm().mnuHelpAbout.click();
        EXPECT_EQ(app().loadedForm<frmSplash>(), nullptr);
    }
}

TEST_F(Windows, TermsButtonsWaitForThePage) {
    frmTerms& t = app().form<frmTerms>();
    EXPECT_EQ(t.caption(), "License");
    EXPECT_EQ(t.cmdAccept.caption(), "Accept Terms");
    EXPECT_EQ(t.cmdDecline.caption(), "Decline Terms");
    EXPECT_FALSE(t.cmdAccept.enabled());
    EXPECT_FALSE(t.cmdDecline.enabled());
    ASSERT_EQ(t.wb1.navigations().size(), 1u);
    EXPECT_EQ(t.wb1.navigations()[0].url, kv::service::cgiUrl() + "?cmd=terms");
    t.show();
    EXPECT_FALSE(user::click(t.cmdAccept));
    // The fake web has no such page: the error page's load enables them all the same.
    app().processMessages();
    EXPECT_TRUE(t.cmdAccept.enabled());
    EXPECT_TRUE(t.cmdDecline.enabled());
    EXPECT_TRUE(user::click(t.cmdAccept));
    EXPECT_FALSE(t.loaded());
    EXPECT_EQ(getSetting("AcceptedTerms", ""), "1");
}

TEST_F(Windows, ImportQuestionOnceUnlessForced) {
    frmMain& main = mainForm();
    int imports = 0;
    setStartupCommands({.loadFavorites = {}, .importMyEbay = [&] { ++imports; }});
    const char* question = "Do you want to import your watch list and bids from eBay?";
    ui_->expectBox(
        {.caption = "Kestrovane", .text = question, .style = 0x23, .answer = kv::ui::id::Yes});
    ui_->expectBox({.caption = "Kestrovane", .text = "\"myEbay\" imported", .style = 0});
    main.check_import(false);
    EXPECT_EQ(imports, 1);
    EXPECT_EQ(getSetting("importmyebay", ""), "1");
    main.check_import(false); // asked before: no box
    ui_->expectBox({.text = question, .answer = kv::ui::id::Cancel});
    main.check_import(true);
    EXPECT_EQ(imports, 1);
}

TEST_F(Windows, WebPagesLoadWebAddressesOnly) {
    kv::servicesim::Server sim;
    ASSERT_GT(sim.start(), 0);
    setenv("KV_SERVICE_URL", sim.baseUrl().c_str(), 1);
    WebPages pages;
    auto terms = pages.fetchPage(kv::service::cgiUrl() + "?cmd=terms");
    ASSERT_TRUE(terms.has_value());
    EXPECT_EQ(terms->title, "Terms of use");
    EXPECT_NE(terms->html.find("binding"), std::string::npos);
    for (const char* other :
         {"file:///etc/hostname", "Z:\\etc\\hostname", "about:home", "ftp://127.0.0.1/"})
        EXPECT_FALSE(pages.fetchPage(other).has_value()) << other;
    unsetenv("KV_SERVICE_URL");
}

// A page of real windows goes with the machine's cookie for it (kept past its expiry), and
// the cookie it sets is kept in the machine's jar, where both panes find it.
TEST_F(Windows, WebPagesCarryTheMachinesCookies) {
    httplib::Server server;
    std::string sent;
    server.Get("/item", [&](const httplib::Request& req, httplib::Response& res) {
        sent = req.get_header_value("Cookie");
        res.set_header("Set-Cookie", "seen=yes; path=/");
        res.set_content("<html><title>eBay item 3001122334</title></html>", "text/html");
    });
    const int port = server.bind_to_any_port("127.0.0.1");
    std::thread thread([&] { server.listen_after_bind(); });
    while (!server.is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const std::string base = "http://127.0.0.1:" + std::to_string(port);
    ASSERT_TRUE(
        kv::cookies::setCookie(base + "/", "s", "ALICE; expires=Sat, 31-Dec-2009 11:59:59 GMT"));

    const auto page = WebPages().fetchPage(base + "/item");
    server.stop();
    thread.join();
    ASSERT_TRUE(page.has_value());
    EXPECT_EQ(page->title, "eBay item 3001122334");
    EXPECT_EQ(sent, "s=ALICE");
    std::vector<std::string> jar;
    for (const kv::cookies::Cookie& c : kv::cookies::allCookies())
        jar.push_back(c.domain + " " + c.name + "=" + c.value);
    EXPECT_EQ(jar, (std::vector<std::string>{"127.0.0.1 s=ALICE", "127.0.0.1 seen=yes"}));
}

TEST_F(Windows, SecurityCodeShowsAsAPictureInTheLoginPane) {
    kv::servicesim::Server sim;
    ASSERT_GT(sim.start(), 0);
    setenv("KV_SERVICE_URL", sim.baseUrl().c_str(), 1);
    kv::ui::setControlHost(std::make_unique<WebPages>());
    frmLogin& d = app().form<frmLogin>();
    d.wb1Navigate(sim.baseUrl() + "/code.bmp?t=TK-carol");
    app().processMessages();
    const std::string& html = d.wb1.document().html;
    const std::string head = "<html><body style=\"margin:0\"><img src=\"data:image/bmp;base64,";
    ASSERT_EQ(html.compare(0, head.size(), head), 0) << html.substr(0, 80);
    const std::size_t end = html.find('"', head.size());
    ASSERT_NE(end, std::string::npos);
    // The picture of carol's code, at its own size.
    EXPECT_EQ(kv::protocol::Base64Decode(html.substr(head.size(), end - head.size())),
              kv::servicesim::codePicture("7Q4K"));
    EXPECT_NE(html.find("width=\"84\" height=\"33\""), std::string::npos) << html.substr(end);

    // A token the service did not give has no picture.
    d.wb1Navigate(sim.baseUrl() + "/code.bmp?t=TK-alice");
    app().processMessages();
    EXPECT_EQ(d.wb1.document().html.find("<img"), std::string::npos);
    unsetenv("KV_SERVICE_URL");
}

TEST_F(Windows, MainWindowTimer1EndsTheProgram) {
    kv::ui::Timer& timer = mainForm().Timer1;
    EXPECT_FALSE(timer.enabled());
    EXPECT_EQ(timer.interval(), 2000);
    EXPECT_EQ(kv::ui::runProgram([&] {
                  timer.tick();
                  return 5;
              }),
              0);
}

} // namespace
} // namespace kv::app
