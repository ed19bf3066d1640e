#include "client/protocol/base64.h"

#include <gtest/gtest.h>

#include <string>

namespace kv::protocol {
namespace {

TEST(Base64, Rfc4648Section10) {
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
    };
    for (const auto& [plain, encoded] : cases) {
        EXPECT_EQ(Base64Encode(plain), encoded) << plain;
        EXPECT_EQ(Base64Decode(encoded), plain) << encoded;
    }
}

TEST(Base64, EveryByteAndLengthRoundTripsOnOneLine) {
    std::string bytes;
    for (int i = 0; i < 600; ++i)
        bytes += static_cast<char>((i * 7 + 255) & 0xff);
    for (std::size_t length = 0; length <= bytes.size(); length += 1 + length / 8) {
        const std::string text = bytes.substr(0, length);
        const std::string encoded = Base64Encode(text);
        EXPECT_EQ(encoded.size(), (length + 2) / 3 * 4);
        EXPECT_EQ(encoded.find_first_of("\r\n"), std::string::npos);
        EXPECT_EQ(Base64Decode(encoded), text) << length;
    }
    EXPECT_EQ(Base64Encode("\xFF\xFE\xFD"), "//79");
    EXPECT_EQ(Base64Encode(std::string("\0\0", 2)), "AAA=");
}

TEST(Base64, DecodeEdgeCases) {
    const std::pair<std::string, std::string> cases[] = {
        {"Zm9v\nYmFy", "foobar"},      // line feed skipped
        {"Zm 9v Ym Fy\r\n", "foobar"}, // spaces and CR LF skipped
        {"Zm9", ""},                   // fewer than 4 characters
        {"Z m 9", ""},                 // fewer than 4 accepted characters
        {"!@#$%^&*", ""},              // nothing accepted
        {"Zm9vYg", "foo"},             // accepted characters left over are ignored
        {"Zg==", "f"},                 // "==" gives one byte
        {"Zm8=", "fo"},                // "=" gives two
        {"Zg==Zm9v", "ffoo"},          // later groups follow the bytes kept
        {"Zm8=Zg==", "fof"},
        {"Zm9v-Ym*Fy", "foobar"}, // invalid characters skipped
        {std::string("Zm\0\x80\xFF"
                     "9v",
                     7),
         "foo"},
    };
    for (const auto& [encoded, plain] : cases) {
        EXPECT_EQ(Base64Decode(encoded), plain) << '"' << encoded << '"';
    }
}

} // namespace
} // namespace kv::protocol
