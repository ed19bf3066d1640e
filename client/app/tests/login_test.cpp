#include "client/app/frm_login.h"
#include "client/protocol/keys.h"
#include "client/protocol/tests/reference_md5.h"
#include "client/service/security.h"
#include "platform/registry/registry.h"
#include "platform/registry/settings.h"
#include "platform/ui/end_program.h"
#include "platform/ui/headless/headless.h"
#include "tools/service-sim/server.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>

namespace kv::app {
namespace {

using kv::service::clsSecurity;

constexpr const char* kNoResponse =
    "No response from the server. You must be connected to the Internet to use Kestrovane.";

// The login digest as the service expects it, from an independent MD5 with the client's
// padding rule: for L mod 64 = 56, or L >= 64 with L mod 64 from 57 to 63, the last block
// is the first 56 waiting bytes and the length, without the 0x80 byte.
std::string expectedDigest(const std::string& password) {
    const std::string m = password + std::string(kv::protocol::kLoginSalt);
    const std::size_t L = m.size(), r = L % 64;
    std::string hex;
    if (r == 56 || (L >= 64 && r > 56)) {
        auto state = kv::protocol::testing::kMd5Initial;
        const std::size_t full = L / 64;
        for (std::size_t b = 0; b < full; ++b) {
            kv::protocol::testing::md5Compress(state, std::string_view(m).substr(b * 64, 64));
        }
        std::string last = m.substr(full * 64, 56);
        const std::uint32_t bits = static_cast<std::uint32_t>(L * 8);
        for (int i = 0; i < 4; ++i)
            last += static_cast<char>((bits >> (8 * i)) & 0xFF);
        last += std::string(4, '\0');
        kv::protocol::testing::md5Compress(state, last);
        hex = kv::protocol::testing::md5Hex(state);
    } else {
        hex = kv::protocol::testing::rfcMd5(m);
    }
    for (char& c : hex)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return hex;
}

class LoginTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui_ = &kv::ui::headless::install();
        hives_ = std::filesystem::temp_directory_path() /
                 ("kv-login-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(hives_);
        kv::registry::resetForTests();
        kv::registry::setHiveFolder(hives_.string());
        ASSERT_GT(sim_.start(), 0);
        setenv("KV_SERVICE_URL", sim_.baseUrl().c_str(), 1);
        security_.setCredentialsPrompt(
            []() -> kv::service::CredentialsPrompt& { return kv::ui::app().form<frmLogin>(); });
    }
    void TearDown() override {
        // Every request the client sent is one the service takes.
        EXPECT_EQ(sim_.refusals(), std::vector<std::string>{});
        EXPECT_EQ(ui_->finish(), "");
        unsetenv("KV_SERVICE_URL");
        kv::registry::resetForTests();
        std::filesystem::remove_all(hives_);
    }
    // The user's next turn at the login dialog: types and clicks OK.
    void answer(const std::string& user, const std::string& password,
                const std::string& token = "") {
        ui_->onModal("frmLogin", [=](kv::ui::Form& f) {
            auto& d = static_cast<frmLogin&>(f);
            d.txtUserName.setText(user);
            d.txtPassword.setText(password);
            if (!token.empty()) d.txtToken.setText(token);
            d.cmdOK.click();
        });
    }
    std::string account(const std::string& user, const std::string& password) const {
        return "&user_id=" + user + "&plp=" + password + "&password=" + expectedDigest(password) +
               "&version=1%2E1%2E6";
    }

    kv::ui::headless::HeadlessBackend* ui_ = nullptr;
    std::filesystem::path hives_;
    kv::servicesim::Server sim_;
    clsSecurity security_;
};

TEST_F(LoginTest, AcceptedLoginTakesOverReplyValues) {
    answer("bob", "secret");
    security_.doLogin();
    EXPECT_EQ(security_.m_Level, 2);
    EXPECT_EQ(security_.m_UserId, "bob");
    EXPECT_EQ(security_.m_Upgrade, "upgrade/setup.exe");
    EXPECT_EQ(security_.m_Cookie, "s=BOB9876543210");
    EXPECT_EQ(sim_.requests(),
              std::vector<std::string>{"0=0&cmd=login&chal=" + security_.challenge() +
                                       account("bob", "secret")});
    EXPECT_EQ(kv::registry::getSetting("Kestrovane", "Settings", "UserName", ""), "bob");

    // The next login starts with the stored user id in the dialog.
    ui_->onModal("frmLogin", [](kv::ui::Form& f) {
        auto& d = static_cast<frmLogin&>(f);
        EXPECT_EQ(d.txtUserName.text(), "bob");
        d.txtUserName.setText("alice");
        d.cmdOK.click();
    });
    security_.doLogin();
    EXPECT_EQ(security_.m_Level, 1);
    EXPECT_EQ(security_.m_Upgrade, "");
}

TEST_F(LoginTest, SecurityCodeChallengeIsAnsweredOnTheNextAttempt) {
    answer("carol", "secret");
    ui_->onModal("frmLogin", [this](kv::ui::Form& f) {
        auto& d = static_cast<frmLogin&>(f);
        EXPECT_TRUE(d.wb1.visible());
        ASSERT_FALSE(d.wb1.navigations().empty());
        EXPECT_EQ(d.wb1.navigations().back().url, sim_.baseUrl() + "/code.bmp?t=TK-carol");
        EXPECT_TRUE(d.txtToken.visible());
        EXPECT_TRUE(d.lblSecurityCode.visible());
        EXPECT_FALSE(d.inst.visible());
        EXPECT_FALSE(d.inst2.visible());
        d.txtToken.setText("7Q4K");
        d.cmdOK.click();
    });
    security_.doLogin();
    EXPECT_EQ(security_.m_Level, 1);
    EXPECT_EQ(security_.m_Cookie, "s=CAROL555");
    const std::string chal = "0=0&cmd=login&chal=" + security_.challenge();
    EXPECT_EQ(sim_.requests(),
              (std::vector<std::string>{chal + account("carol", "secret"),
                                        chal + "&tokentext=7Q4K&tokenstring=TK%2Dcarol" +
                                            account("carol", "secret")}));
}

TEST_F(LoginTest, RefusalsShowTheServiceMessageAndThreeReturn) {
    kv::servicesim::Switches sw;
    sw.refuseLogin = true;
    sim_.setSwitches(sw);
    for (int i = 0; i < 3; ++i) {
        answer("alice", "secret");
        ui_->expectBox({.caption = "Login",
                        .text = "Your account is suspended.",
                        .style = kv::ui::mb::IconError});
    }
    security_.doLogin();
    EXPECT_EQ(security_.m_Level, 0);
    EXPECT_EQ(sim_.requests().size(), 3u);
}

TEST_F(LoginTest, NoServiceOrAReplyCutShortCountsAsRefused) {
    for (const bool cutShort : {true, false}) {
        if (cutShort) {
            kv::servicesim::Switches sw;
            sw.closeEarly = true; // half the reply, which alone would still read as accepted
            sim_.setSwitches(sw);
        } else {
            sim_.stop();
        }
        for (int i = 0; i < 3; ++i) {
            answer("alice", "secret");
            ui_->expectBox({.caption = "Received invalid response from server.", .text = ""});
            ui_->expectBox({.caption = "Login", .text = kNoResponse});
        }
        security_.doLogin();
        EXPECT_EQ(security_.m_Level, 0) << cutShort;
        EXPECT_EQ(security_.m_Cookie, "") << cutShort;
    }
}

TEST_F(LoginTest, CancelEndsTheProgram) {
    ui_->onModal("frmLogin", [](kv::ui::Form& f) { static_cast<frmLogin&>(f).cmdCancel.click(); });
    EXPECT_THROW(security_.doLogin(), kv::ui::EndProgram);
    EXPECT_TRUE(sim_.requests().empty());
}

TEST_F(LoginTest, PasswordDigestFollowsThePaddingRule) {
    std::vector<std::size_t> lengths = {1, 65, 129};
    for (std::size_t n = 58; n <= 65; ++n)
        lengths.push_back(n);
    for (std::size_t n : lengths) {
        std::string password;
        for (std::size_t i = 0; i < n; ++i)
            password += static_cast<char>('a' + i % 26);
        sim_.withStore([&](kv::servicesim::Store& s) { s.users[0].password = password; });
        sim_.clearRequests();
        answer("alice", password);
        security_.doLogin();
        EXPECT_EQ(security_.m_Level, 1) << n;
        ASSERT_EQ(sim_.requests().size(), 1u) << n;
        EXPECT_NE(sim_.requests()[0].find("&password=" + expectedDigest(password) + "&"),
                  std::string::npos)
            << n;
    }
}

TEST_F(LoginTest, DiagnoseSendsAndConfirms) {
    ui_->expectBox({.caption = "Kestrovane", .text = "Diagnostics complete.", .style = 0});
    security_.diagnose();
    EXPECT_EQ(security_.m_Level, 0);
    ASSERT_EQ(sim_.requests().size(), 1u);
    EXPECT_EQ(sim_.requests()[0].rfind("0=0&cmd=diagnose&chal=", 0), 0u);
}

TEST_F(LoginTest, TextdumpListsTheUsersSnipes) {
    answer("alice", "secret");
    security_.doLogin();
    kv::protocol::Hash args;
    args.Add("status_id", 0);
    args.Add("sort", "seller");
    const auto lines = security_.queryKestrovaneMulti("textdump", args);
    ASSERT_EQ(lines.size(), 7u); // titles, five snipes, the empty line after the last
    EXPECT_EQ(lines.back(), "");
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        EXPECT_EQ(std::count(lines[i].begin(), lines[i].end(), '\t'), 15) << lines[i];
    }
    EXPECT_EQ(lines[1].substr(0, 15), "105|3001122338\t"); // seller blackforest first
}

} // namespace
} // namespace kv::app
