#include "tools/service-sim/code_picture.h"
#include "tools/service-sim/server.h"
#include "tools/service-sim/wire.h"

#include "client/protocol/base64.h"
#include "client/protocol/keys.h"
#include "client/protocol/rc4.h"
#include "client/protocol/url_encoding.h"

#include <httplib.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace kv::servicesim {
namespace {

using kv::protocol::Base64Decode;
using kv::protocol::Base64Encode;
using kv::protocol::RC4Crypt;

// The stand-in on a free port and a client for it that sends requests as the client does.
class ServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_GT(sim_.start(), 0);
        http_ = std::make_unique<httplib::Client>(sim_.baseUrl());
        http_->set_url_encode(false); // the query goes out as it stands, like the client's
    }

    // alice's request for cmd with the given "&key=value" fields (values already encoded).
    static std::string query(const std::string& cmd, const std::string& fields = "") {
        const std::string plain = "0=0&cmd=" + cmd + fields +
                                  "&user_id=alice&plp=secret&password=" + passwordDigest("secret") +
                                  "&version=1%2E1%2E6";
        return Base64Encode(RC4Crypt(plain, kv::protocol::kRequestKey));
    }
    httplib::Result get(const std::string& raw) { return http_->Get("/tx.cgi?" + raw); }
    // A record reply's plain text.
    static std::string plain(const httplib::Result& r) {
        return r ? RC4Crypt(Base64Decode(r->body), kv::protocol::kReplyKey) : "";
    }
    std::size_t snipeCount() {
        std::size_t n = 0;
        sim_.withStore([&](Store& s) { n = s.snipes.size(); });
        return n;
    }

    Server sim_;
    std::unique_ptr<httplib::Client> http_;
};

TEST_F(ServerTest, RefusalIsLoggedAndAnsweredWithAFailure) {
    const auto r = get("cmd=myebay");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 400);
    EXPECT_EQ(plain(r), "all=well&return=0&message=Bad%20request%3A%20an%20unenciphered%20query");
    EXPECT_EQ(sim_.refusals(), std::vector<std::string>{"an unenciphered query"});
    EXPECT_TRUE(sim_.requests().empty());
}

TEST_F(ServerTest, AFailureChangesNothingInTheStore) {
    const std::size_t before = snipeCount();
    Switches sw;
    sw.failMessage = "Down for maintenance";
    sim_.setSwitches(sw);
    EXPECT_EQ(plain(get(query("myebay"))), "all=well&return=0&message=Down%20for%20maintenance");
    EXPECT_EQ(snipeCount(), before);
    sw = {};
    sw.failCommand = "myebay";
    sim_.setSwitches(sw);
    EXPECT_EQ(plain(get(query("myebay"))), "all=well&return=0");
    EXPECT_EQ(snipeCount(), before);

    sim_.setSwitches({});
    EXPECT_EQ(plain(get(query("myebay"))), "all=well&return=1&message=2%20items%20imported%2E");
    EXPECT_EQ(snipeCount(), before + 2);
}

TEST_F(ServerTest, TimeLeftAgreesWithEnds) {
    const auto r = get(query("textdump", "&status_id=0&sort=auction%5Fid"));
    ASSERT_TRUE(r);
    const std::time_t now = std::time(nullptr);
    int active = 0;
    std::size_t start = r->body.find('\n') + 1; // below the titles
    for (std::size_t lf; (lf = r->body.find('\n', start)) != std::string::npos; start = lf + 1) {
        std::vector<std::string> f;
        const std::string line = r->body.substr(start, lf - start);
        for (std::size_t a = 0, t;; a = t + 1) {
            t = line.find('\t', a);
            f.push_back(line.substr(a, t == std::string::npos ? t : t - a));
            if (t == std::string::npos) break;
        }
        ASSERT_EQ(f.size(), 16u) << line;
        std::tm ends{};
        ASSERT_TRUE(strptime(f[5].c_str(), "%Y-%m-%d %H:%M:%S", &ends)) << f[5];
        ends.tm_isdst = -1;
        const long untilEnds = static_cast<long>(std::mktime(&ends) - now);
        const long left = std::stol(f[10]);
        if (f[15] == "1") {
            ++active;
            EXPECT_NEAR(static_cast<double>(left), static_cast<double>(untilEnds), 5) << line;
            EXPECT_GT(left, 0) << line;
            const long h = left % 86400 / 3600, m = left % 3600 / 60;
            EXPECT_NE(f[6].find(std::to_string(h) + "h " + std::to_string(m) + "m"),
                      std::string::npos)
                << line;
        } else {
            EXPECT_LT(untilEnds, 0) << line; // ended auctions ended before now
            EXPECT_EQ(left, 0) << line;
            EXPECT_EQ(f[6], "Ended") << line;
        }
    }
    EXPECT_EQ(active, 2);
}

TEST_F(ServerTest, AwkwardRepliesCarryTheSameRecord) {
    const std::string usual = plain(get(query("diagnose", "&chal=5")));
    EXPECT_EQ(usual, "all=well&return=1&message=Connection%20OK");

    Switches sw;
    sw.repeatKeys = true;
    sim_.setSwitches(sw);
    EXPECT_EQ(plain(get(query("diagnose", "&chal=5"))),
              "all=well&return=&message=&return=1&message=Connection%20OK");

    sw = {};
    sw.status500 = true;
    sim_.setSwitches(sw);
    const auto failed = get(query("diagnose", "&chal=5"));
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->status, 500);
    EXPECT_EQ(plain(failed), usual);

    sw = {};
    sw.paceMs = 2;
    sim_.setSwitches(sw);
    int pieces = 0;
    std::string body;
    const auto paced =
        http_->Get("/tx.cgi?" + query("diagnose", "&chal=5"), [&](const char* data, std::size_t n) {
            ++pieces;
            body.append(data, n);
            return true;
        });
    ASSERT_TRUE(paced);
    EXPECT_EQ(RC4Crypt(Base64Decode(body), kv::protocol::kReplyKey), usual);
    EXPECT_GT(pieces, 3);
}

// "&key=value" for each field, the value encoded as the client encodes it.
std::string fields(const std::vector<std::pair<std::string, std::string>>& f) {
    std::string out;
    for (const auto& [k, v] : f)
        out += "&" + k + "=" + kv::protocol::urlEncode(v, false);
    return out;
}

std::string storeFields(const std::string& amount, const std::string& qty,
                        const std::string& group) {
    return fields({{"bid_amount", amount},
                   {"qty", qty},
                   {"delay", "300"},
                   {"friendly", "0"},
                   {"paid", "0"},
                   {"received", "0"},
                   {"bidgroup_id", group}});
}

TEST_F(ServerTest, SnipesAreFetchedAndStoredAgainstTheCatalogue) {
    // A new snipe: the auction's record, then the store checked against its limits.
    EXPECT_EQ(
        plain(get(query("g1", fields({{"auction_id", "3007770001"}, {"auction_house_id", "1"}})))),
        "all=well&return=1&message=&title=Carriage%20clock&auction_house_id=1&"
        "auction_id=3007770001&closed=False&bid_amount=&max_bid=25%2E00&"
        "min_bid=10%2E00&max_qty=2&qty=1&bid_offset=8&bidgroup_id=0&"
        "friendly_bid=0&currency=GBP&paid=0&received=0&status_id=0");
    const std::string add = fields({{"auction_id", "3007770001"}, {"auction_house_id", "1"}});
    struct Case {
        std::string amount, qty, group, reply;
    };
    const Case refused[] = {
        {"9.99", "1", "0", "Bid%20out%20of%20range%2E"},
        {"25.01", "1", "0", "Bid%20out%20of%20range%2E"},
        {"12a", "1", "0", "Invalid%20bid%20amount%2E"},
        {"12", "3", "0", "Invalid%20quantity%2E"},
        {"12", "1", "4", "No%20such%20bid%20group%2E"},
    };
    const std::size_t before = snipeCount();
    for (const Case& c : refused) {
        EXPECT_EQ(plain(get(query("m1", add + storeFields(c.amount, c.qty, c.group)))),
                  "all=well&return=0&message=" + c.reply)
            << c.amount << " " << c.qty << " " << c.group;
    }
    EXPECT_EQ(snipeCount(), before);
    EXPECT_EQ(plain(get(query("m1", add + storeFields("25,00", "2", "9")))),
              "all=well&return=1&message=");
    ASSERT_EQ(snipeCount(), before + 1);
    const auto dump = get(query("textdump", "&status_id=1&sort=auction%5Fid"));
    ASSERT_TRUE(dump);
    EXPECT_NE(dump->body.find("200|3007770001\tCarriage clock\t25.00\t"), std::string::npos)
        << dump->body;
    EXPECT_NE(dump->body.find("\tClocks\t1\n"), std::string::npos) << dump->body;

    // The stored snipe comes back with its own values; an ended auction keeps its bid.
    const std::string g2 = plain(get(query("g2", "&bid_id=200")));
    EXPECT_NE(g2.find("&bid_amount=25%2E00&"), std::string::npos) << g2;
    EXPECT_NE(g2.find("&qty=2&bid_offset=300&bidgroup_id=9&"), std::string::npos) << g2;
    EXPECT_NE(
        plain(get(query("g1", fields({{"auction_id", "3007770003"}, {"auction_house_id", "1"}}))))
            .find("&closed=True&"),
        std::string::npos);
    EXPECT_EQ(
        plain(get(query("m1", fields({{"auction_id", "3007770003"}, {"auction_house_id", "1"}}) +
                                  storeFields("5", "1", "0")))),
        "all=well&return=0&message=This%20auction%20has%20ended%2E");
    EXPECT_EQ(plain(get(query("m2", "&bid_id=103" + storeFields("1", "1", "0")))),
              "all=well&return=1&message=");
    sim_.withStore([](Store& s) { EXPECT_EQ(s.findSnipe("alice", 103)->maxBid, 80.0); });
}

TEST_F(ServerTest, BidGroupsAreListedAndAddedOncePerName) {
    EXPECT_EQ(get(query("getbidgroups"))->body, "3\tWatches\n9\tClocks\n");
    EXPECT_EQ(plain(get(query("addbidgroup", "&bidgroup_name=Pocket%20watches"))),
              "all=well&return=50&message=");
    EXPECT_EQ(plain(get(query("addbidgroup", "&bidgroup_name=clocks"))),
              "all=well&return=0&message=You%20already%20have%20a%20bid%20group%20of%20that%20"
              "name%2E");
    EXPECT_EQ(get(query("getbidgroups"))->body, "3\tWatches\n9\tClocks\n50\tPocket watches\n");
}

TEST_F(ServerTest, SwitchesGiveOneCommandChosenFieldsOrListText) {
    Switches sw;
    sw.failCommand = "g2";
    sw.failCommandFields = {{"return", "1"}, {"title", "Chosen"}};
    sw.listBody = "7\tChosen group\n";
    sw.listCommand = "getbidgroups";
    sim_.setSwitches(sw);
    EXPECT_EQ(plain(get(query("g2", "&bid_id=101"))), "all=well&return=1&title=Chosen");
    EXPECT_EQ(get(query("getbidgroups"))->body, "7\tChosen group\n");
    EXPECT_EQ(get(query("favorites"))->body.substr(0, 11), "3009988771\t");
}

TEST_F(ServerTest, OptionsAreKeptPerUserWithDefaults) {
    const std::string defaults =
        "all=well&return=1&message=&default_offset=8&friendly_pct=6&friendly_offset=5&"
        "feedback1=Great%20buyer%2C%20prompt%20payment%2E&"
        "feedback2=Smooth%20transaction%2C%20thank%20you%2E&"
        "feedback3=Item%20as%20described%2E&feedback4=";
    EXPECT_EQ(plain(get(query("getoptions"))), defaults);
    auto set = [&](const std::string& offset, const std::string& pct, const std::string& delay,
                   const std::string& first) {
        return plain(get(query("setoptions", fields({{"friendly_offset", offset},
                                                     {"friendly_pct", pct},
                                                     {"default_offset", delay},
                                                     {"feedback1", first},
                                                     {"feedback2", ""},
                                                     {"feedback3", ""},
                                                     {"feedback4", "Thanks"}}))));
    };
    EXPECT_EQ(set("6", "10", "60", ""),
              "all=well&return=0&message=Invalid%20friendly%20bidding%20limits%2E");
    EXPECT_EQ(set("2", "31", "60", ""),
              "all=well&return=0&message=Invalid%20friendly%20bidding%20limits%2E");
    EXPECT_EQ(set("2", "10", "0", ""), "all=well&return=0&message=Invalid%20time%2E");
    EXPECT_EQ(set("2", "10", "60", std::string(81, 'x')),
              "all=well&return=0&message=A%20feedback%20message%20is%20too%20long%2E");
    EXPECT_EQ(plain(get(query("getoptions"))), defaults); // refused: nothing changed
    EXPECT_EQ(set("0", "10", "36000", "Fast"), "all=well&return=1&message=");
    EXPECT_EQ(plain(get(query("getoptions"))),
              "all=well&return=1&message=&default_offset=36000&friendly_pct=10&"
              "friendly_offset=0&feedback1=Fast&feedback2=&feedback3=&feedback4=Thanks");
    sim_.withStore([](Store& s) {
        ASSERT_EQ(s.options.size(), 1u);
        EXPECT_EQ(s.options[0].userId, "alice");
        EXPECT_EQ(s.optionsOf("bob").defaultOffset, 8);
    });
}

// The picture's dots, read back row by row from the top: '#' where it is not white.
std::vector<std::string> dots(const std::string& bmp) {
    auto le = [&](std::size_t at) {
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i)
            v = v << 8 | static_cast<unsigned char>(bmp[at + static_cast<std::size_t>(i)]);
        return v;
    };
    const int width = static_cast<int>(le(18)), height = static_cast<int>(le(22));
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    std::vector<std::string> rows;
    for (int y = 0; y < height; ++y) {
        const std::size_t row = le(10) + rowBytes * static_cast<std::size_t>(height - 1 - y);
        std::string line;
        for (int x = 0; x < width; ++x)
            line += static_cast<unsigned char>(bmp[row + static_cast<std::size_t>(x) * 3]) == 0xFF
                        ? '.'
                        : '#';
        rows.push_back(line);
    }
    return rows;
}

TEST_F(ServerTest, SecurityCodePictureShowsTheCodesText) {
    const auto r = http_->Get("/code.bmp?t=TK-carol");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->status, 200);
    EXPECT_EQ(r->get_header_value("Content-Type"), "image/bmp");
    const std::vector<std::string> rows = dots(r->body);
    ASSERT_EQ(rows.size(), 33u);
    ASSERT_EQ(rows[0].size(), 84u);
    // Each character's cell holds its glyph upright, three pixels a dot.
    const std::string code = "7Q4K";
    for (std::size_t c = 0; c < code.size(); ++c) {
        for (int y = 0; y < 7; ++y) {
            std::string seen;
            for (int x = 0; x < 5; ++x)
                seen += rows[static_cast<std::size_t>(kCodeMargin + 3 * y + 1)]
                            [static_cast<std::size_t>(kCodeMargin) + c * kCodeCellWidth +
                             static_cast<std::size_t>(3 * x + 1)];
            EXPECT_EQ(seen, glyphOf(code[c])[y]) << code[c] << " row " << y;
        }
    }
    EXPECT_EQ(std::string(glyphOf('7')[0]), "#####");
    EXPECT_EQ(rows[0], std::string(84, '.')); // the margin stays white
    EXPECT_NE(codePicture("7Q4K"), codePicture("7Q4L"));

    const auto none = http_->Get("/code.bmp?t=TK-alice");
    ASSERT_TRUE(none);
    EXPECT_EQ(none->status, 404);
}

} // namespace
} // namespace kv::servicesim
