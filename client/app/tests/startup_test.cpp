#include "client/app/frm_login.h"
#include "client/app/frm_main.h"
#include "client/app/frm_splash.h"
#include "client/app/frm_terms.h"
#include "client/app/list_state.h"
#include "client/app/reset.h"
#include "client/app/settings_store.h"
#include "client/app/startup.h"
#include "client/service/security.h"
#include "client/service/service_address.h"
#include "platform/cookies/cookie_jar.h"
#include "platform/registry/registry.h"
#include "platform/system/testing/temp_machine.h"
#include "platform/ui/application.h"
#include "platform/ui/end_program.h"
#include "platform/ui/headless/controls.h"
#include "platform/ui/headless/headless.h"
#include "tools/service-sim/server.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

namespace kv::app {
namespace {

using kv::ui::app;
using kv::ui::headless::ExpectedBox;
using kv::ui::headless::Record;

constexpr const char* kImportQuestion = "Do you want to import your watch list and bids from eBay?";
constexpr const char* kExpiry = "; expires=Sat, 31-Dec-2009 11:59:59 GMT";

class Startup : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_GT(sim_.start(), 0);
        setenv("KV_SERVICE_URL", sim_.baseUrl().c_str(), 1);
        newRun();
    }
    void TearDown() override {
        // Every request the client sent is one the service takes.
        EXPECT_EQ(sim_.refusals(), std::vector<std::string>{});
        EXPECT_EQ(ui_->finish(), "");
        endRun();
        unsetenv("KV_SERVICE_URL");
    }
    void endRun() {
        resetForTests();
        kv::ui::resetForTests();
    }
    // A fresh start of the program on the same machine.
    void newRun() {
        endRun();
        kv::registry::resetForTests();
        ui_ = &kv::ui::headless::install();
        web_ = &kv::ui::headless::installControls();
    }
    // The user's next turn at the login dialog.
    void login(const std::string& user, const std::string& password = "secret",
               const std::string& token = "", std::uint32_t takesMs = 0) {
        ui_->onModal("frmLogin", [=, this](kv::ui::Form& f) {
            auto& d = static_cast<frmLogin&>(f);
            d.txtUserName.setText(user);
            d.txtPassword.setText(password);
            if (!token.empty()) d.txtToken.setText(token);
            ui_->advance(takesMs);
            d.cmdOK.click();
        });
    }
    void terms(bool accept) {
        ui_->onModal("frmTerms", [accept](kv::ui::Form& f) {
            auto& t = static_cast<frmTerms&>(f);
            EXPECT_TRUE(t.cmdAccept.enabled());
            EXPECT_TRUE(t.cmdDecline.enabled());
            (accept ? t.cmdAccept : t.cmdDecline).click();
        });
    }
    void importQuestion(int answer = kv::ui::id::No) {
        ui_->expectBox({.caption = "Kestrovane", .text = kImportQuestion, .answer = answer});
    }
    // Runs Main as the program does; the exit code when the program ended inside it.
    std::optional<int> runMain() {
        bool returned = false;
        int code = kv::ui::runProgram([&] {
            Main();
            returned = true;
            return 0;
        });
        if (returned) return std::nullopt;
        return code;
    }
    // The tick of the first record of that kind for the form.
    std::optional<std::uint32_t> tickOf(Record::Kind kind, const std::string& form) const {
        for (const Record& r : ui_->records())
            if (r.kind == kind && r.form == form) return r.tick;
        return std::nullopt;
    }
    bool shown(const std::string& form) const {
        return tickOf(Record::Kind::ShownModal, form) || tickOf(Record::Kind::Shown, form);
    }
    kv::ui::WebBrowser& mainWb1() { return mainForm().wb1; }

    kv::machine::testing::TempMachine machine_;
    kv::servicesim::Server sim_;
    kv::ui::headless::HeadlessBackend* ui_ = nullptr;
    kv::ui::headless::HeadlessControls* web_ = nullptr;
};

TEST(FractionText, PlainDecimalWithoutExponent) {
    struct Case {
        float value;
        std::string text;
    };
    const Case cases[] = {
        {0.0f, "0"},
        {0.5f, "0.5"},
        {0.25f, "0.25"},
        {3e-05f, "0.00003"},
        {1.2345e-4f, "0.00012345"},
        {2.3283064e-10f, "0.00000000023283064"},     // 2^-32, the sequence's smallest step
        {0.99999994f, "0.99999994"},                 // the largest single below 1
        {1e-45f, "0." + std::string(44, '0') + "1"}, // the smallest single
    };
    for (const Case& c : cases) {
        const std::string text = fractionText(c.value);
        EXPECT_EQ(text, c.text) << c.value;
        EXPECT_EQ(std::strtof(text.c_str(), nullptr), c.value) << text;
    }
}

TEST_F(Startup, FirstStartShowsTermsOpensNewsAndAsksImportOnce) {
    login("alice");
    terms(true);
    importQuestion();
    EXPECT_EQ(runMain(), std::nullopt);

    frmMain& main = mainForm();
    EXPECT_EQ(main.caption(), "Kestrovane (eBay: alice)");
    EXPECT_TRUE(main.shown());
    EXPECT_EQ(main.mousePointer(), kv::ui::MousePointer::Default);
    EXPECT_EQ(getSetting("AcceptedTerms", ""), "1");
    EXPECT_EQ(getSetting("importmyebay", ""), "1");
    EXPECT_TRUE(showPaid());
    EXPECT_EQ(app().loadedForm<frmSplash>(), nullptr);
    EXPECT_EQ(app().loadedForm<frmLogin>(), nullptr);
    EXPECT_TRUE(mainWb1().visible());
    // The favourites menu: element 0 and one element per favourite of alice's.
    auto favorites = main.controlArray("mnuWatchedItem");
    ASSERT_EQ(favorites.size(), 3u);
    EXPECT_EQ(favorites[1]->caption(), "Carriage clock");
    EXPECT_EQ(favorites[2]->tag(), "3009988772");

    // The terms page is the plain CGI address; the news page the enciphered one with a
    // fresh random fraction.
    EXPECT_EQ(mainWb1().navigations().front().url, "about:blank");
    bool termsFetched = false;
    for (const auto& url : web_->fetched())
        termsFetched |= url == kv::service::cgiUrl() + "?cmd=terms";
    EXPECT_TRUE(termsFetched);
    const std::string news = security().getURLSecure("news") + "&r=";
    const std::string url = mainWb1().navigations().back().url;
    ASSERT_EQ(url.substr(0, news.size()), news);
    const double r = std::strtod(url.c_str() + news.size(), nullptr);
    EXPECT_GE(r, 0.0);
    EXPECT_LT(r, 1.0);

    // The eBay session cookie, without the cookie text's first two characters.
    bool found = false;
    for (const auto& c : kv::cookies::allCookies())
        if (c.name == "s" && c.domain == "www.ebay.com") found = c.value == "ALICE0123456789";
    EXPECT_TRUE(found);

    // The next start: no terms window and no import question.
    EXPECT_EQ(ui_->finish(), "");
    newRun();
    login("alice");
    EXPECT_EQ(runMain(), std::nullopt);
    EXPECT_FALSE(shown("frmTerms"));
    EXPECT_EQ(ui_->boxes().size(), 0u);
}

TEST_F(Startup, ImportAcceptedAtFirstStart) {
    saveSetting("AcceptedTerms", "1");
    login("alice");
    importQuestion(kv::ui::id::Yes);
    ui_->expectBox({.caption = "Kestrovane", .text = "\"myEbay\" imported", .style = 0});
    EXPECT_EQ(runMain(), std::nullopt);
    bool imported = false;
    for (const auto& q : sim_.requests())
        imported |= q.find("cmd=myebay") != std::string::npos;
    EXPECT_TRUE(imported);
    EXPECT_EQ(mainForm().mousePointer(), kv::ui::MousePointer::Default);
}

TEST_F(Startup, RefusedLoginThenGoodOne) {
    saveSetting("AcceptedTerms", "1");
    saveSetting("importmyebay", "1");
    login("alice", "wrong");
    ui_->expectBox({.caption = "Login", .text = "Invalid user id or password."});
    login("alice");
    EXPECT_EQ(runMain(), std::nullopt);
    EXPECT_EQ(mainForm().caption(), "Kestrovane (eBay: alice)");
    EXPECT_EQ(security().m_Level, 1);
}

TEST_F(Startup, SecurityCodeLogin) {
    saveSetting("AcceptedTerms", "1");
    saveSetting("importmyebay", "1");
    login("carol");
    ui_->onModal("frmLogin", [](kv::ui::Form& f) {
        auto& d = static_cast<frmLogin&>(f);
        EXPECT_TRUE(d.txtToken.visible());
        EXPECT_TRUE(d.lblSecurityCode.visible());
        EXPECT_FALSE(d.inst.visible());
        d.txtToken.setText("7Q4K");
        d.cmdOK.click();
    });
    EXPECT_EQ(runMain(), std::nullopt);
    EXPECT_EQ(mainForm().caption(), "Kestrovane (eBay: carol)");
    EXPECT_EQ(security().m_Level, 1);
}

TEST_F(Startup, CancelledLoginEndsTheProgram) {
    ui_->onModal("frmLogin", [](kv::ui::Form& f) { static_cast<frmLogin&>(f).cmdCancel.click(); });
    EXPECT_EQ(runMain(), 0);
    EXPECT_FALSE(shown("frmTerms"));
    EXPECT_TRUE(kv::cookies::allCookies().empty());
}

TEST_F(Startup, DeclinedTermsEndTheProgram) {
    login("alice");
    terms(false);
    EXPECT_EQ(runMain(), 0);
    EXPECT_EQ(getSetting("AcceptedTerms", ""), "0");
    EXPECT_EQ(getSetting("importmyebay", "unset"), "unset");
    for (const auto& n : mainWb1().navigations())
        EXPECT_EQ(n.url, "about:blank");
}

TEST_F(Startup, NonNumericAcceptedTermsShowsTheTerms) {
    saveSetting("AcceptedTerms", "yes");
    saveSetting("importmyebay", "1");
    login("alice");
    terms(true);
    EXPECT_EQ(runMain(), std::nullopt);
    EXPECT_EQ(getSetting("AcceptedTerms", ""), "1");
}

TEST_F(Startup, SplashStaysTwoSecondsOrUntilTheLoginIsOver) {
    struct Case {
        std::uint32_t loginMs;
        std::uint32_t termsAt;
    };
    for (const Case c : {Case{300, 2000}, Case{5000, 5000}}) {
        SCOPED_TRACE(c.loginMs);
        newRun();
        saveSetting("AcceptedTerms", "0");
        saveSetting("importmyebay", "1");
        login("alice", "secret", "", c.loginMs);
        terms(true);
        EXPECT_EQ(runMain(), std::nullopt);
        // The terms window follows the wait for the splash window's timer.
        EXPECT_EQ(tickOf(Record::Kind::ShownModal, "frmTerms"), c.termsAt);
        EXPECT_EQ(tickOf(Record::Kind::Unloaded, "frmSplash"), c.termsAt);
        EXPECT_EQ(ui_->finish(), "");
    }
}

TEST_F(Startup, UpgradeAcceptedOpensThePageAndEndsOnTimer1) {
    saveSetting("AcceptedTerms", "1");
    saveSetting("importmyebay", "1");
    login("bob");
    ui_->expectBox({.caption = "Upgrade",
                    .text = "There is a more recent version of Kestrovane available for "
                            "installation. Do you wish to upgrade?",
                    .style = kv::ui::mb::YesNo,
                    .answer = kv::ui::id::Yes});
    std::uint32_t mainReturned = 0;
    const int code = kv::ui::runProgram([&] {
        Main();
        mainReturned = app().tickCount();
        app().run();
        return 7;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(app().tickCount(), mainReturned + 2000);
    bool upgradeOpened = false;
    for (const auto& n : mainWb1().navigations())
        upgradeOpened |= n.url == kv::service::serviceUrl() + "/upgrade/setup.exe" &&
                         n.targetFrame == "upgradeframe";
    EXPECT_TRUE(upgradeOpened);
}

TEST_F(Startup, Timer1EndsTheProgramWhileTheImportQuestionIsOpen) {
    saveSetting("AcceptedTerms", "1");
    login("bob");
    ui_->expectBox({.caption = "Upgrade", .answer = kv::ui::id::Yes});
    // The user leaves the question open longer than Timer1 waits.
    ui_->expectBox({.text = kImportQuestion, .answer = kv::ui::id::Yes, .after = 5000});
    int imports = 0;
    setStartupCommands({.loadFavorites = {}, .importMyEbay = [&] { ++imports; }});
    EXPECT_EQ(runMain(), 0);
    EXPECT_EQ(imports, 0);
    ASSERT_EQ(ui_->boxes().size(), 2u);
    EXPECT_EQ(ui_->boxes()[1].answer, 0); // never answered
    EXPECT_NE(ui_->transcript().find("eBay?\", style MB_YESNOCANCEL|MB_ICONQUESTION -> none"),
              std::string::npos)
        << ui_->transcript();
}

TEST_F(Startup, UpgradeDeclinedGoesOn) {
    saveSetting("AcceptedTerms", "1");
    saveSetting("importmyebay", "1");
    login("bob");
    ui_->expectBox({.caption = "Upgrade", .answer = kv::ui::id::No});
    EXPECT_EQ(runMain(), std::nullopt);
    EXPECT_FALSE(mainForm().Timer1.enabled());
}

TEST_F(Startup, LogoutAndLoginAsAnotherUser) {
    saveSetting("AcceptedTerms", "1");
    login("alice");
    importQuestion();
    EXPECT_EQ(runMain(), std::nullopt);
    frmMain* first = &mainForm();
    kv::service::clsSecurity* session = &security();
    first->lvListView.addItem("row");
    setShowPaid(false);
    first->mnuViewPaid.setChecked(false);

    login("bob");
    ui_->expectBox({.caption = "Upgrade", .answer = kv::ui::id::No});
    kv::ui::runProgram([] {
        mainForm().mnuLogout.click();
        return 0;
    });
    EXPECT_EQ(&mainForm(), first);
    EXPECT_EQ(&security(), session);
    EXPECT_EQ(first->caption(), "Kestrovane (eBay: bob)");
    EXPECT_EQ(first->lvListView.itemCount(), 0);
    EXPECT_TRUE(showPaid());
    EXPECT_TRUE(first->mnuViewPaid.checked()); // the mark follows the filter
    bool bobCookie = false;
    for (const auto& c : kv::cookies::allCookies())
        if (c.name == "s") bobCookie = c.value == "BOB9876543210";
    EXPECT_TRUE(bobCookie);
}

TEST(StartupCookie, DataDropsTheFirstTwoCharacters) {
    struct Case {
        const char* cookie;
        std::string data;
    };
    for (const Case& c :
         {Case{"", kExpiry}, Case{"s", kExpiry}, Case{"s=", kExpiry},
          Case{"s=X", std::string("X") + kExpiry}, Case{"s=ABC", std::string("ABC") + kExpiry}}) {
        EXPECT_EQ(ebayCookieData(c.cookie), c.data) << c.cookie;
    }
}

} // namespace
} // namespace kv::app
