#include "client/protocol/md5.h"
#include "client/protocol/tests/reference_md5.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kv::protocol {
namespace {

using testing::kMd5Initial;
using testing::md5Compress;
using testing::md5Hex;
using testing::Md5State;
using testing::rfcMd5;

std::string digest(std::string_view text) {
    return clsMD5().DigestStrToHexStr(text);
}

// A message of n bytes that uses the whole byte range.
std::string pattern(std::size_t n, unsigned seed = 11) {
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i)
        s[i] = static_cast<char>((i * 37 + seed) & 0xff);
    return s;
}

// The digest built the way the client's padding closes long or 56-mod-64 messages: every
// full block, then one block of the first 56 waiting message bytes and the length.
std::string shortenedFinalBlockDigest(std::string_view message) {
    Md5State state = kMd5Initial;
    const std::size_t full = message.size() / 64 * 64;
    for (std::size_t n = 0; n < full; n += 64)
        md5Compress(state, message.substr(n, 64));
    std::string last(message.substr(full, 56));
    const auto bits = static_cast<std::uint32_t>(message.size() * 8);
    for (int i = 0; i < 4; ++i)
        last += static_cast<char>(bits >> (8 * i));
    last.append(4, '\0');
    md5Compress(state, last);
    return md5Hex(state);
}

TEST(Md5, Rfc1321TestSuiteInCapitals) {
    struct Case {
        const char* text;
        const char* digest;
    };
    const Case cases[] = {
        {"", "D41D8CD98F00B204E9800998ECF8427E"},
        {"a", "0CC175B9C0F1B6A831C399E269772661"},
        {"abc", "900150983CD24FB0D6963F7D28E17F72"},
        {"message digest", "F96B697D7CB7938D525A2F31AAF161D0"},
        {"abcdefghijklmnopqrstuvwxyz", "C3FCD3D76192E4007DFB496CCA67E13B"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "D174AB98D277D9F5A5611C2C9F419D9F"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57EDF4A22BE3C955AC49DA2E2107B67A"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(digest(c.text), c.digest) << '"' << c.text << '"';
        EXPECT_EQ(rfcMd5(c.text), c.digest) << "reference: \"" << c.text << '"';
    }
}

// Every length up to five blocks: RFC 1321 where the rule keeps it, else the shortened
// final block.
TEST(Md5, PaddingRuleOverAllLengths) {
    for (std::size_t length = 0; length <= 320; ++length) {
        const std::string message = pattern(length);
        const std::size_t r = length % 64;
        const bool rfc = r <= 55 || (length >= 57 && length <= 63);
        const std::string expected = rfc ? rfcMd5(message) : shortenedFinalBlockDigest(message);
        EXPECT_EQ(digest(message), expected) << "length " << length;
    }
}

TEST(Md5, PaddingDeparturesAtTheNamedLengths) {
    // 56: one block of the 56 bytes and 448 bits, no 0x80 byte; not the RFC value.
    {
        const std::string text = pattern(56);
        std::string block = text + std::string("\xC0\x01\0\0\0\0\0\0", 8);
        Md5State state = kMd5Initial;
        md5Compress(state, block);
        EXPECT_EQ(digest(text), md5Hex(state));
        EXPECT_NE(digest(text), rfcMd5(text));
    }
    // 60: RFC 1321.
    EXPECT_EQ(digest(pattern(60)), rfcMd5(pattern(60)));
    // 120: the first block, then characters 65 to 120 and 960 bits.
    {
        const std::string text = pattern(120);
        Md5State state = kMd5Initial;
        md5Compress(state, text.substr(0, 64));
        md5Compress(state, text.substr(64, 56) + std::string("\xC0\x03\0\0\0\0\0\0", 8));
        EXPECT_EQ(digest(text), md5Hex(state));
        EXPECT_NE(digest(text), rfcMd5(text));
    }
    // Characters past the first 56 waiting ones do not count: 121..124 of 124 and
    // 249..255 of 255; the character just before them does.
    struct Case {
        std::size_t length, firstUncounted;
    };
    for (const Case c : {Case{124, 121}, Case{255, 249}, Case{127, 121}}) {
        const std::string text = pattern(c.length);
        std::string tail = text, before = text;
        for (std::size_t i = c.firstUncounted - 1; i < c.length; ++i)
            tail[i] ^= 0x5A;
        before[c.firstUncounted - 2] ^= 0x5A;
        EXPECT_EQ(digest(tail), digest(text)) << "length " << c.length;
        EXPECT_NE(digest(before), digest(text)) << "length " << c.length;
    }
}

TEST(Md5, FeedingInPiecesGivesTheSameDigest) {
    for (const std::size_t length : {0u, 1u, 55u, 56u, 63u, 64u, 65u, 120u, 127u, 200u, 255u}) {
        const std::string text = pattern(length, 3);
        const std::string whole = digest(text);
        for (const std::size_t piece : {1u, 7u, 63u, 64u, 65u}) {
            clsMD5 md5;
            md5.MD5Init();
            for (std::size_t n = 0; n < length; n += piece) {
                const std::size_t size = std::min(piece, length - n);
                std::vector<std::uint8_t> bytes(text.begin() + n, text.begin() + n + size);
                md5.MD5Update(static_cast<std::int32_t>(size), bytes);
            }
            md5.MD5Final();
            EXPECT_EQ(md5.GetValues(), whole) << "length " << length << " piece " << piece;
        }
    }
}

TEST(Md5, UpdateCountsOnlyWhatItIsGiven) {
    const std::vector<std::uint8_t> abc = {'a', 'b', 'c'};
    clsMD5 md5;
    md5.MD5Init();
    md5.MD5Update(0, abc);  // nothing
    md5.MD5Update(50, abc); // at most the buffer: "abc"
    md5.MD5Final();
    EXPECT_EQ(md5.GetValues(), "900150983CD24FB0D6963F7D28E17F72");
}

TEST(Md5, RegistersAsSignedDecimalText) {
    clsMD5 md5;
    md5.MD5Init();
    EXPECT_EQ(md5.RegisterA(), "1732584193");
    EXPECT_EQ(md5.RegisterB(), "-271733879");
    EXPECT_EQ(md5.RegisterC(), "-1732584194");
    EXPECT_EQ(md5.RegisterD(), "271733878");
    EXPECT_EQ(md5.GetValues(), "0123456789ABCDEFFEDCBA9876543210");
    // After a digest the registers read the words of GetValues, byte order reversed.
    md5.DigestStrToHexStr("abc"); // 90015098 3CD24FB0 D6963F7D 28E17F72
    EXPECT_EQ(md5.RegisterA(), std::to_string(static_cast<std::int32_t>(0x98500190u)));
    EXPECT_EQ(md5.RegisterD(), std::to_string(static_cast<std::int32_t>(0x727FE128u)));
}

TEST(Md5, LongLeftRotate) {
    struct Case {
        std::int32_t value, bits, rotated, bitsAfter;
    };
    const Case cases[] = {
        {1, 1, 2, 1},
        {static_cast<std::int32_t>(0x80000000u), 1, 1, 1},
        {0x12345678, 4, 0x23456781, 4},
        {0x12345678, 36, 0x23456781, 4},
        {0x12345678, 32, 0x12345678, 0},
        {0x12345678, 0, 0x12345678, 0},
        {0x12345678, -4, 0x12345678, -4},
        {static_cast<std::int32_t>(0xF0000001u), 31, static_cast<std::int32_t>(0xF8000000u), 31},
    };
    for (const auto& c : cases) {
        std::int32_t value = c.value, bits = c.bits;
        EXPECT_EQ(clsMD5::LongLeftRotate(value, bits), c.rotated) << c.value << " by " << c.bits;
        EXPECT_EQ(value, c.rotated);
        EXPECT_EQ(bits, c.bitsAfter);
    }
}

} // namespace
} // namespace kv::protocol
