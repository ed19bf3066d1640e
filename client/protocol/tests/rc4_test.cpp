#include "client/protocol/rc4.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace kv::protocol {
namespace {

std::string bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values)
        s += static_cast<char>(v);
    return s;
}

std::string keyOf(int length) {
    std::string key;
    for (int i = 1; i <= length; ++i)
        key += static_cast<char>(i);
    return key;
}

// A second, straightforward RC4 key stream, for lengths and offsets not pinned below.
std::string referenceKeyStream(const std::string& key, std::size_t n) {
    std::vector<int> s(256);
    for (int i = 0; i < 256; ++i)
        s[i] = i;
    for (int i = 0, j = 0; i < 256; ++i) {
        j = (j + s[i] + static_cast<unsigned char>(key[i % key.size()])) % 256;
        std::swap(s[i], s[j]);
    }
    std::string out;
    for (int i = 0, j = 0; out.size() < n;) {
        i = (i + 1) % 256;
        j = (j + s[i]) % 256;
        std::swap(s[i], s[j]);
        out += static_cast<char>(s[(s[i] + s[j]) % 256]);
    }
    return out;
}

// RC4 of zero bytes is the key stream itself.
std::string keyStream(const std::string& key, std::size_t n) {
    return RC4Crypt(std::string(n, '\0'), key);
}

TEST(Rc4, Rfc6229KeyStreams) {
    struct Case {
        int keyLength;
        std::size_t offset;
        std::string stream;
    };
    const Case cases[] = {
        {5, 0,
         bytes({0xb2, 0x39, 0x63, 0x05, 0xf0, 0x3d, 0xc0, 0x27, 0xcc, 0xc3, 0x52, 0x4a, 0x0a, 0x11,
                0x18, 0xa8})},
        {5, 16,
         bytes({0x69, 0x82, 0x94, 0x4f, 0x18, 0xfc, 0x82, 0xd5, 0x89, 0xc4, 0x03, 0xa4, 0x7a, 0x0d,
                0x09, 0x19})},
        {7, 0,
         bytes({0x29, 0x3f, 0x02, 0xd4, 0x7f, 0x37, 0xc9, 0xb6, 0x33, 0xf2, 0xaf, 0x52, 0x85, 0xfe,
                0xb4, 0x6b})},
        {7, 16,
         bytes({0xe6, 0x20, 0xf1, 0x39, 0x0d, 0x19, 0xbd, 0x84, 0xe2, 0xe0, 0xfd, 0x75, 0x20, 0x31,
                0xaf, 0xc1})},
        {8, 0,
         bytes({0x97, 0xab, 0x8a, 0x1b, 0xf0, 0xaf, 0xb9, 0x61, 0x32, 0xf2, 0xf6, 0x72, 0x58, 0xda,
                0x15, 0xa8})},
        {8, 16,
         bytes({0x82, 0x63, 0xef, 0xdb, 0x45, 0xc4, 0xa1, 0x86, 0x84, 0xef, 0x87, 0xe6, 0xb1, 0x9e,
                0x5b, 0x09})},
        {16, 0,
         bytes({0x9a, 0xc7, 0xcc, 0x9a, 0x60, 0x9d, 0x1e, 0xf7, 0xb2, 0x93, 0x28, 0x99, 0xcd, 0xe4,
                0x1b, 0x97})},
        {16, 16,
         bytes({0x52, 0x48, 0xc4, 0x95, 0x90, 0x14, 0x12, 0x6a, 0x6e, 0x8a, 0x84, 0xf1, 0x1d, 0x1a,
                0x9e, 0x1c})},
    };
    for (const auto& c : cases) {
        const std::string key = keyOf(c.keyLength);
        EXPECT_EQ(keyStream(key, c.offset + 16).substr(c.offset), c.stream)
            << c.keyLength * 8 << "-bit key, offset " << c.offset;
        EXPECT_EQ(referenceKeyStream(key, c.offset + 16).substr(c.offset), c.stream);
    }
}

// The RFC's other key lengths and offsets (up to 4096), against the reference stream.
TEST(Rc4, KeyStreamsOfEveryRfc6229KeyLength) {
    for (const int length : {5, 7, 8, 10, 16, 24, 32}) {
        const std::string key = keyOf(length);
        EXPECT_EQ(keyStream(key, 4112), referenceKeyStream(key, 4112)) << length;
    }
}

TEST(Rc4, KnownPlaintexts) {
    EXPECT_EQ(RC4Crypt("Plaintext", "Key"),
              bytes({0xBB, 0xF3, 0x16, 0xE8, 0xD9, 0x40, 0xAF, 0x0A, 0xD3}));
    EXPECT_EQ(RC4Crypt("pedia", "Wiki"), bytes({0x10, 0x21, 0xBF, 0x04, 0x20}));
    EXPECT_EQ(RC4Crypt("Attack at dawn", "Secret"),
              bytes({0x45, 0xA0, 0x1F, 0x64, 0x5F, 0xC3, 0x5B, 0x38, 0x35, 0x52, 0x54, 0x4B, 0x9B,
                     0xF5}));
}

TEST(Rc4, EdgeCases) {
    std::string all;
    for (int i = 0; i < 256; ++i)
        all += static_cast<char>(i);
    const std::string key300 = std::string(256, 'k') + std::string(44, 'x');

    EXPECT_EQ(RC4Crypt("", "key"), "");
    EXPECT_EQ(RC4Crypt("text", ""), "");
    // The same call deciphers, for every byte value and a key with high bytes.
    EXPECT_EQ(RC4Crypt(RC4Crypt(all, "\xE9\xFF\x01"), "\xE9\xFF\x01"), all);
    EXPECT_EQ(RC4Crypt(all, "\xE9\xFF\x01").size(), all.size());
    // Only the first 256 key characters count.
    EXPECT_EQ(RC4Crypt(all, key300), RC4Crypt(all, std::string(256, 'k')));
    EXPECT_NE(RC4Crypt(all, std::string(255, 'k') + "x"), RC4Crypt(all, std::string(256, 'k')));
    // A NUL inside text or key is an ordinary byte.
    EXPECT_EQ(RC4Crypt(std::string(3, '\0'), std::string("\0\1", 2)),
              referenceKeyStream(std::string("\0\1", 2), 3));
}

} // namespace
} // namespace kv::protocol
