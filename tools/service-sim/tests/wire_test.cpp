#include "tools/service-sim/commands.h"
#include "tools/service-sim/wire.h"

#include "client/protocol/base64.h"
#include "client/protocol/keys.h"
#include "client/protocol/rc4.h"

#include <gtest/gtest.h>

namespace kv::servicesim {
namespace {

std::string encipher(const std::string& plain) {
    return kv::protocol::Base64Encode(kv::protocol::RC4Crypt(plain, kv::protocol::kRequestKey));
}

// The account fields of user "u" with password "a b", as the client writes them.
std::string account() {
    return "&user_id=u&plp=a%20b&password=" + passwordDigest("a b") + "&version=1%2E1%2E6";
}

// Whether the service takes the raw query, request line and command fields both.
bool accepted(const std::string& raw, std::string& error) {
    const auto req = readRequest(raw, error);
    return req && (!req->enciphered || fieldsInOrder(*req, error));
}

TEST(ServiceSimWire, AcceptsWhatTheClientSends) {
    std::string error;
    const auto req =
        readRequest(encipher("0=0&cmd=textdump&status_id=1&sort=auction%5Fid" + account()), error);
    ASSERT_TRUE(req) << error;
    EXPECT_EQ(req->cmd, "textdump");
    EXPECT_EQ(req->fields, (Fields{{"status_id", "1"}, {"sort", "auction_id"}}));
    EXPECT_EQ(req->plp, "a b");
    EXPECT_EQ(req->version, "1.1.6");
    EXPECT_TRUE(fieldsInOrder(*req, error)) << error;

    const std::vector<std::string> good = {
        encipher("0=0&cmd=news" + account()) + "&r=0.7055475",
        encipher("0=0&cmd=news" + account()) + "&r=0",
        encipher("0=0&cmd=login&chal=12&user_id=&plp=&password=&version=1%2E1%2E6"),
        encipher("0=0&cmd=login&chal=12&tokentext=7Q4K&tokenstring=TK%2Dcarol" + account()),
        encipher("0=0&cmd=delete&bid_id=101&status_id=1" + account()),
        encipher("0=0&cmd=setpaid&status_id=0&bidlist=101%7C102%7C" + account()),
        "cmd=terms",
        "cmd=privacy",
    };
    for (const std::string& raw : good)
        EXPECT_TRUE(accepted(raw, error)) << raw << ": " << error;
}

TEST(ServiceSimWire, RefusesWhatTheClientNeverSends) {
    const std::string digest = passwordDigest("a b");
    const std::string who = "&user_id=u&plp=a%20b&password=" + digest;
    const std::string rawCipher = encipher("0=0&cmd=myebay" + account());
    struct Case {
        std::string raw;
        std::string why; // part of the reason given
    };
    const std::vector<Case> cases = {
        {"", "Base64"},
        {"not*base64!", "Base64"},
        {rawCipher.substr(0, rawCipher.size() - 1), "Base64"},
        {rawCipher + "==", "Base64"},
        {"%2B" + rawCipher.substr(1), "Base64"},
        {"cmd=login&user_id=u&plp=a%20b", "unenciphered"},
        {"cmd=myebay", "unenciphered"},
        {encipher("1=1&cmd=myebay" + account()), "0=0"},
        {encipher("0=0&status_id=1&cmd=refresh" + account()), "cmd"},
        {encipher("0=0&cmd=Refresh&status_id=1" + account()), "command name"},
        {encipher("0=0&cmd=myebay&junk" + account()), "without '='"},
        {encipher("0=0&cmd=refresh&status%5Fid=1" + account()), "field name"},
        {encipher("0=0&cmd=addfavorite&auction_id=a+b" + account()), "encoded"},
        {encipher("0=0&cmd=addfavorite&auction_id=a%2fb" + account()), "encoded"},
        {encipher("0=0&cmd=addfavorite&auction_id=a%41" + account()), "encoded"},
        {encipher("0=0&cmd=myebay" + who + "&version=1.1.6"), "encoded"},
        {encipher("0=0&cmd=myebay" + who + "&version=1%2E01%2E6"), "version"},
        {encipher("0=0&cmd=myebay" + who + "&version=1%2E1"), "version"},
        {encipher("0=0&cmd=myebay" + who), "missing"},
        {encipher("0=0&cmd=myebay&plp=a%20b&user_id=u&password=" + digest + "&version=1%2E1%2E6"),
         "out of place"},
        {encipher("0=0&cmd=myebay" + account() + "&chal=5"), "out of place"},
        {encipher("0=0&cmd=myebay&user_id=u&plp=other&password=" + digest + "&version=1%2E1%2E6"),
         "digest"},
        {encipher("0=0&cmd=refresh" + account()), "fields of refresh"},
        {encipher("0=0&cmd=textdump&sort=seller&status_id=1" + account()), "fields of textdump"},
        {encipher("0=0&cmd=delete&status_id=1&bid_id=101" + account()), "fields of delete"},
        {encipher("0=0&cmd=login&chal=1&tokenstring=TK&tokentext=7" + account()),
         "fields of login"},
        {encipher("0=0&cmd=myebay&status_id=1" + account()), "fields of myebay"},
        {encipher("0=0&cmd=textdump&status_id=1&sort=seller" + account()) + "&r=0.5", "behind"},
        {encipher("0=0&cmd=news" + account()) + "&r=3e-05", "behind"},
        {encipher("0=0&cmd=news" + account()) + "&x=1", "behind"},
        {encipher("0=0&cmd=news" + account()) + "&r=.5", "behind"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(accepted(c.raw, error)) << c.raw;
        EXPECT_NE(error.find(c.why), std::string::npos) << c.raw << ": " << error;
    }
}

} // namespace
} // namespace kv::servicesim
