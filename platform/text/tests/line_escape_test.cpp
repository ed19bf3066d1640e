#include "platform/text/line_escape.h"

#include <gtest/gtest.h>

namespace kv::text {
namespace {

TEST(LineEscape, FieldsKeepTheirLineAndComeBackWhole) {
    const struct {
        std::string text;
        std::string escaped;
    } cases[] = {
        {"plain", "plain"},
        {"C:\\Program Files\\a b", "C:\\\\Program Files\\\\a b"},
        {"a\tb", "a\\tb"},
        {"one\r\ntwo\n", "one\\r\\ntwo\\n"},
        {"\\n", "\\\\n"}, // a backslash before n is not a line break
        {std::string("nul\0byte", 8), std::string("nul\0byte", 8)},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(escapeLine(c.text), c.escaped) << c.text;
        EXPECT_EQ(unescapeLine(c.escaped), c.text) << c.escaped;
        EXPECT_EQ(escapeLine(c.text).find_first_of("\t\r\n"), std::string::npos);
    }
    EXPECT_EQ(unescapeLine("end\\"), "end\\"); // a lone trailing backslash stays
    EXPECT_EQ(unescapeLine("\\q"), "q");
}

} // namespace
} // namespace kv::text
