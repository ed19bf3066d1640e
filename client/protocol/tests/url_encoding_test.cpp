#include "client/protocol/url_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace kv::protocol {
namespace {

TEST(UrlEncode, Cases) {
    struct Case {
        std::string text;
        bool plusForSpace;
        std::string encoded;
    };
    const Case cases[] = {
        {"a b", false, "a%20b"},
        {"a b", true, "a+b"},
        {"\t\n", false, "%09%0A"},
        {"&=.", true, "%26%3D%2E"},
        {"AZaz09", false, "AZaz09"},
        {"-_~+%", false, "%2D%5F%7E%2B%25"},
        {"caf\xE9\xFF", false, "caf%E9%FF"},
        {std::string("\0", 1), false, "%00"},
        {"", true, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(urlEncode(c.text, c.plusForSpace), c.encoded) << c.text;
}

TEST(UrlDecode, Cases) {
    const std::pair<std::string, std::string> cases[] = {
        {"a+b", "a b"},
        {"%26", "&"},
        {"%3d%3D", "=="}, // either case of hex digits
        {"%E9t%E9", "\xE9t\xE9"},
        {"%4G", "\x04"},                      // a non-digit ends the number
        {"%G4", std::string("\0", 1) + ""},   // no digit: code 0, both characters used
        {"%%41", std::string("\0", 1) + "1"}, // no validity check
        {"100%", "100%"},                     // cut-off escapes are kept as they stand
        {"%4", "%4"},
        {"a%2", "a%2"},
        {"%20%2B+", " + "},
        {"plain text", "plain text"},
        {"", ""},
    };
    for (const auto& [encoded, text] : cases)
        EXPECT_EQ(urlDecode(encoded), text) << encoded;
}

TEST(UrlEncoding, DecodeUndoesEncodeForEveryByte) {
    std::string all;
    for (int i = 0; i < 256; ++i)
        all += static_cast<char>(i);
    EXPECT_EQ(urlDecode(urlEncode(all, false)), all);
    EXPECT_EQ(urlDecode(urlEncode(all, true)), all);
}

} // namespace
} // namespace kv::protocol
