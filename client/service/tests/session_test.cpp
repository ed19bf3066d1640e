#include "client/protocol/base64.h"
#include "client/protocol/keys.h"
#include "client/protocol/rc4.h"
#include "client/service/security.h"
#include "client/service/web.h"
#include "platform/registry/registry.h"
#include "platform/ui/headless/headless.h"
#include "tools/service-sim/server.h"

#include <httplib.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <thread>
#include <unistd.h>

namespace kv::service {
namespace {

// The stand-in service on a free loopback port, with the client pointed at it and the
// headless window model recording boxes.
class SessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui_ = &kv::ui::headless::install();
        ASSERT_GT(sim_.start(), 0);
        pointAt(sim_.baseUrl());
    }
    void TearDown() override {
        // Every request the client sent is one the service takes.
        EXPECT_EQ(sim_.refusals(), std::vector<std::string>{});
        EXPECT_EQ(ui_->finish(), "");
        unsetenv("KV_SERVICE_URL");
    }
    static void pointAt(const std::string& url) { setenv("KV_SERVICE_URL", url.c_str(), 1); }
    // The fields of a "diagnose" as the client sends it.
    static Hash diagnoseArgs() {
        Hash args;
        args.Add("chal", "5");
        return args;
    }

    // The query text a request URL carries, deciphered.
    static std::string decipher(const std::string& url) {
        return protocol::RC4Crypt(protocol::Base64Decode(url.substr(url.find('?') + 1)),
                                  protocol::kRequestKey);
    }

    kv::ui::headless::HeadlessBackend* ui_ = nullptr;
    kv::servicesim::Server sim_;
    clsSecurity security_;
};

TEST_F(SessionTest, RequestCarriesPrefixCommandFieldsThenAccount) {
    Hash args;
    args.Add("status_id", 1);
    const std::string url = security_.getURLSecure("refresh", args);
    EXPECT_EQ(url.substr(0, url.find('?')), sim_.baseUrl() + "/tx.cgi");
    EXPECT_EQ(decipher(url),
              "0=0&cmd=refresh&status_id=1&user_id=&plp=&password=&version=1%2E1%2E6");
    // The caller's Hash holds the account fields now.
    EXPECT_EQ(args.Keys(),
              (std::vector<std::string>{"status_id", "user_id", "plp", "password", "version"}));

    Hash spaced;
    spaced.Add("title", "a b&c");
    spaced.Add("max_bid", 25);
    EXPECT_EQ(decipher(security_.getURLSecure("m1", spaced)),
              "0=0&cmd=m1&title=a%20b%26c&max_bid=25&user_id=&plp=&password=&version=1%2E1%2E6");

    // Sent a second time, the account fields keep their places.
    spaced.Add("extra", "x");
    EXPECT_EQ(decipher(security_.getURLSecure("m1", spaced)),
              "0=0&cmd=m1&title=a%20b%26c&max_bid=25&user_id=&plp=&password=&version=1%2E1%2E6"
              "&extra=x");
    EXPECT_EQ(decipher(security_.getURLSecure("news")),
              "0=0&cmd=news&user_id=&plp=&password=&version=1%2E1%2E6");
}

TEST_F(SessionTest, ChallengeIsAWholeNumberInRange) {
    const std::string& c = security_.challenge();
    ASSERT_FALSE(c.empty());
    EXPECT_EQ(c.find_first_not_of("0123456789"), std::string::npos);
    EXPECT_TRUE(c == "0" || c[0] != '0');
    EXPECT_LT(std::stol(c), 239489874L);
}

TEST_F(SessionTest, RecordReplyBecomesHashOfTextsInOrder) {
    Hash args = diagnoseArgs();
    Hash reply = security_.queryKestrovane("diagnose", args);
    EXPECT_EQ(reply.Keys(), (std::vector<std::string>{"all", "return", "message"}));
    EXPECT_EQ(reply.Retrieve("all", ""), Value("well"));
    EXPECT_EQ(reply.Retrieve("return", 0), Value("1"));
    EXPECT_EQ(reply.Retrieve("message", ""), Value("Connection OK"));
    EXPECT_EQ(sim_.requests().size(), 1u); // the service accepted the request's form
}

TEST_F(SessionTest, UnacceptedRepliesGiveOneBoxAndOnlyInvalid) {
    httplib::Server errors;
    const int port = errors.bind_to_any_port("127.0.0.1");
    std::thread loop([&] { errors.listen_after_bind(); });
    errors.Get("/404/tx.cgi", [](const httplib::Request&, httplib::Response& res) {
        res.status = 404;
        res.set_content("Not Found", "text/plain");
    });
    errors.Get("/500/tx.cgi", [](const httplib::Request&, httplib::Response& res) {
        res.status = 500;
        res.set_content("Internal Server Error", "text/plain");
    });
    const std::string base = "http://127.0.0.1:" + std::to_string(port);
    struct Case {
        std::string url;
        bool garbage;
        std::string body;
    };
    const std::vector<Case> cases = {
        {sim_.baseUrl(), true, "<html><body>Service temporarily unavailable</body></html>"},
        {base + "/404", false, "Not Found"},
        {base + "/500", false, "Internal Server Error"},
    };
    for (const Case& c : cases) {
        kv::servicesim::Switches sw;
        sw.garbage = c.garbage;
        sim_.setSwitches(sw);
        pointAt(c.url);
        ui_->expectBox({.caption = "Received invalid response from server.",
                        .text = c.body,
                        .style = kv::ui::mb::IconError});
        Hash args = diagnoseArgs();
        Hash reply = security_.queryKestrovane("diagnose", args);
        EXPECT_EQ(reply.Keys(), std::vector<std::string>{"invalid"}) << c.url;
        EXPECT_EQ(reply.Retrieve("invalid", 0), Value(1)) << c.url;
    }
    errors.stop();
    loop.join();
}

TEST_F(SessionTest, ServiceSwitchesShapeTheReply) {
    kv::servicesim::Switches sw;
    sw.failMessage = "Service closed for maintenance";
    sw.slowMs = 200;
    sim_.setSwitches(sw);
    Hash args = diagnoseArgs();
    Hash failed = security_.queryKestrovane("diagnose", args);
    EXPECT_EQ(failed.Retrieve("return", 0), Value("0"));
    EXPECT_EQ(failed.Retrieve("message", ""), Value("Service closed for maintenance"));

    // A repeated key, an error status over a valid body and a body paced in small pieces
    // all read as the usual reply.
    for (int awkward = 0; awkward < 3; ++awkward) {
        sw = {};
        sw.repeatKeys = awkward == 0;
        sw.status500 = awkward == 1;
        sw.paceMs = awkward == 2 ? 2 : 0;
        sim_.setSwitches(sw);
        Hash again = diagnoseArgs();
        Hash reply = security_.queryKestrovane("diagnose", again);
        EXPECT_EQ(reply.Keys(), (std::vector<std::string>{"all", "return", "message"})) << awkward;
        EXPECT_EQ(reply.Retrieve("return", 0), Value("1")) << awkward;
        EXPECT_EQ(reply.Retrieve("message", ""), Value("Connection OK")) << awkward;
    }

    // A connection dropped half-way is no reply, though the first half still holds the
    // marker: one box with nothing in it, and only invalid.
    for (const bool garbage : {false, true}) {
        sw = {};
        sw.garbage = garbage;
        sw.closeEarly = true;
        sim_.setSwitches(sw);
        ui_->expectBox({.caption = "Received invalid response from server.", .text = ""});
        Hash cut = diagnoseArgs();
        EXPECT_EQ(security_.queryKestrovane("diagnose", cut).Keys(),
                  std::vector<std::string>{"invalid"});
    }
    // A list cut short gives no lines and says so.
    Hash list;
    bool noResponse = false;
    EXPECT_TRUE(security_.queryKestrovaneMulti("news", list, &noResponse).empty());
    EXPECT_TRUE(noResponse);
    sim_.setSwitches({});
    Hash whole;
    EXPECT_FALSE(security_.queryKestrovaneMulti("news", whole, &noResponse).empty());
    EXPECT_FALSE(noResponse);
}

TEST_F(SessionTest, BodiesOfAnySizeArriveWhole) {
    httplib::Server bodies;
    const int port = bodies.bind_to_any_port("127.0.0.1");
    std::thread loop([&] { bodies.listen_after_bind(); });
    for (std::size_t size : {std::size_t{2048}, std::size_t{5000}}) {
        std::string body;
        for (std::size_t i = 0; i < size; ++i)
            body += static_cast<char>('a' + i % 26);
        bodies.Get("/b" + std::to_string(size),
                   [body](const httplib::Request&, httplib::Response& res) {
                       res.set_content(body, "text/plain");
                   });
        EXPECT_EQ(httpGet("http://127.0.0.1:" + std::to_string(port) + "/b" + std::to_string(size)),
                  body);
    }
    bodies.stop();
    loop.join();
}

TEST_F(SessionTest, ReadLoopLetsWindowEventsRun) {
    int ran = 0;
    kv::ui::app().post([&] { ++ran; });
    Hash args;
    security_.queryKestrovaneMulti("news", args);
    EXPECT_EQ(ran, 1);
}

TEST_F(SessionTest, ListReplyLines) {
    Hash none;
    none.Add("status_id", 0);
    none.Add("sort", "auction_id");
    // Not logged in: the service answers nothing, which gives no lines.
    EXPECT_TRUE(security_.queryKestrovaneMulti("textdump", none).empty());

    httplib::Server lines;
    const int port = lines.bind_to_any_port("127.0.0.1");
    std::thread loop([&] { lines.listen_after_bind(); });
    lines.Get("/tx.cgi", [](const httplib::Request&, httplib::Response& res) {
        res.set_content("Auction\tTitle\r\n1|2\tx\n\nlast\n", "text/plain");
    });
    pointAt("http://127.0.0.1:" + std::to_string(port));
    Hash args;
    EXPECT_EQ(security_.queryKestrovaneMulti("textdump", args),
              (std::vector<std::string>{"Auction\tTitle\r", "1|2\tx", "", "last", ""}));
    lines.stop();
    loop.join();
}

TEST_F(SessionTest, UnreachableHostGivesEmptyTextAndNoBox) {
    sim_.stop();
    EXPECT_EQ(httpGet(sim_.baseUrl() + "/tx.cgi?x"), "");
    EXPECT_TRUE(ui_->boxes().empty());
}

// A login dialog without a window: each turn answers from a list.
class ScriptedPrompt : public CredentialsPrompt {
public:
    struct Turn {
        bool accept;
        std::string user, password, code;
    };
    std::vector<Turn> turns;
    std::vector<std::string> asked; // what the session asked, in order

    void startLogin(const std::string& userId) override { asked.push_back("start " + userId); }
    void askSecurityCode(const std::string& imageUrl) override {
        asked.push_back("code " + imageUrl);
    }
    bool askCredentials() override {
        asked.push_back("ask");
        current_ = turns.at(next_++);
        return current_.accept;
    }
    std::string userId() const override { return current_.user; }
    std::string password() const override { return current_.password; }
    std::string securityCode() const override { return current_.code; }

private:
    std::size_t next_ = 0;
    Turn current_;
};

TEST_F(SessionTest, LoginAsksThroughThePromptAndSendsTheSecurityCode) {
    const auto hives =
        std::filesystem::temp_directory_path() / ("kv-session-" + std::to_string(::getpid()));
    std::filesystem::create_directories(hives);
    kv::registry::resetForTests();
    kv::registry::setHiveFolder(hives.string());

    ScriptedPrompt prompt;
    prompt.turns = {{true, "carol", "secret", ""}, {true, "carol", "secret", "7Q4K"}};
    security_.setCredentialsPrompt([&]() -> CredentialsPrompt& { return prompt; });
    security_.doLogin();
    EXPECT_EQ(security_.m_Level, 1);
    EXPECT_EQ(security_.m_UserId, "carol");
    EXPECT_EQ(security_.m_Cookie, "s=CAROL555");
    EXPECT_EQ(prompt.asked,
              (std::vector<std::string>{"start ", "ask",
                                        "code " + sim_.baseUrl() + "/code.bmp?t=TK-carol", "ask"}));

    // The next login starts from the user id last used.
    clsSecurity next;
    ScriptedPrompt again;
    again.turns = {{true, "carol", "secret", ""}, {true, "carol", "secret", "7Q4K"}};
    next.setCredentialsPrompt([&]() -> CredentialsPrompt& { return again; });
    next.doLogin();
    ASSERT_FALSE(again.asked.empty());
    EXPECT_EQ(again.asked.front(), "start carol");

    kv::registry::resetForTests();
    std::filesystem::remove_all(hives);
}

} // namespace
} // namespace kv::service
