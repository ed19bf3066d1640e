#include "platform/registry/internal/hive_format.h"

#include <gtest/gtest.h>

namespace kv::registry::internal {
namespace {

KeyNode sampleTree() {
    KeyNode root;
    bool created = false;
    KeyNode& shell = root.childOrCreate("Shell Folders", created);
    shell.values.push_back({"", Value{ValueType::String, std::string("x\0", 2)}});
    shell.values.push_back({"100% \n odd\\name", Value{ValueType::Binary, "\xFF\x00"}});
    shell.childOrCreate("Caf\xE9", created)
        .values.push_back({"n", Value{ValueType::Dword, "abcd"}});
    root.childOrCreate("Empty", created);
    return root;
}

TEST(HiveFormat, RoundTripsNamesDataAndEmptyKeys) {
    const std::string text = formatHive(sampleTree(), 42);
    KeyNode back;
    std::uint64_t generation = 0;
    std::string error;
    ASSERT_TRUE(parseHive(text, back, generation, error)) << error;
    EXPECT_EQ(generation, 42u);
    EXPECT_EQ(formatHive(back, 42), text);
    EXPECT_EQ(generationOf(text), 42u);
    ASSERT_NE(back.child("EMPTY"), nullptr);
    ASSERT_NE(back.child("shell folders"), nullptr);
    EXPECT_NE(back.child("shell folders")->findValue("100% \n ODD\\NAME"), nullptr);
}

TEST(HiveFormat, EveryCutOffCopyIsRejected) {
    const std::string text = formatHive(sampleTree(), 1);
    for (std::size_t n = 0; n < text.size(); ++n) {
        KeyNode back;
        std::uint64_t generation = 0;
        std::string error;
        EXPECT_FALSE(parseHive(text.substr(0, n), back, generation, error)) << n;
        EXPECT_FALSE(error.empty());
    }
}

} // namespace
} // namespace kv::registry::internal
