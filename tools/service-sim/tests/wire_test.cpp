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

TEST(ServiceSimWire, AcceptsWellFormedRequests) {
    const std::string account =
        "&user_id=alice&plp=a%20b&password=" + passwordDigest("a b") + "&version=1.0.3";
    std::string error;
    const auto req = readRequest(
        encipher("0=0&cmd=textdump&status_id=1&sort=auction_id" + account) + "&r=0.5", error);
    ASSERT_TRUE(req) << error;
    EXPECT_EQ(req->cmd, "textdump");
    EXPECT_EQ(req->fields, (Fields{{"status_id", "1"}, {"sort", "auction_id"}}));
    EXPECT_EQ(req->plp, "a b");

    const auto plain = readRequest("cmd=terms", error);
    ASSERT_TRUE(plain);
    EXPECT_FALSE(plain->enciphered);
    EXPECT_EQ(plain->cmd, "terms");
}

TEST(ServiceSimWire, RejectsMalformedRequests) {
    const std::string digest = passwordDigest("pw");
    const std::string good = "&user_id=u&plp=pw&password=" + digest + "&version=1.0.3";
    const std::vector<std::string> bad = {
        "1=1&cmd=login" + good,
        "0=0&status_id=1&cmd=login" + good,
        "0=0&cmd=login&user_id=u&plp=pw&password=" + digest + "&version=1.0.3&chal=5",
        "0=0&cmd=login&plp=pw&user_id=u&password=" + digest + "&version=1.0.3",
        "0=0&cmd=login&user_id=u&plp=pw&password=" + digest,
        "0=0&cmd=login&user_id=u&plp=other&password=" + digest + "&version=1.0.3",
        "0=0&cmd=login&user_id=u&plp=pw&password=" + digest + "&version=1.00.3",
        "0=0&cmd=login&junk" + good,
    };
    for (const std::string& plain : bad) {
        std::string error;
        EXPECT_FALSE(readRequest(encipher(plain), error)) << plain;
        EXPECT_FALSE(error.empty()) << plain;
    }
}

} // namespace
} // namespace kv::servicesim
