#include "platform/process/command_line.h"

#include <gtest/gtest.h>

namespace kv::process {
namespace {

using Args = std::vector<std::string>;

TEST(SplitArguments, FollowsTheRuntimeRules) {
    const struct {
        const char* line;
        Args args;
    } cases[] = {
        {"", {}},
        {"   \t ", {}},
        {"a b\tc", {"a", "b", "c"}},
        {"-n \"with a blank\"", {"-n", "with a blank"}},
        {"  lead  trail  ", {"lead", "trail"}},
        {"\"\"", {""}},
        {"a\"b c\"d", {"ab cd"}},
        {"C:\\dir\\file", {"C:\\dir\\file"}},            // lone backslashes are literal
        {"\"C:\\dir\\\\\" next", {"C:\\dir\\", "next"}}, // 2n backslashes, then a quote
        {"a\\\"b", {"a\"b"}},                            // 2n+1: a literal quote
        {"a\\\\\\\"b", {"a\\\"b"}},
        {"\"say \"\"hi\"\"\"", {"say \"hi\""}}, // two quotes inside: one
        {"\"open to the end", {"open to the end"}},
        {"/File=\"C:\\My Files\\a.txt\" /x", {"/File=C:\\My Files\\a.txt", "/x"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(splitArguments(c.line), c.args) << c.line;
}

} // namespace
} // namespace kv::process
