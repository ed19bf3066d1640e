#include "installer/common/delimited_lists.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kv::installer {
namespace {

TEST(Lists, CountAndItems) {
    struct Case {
        std::string list;
        int count;
        std::vector<std::string> items; // the items at 0, 1, ...
    };
    const std::vector<Case> cases = {
        {"", 0, {}},
        {"|", 0, {}},
        {"||", 1, {""}},
        {"|a|b|", 2, {"a", "b"}},
        {"|a|b", 1, {"a"}}, // text after the last delimiter is not an item
        {"|a||c|", 3, {"a", "", "c"}},
        {";x y ; z;", 2, {"x y ", " z"}}, // the first character is the delimiter; no trimming
        {"#|a|b|#c#", 2, {"|a|b|", "c"}}, // a nested list is an item like any other
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list);
        EXPECT_EQ(ListCount(c.list), c.count);
        for (std::size_t i = 0; i < c.items.size(); ++i) {
            EXPECT_EQ(ListItem(c.list, static_cast<int>(i)), c.items[i]) << "item " << i;
        }
        EXPECT_EQ(ListItem(c.list, c.count), "");
        EXPECT_EQ(ListItem(c.list, 5), "");
        EXPECT_EQ(ListItem(c.list, -1), "");
    }
}

TEST(Lists, SetListItem) {
    struct Case {
        std::string list;
        int index;
        std::string text;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"", 0, "x", "|x|"},          // a new list is bar-delimited
        {";a;b;", 0, "z", ";z;b;"},   // keeps the list's own delimiter
        {"|a|", 2, "x", "|a||x|"},    // grows with an empty item 1
        {"|a|b|c|", 1, "", "|a||c|"}, // an item can become empty
        {"", 1, "y", "||y|"},         // growing an empty list
        {"|a|b", 1, "x", "|a|x|"},    // the unclosed tail is not kept
        {"|a|b|", 1, "longer", "|a|longer|"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list + " @" + std::to_string(c.index));
        std::string list = c.list;
        SetListItem(list, c.index, c.text);
        EXPECT_EQ(list, c.expected);
        EXPECT_EQ(ListItem(list, c.index), c.text);
    }
}

TEST(Lists, ListIndexOf) {
    struct Case {
        std::string list;
        std::string text;
        int expected;
    };
    const std::vector<Case> cases = {
        {"  |Typical|Custom|  ", "custom", 1}, // whole list trimmed, case ignored
        {"|Typical|Custom|", " TYPICAL ", 0},  // sought text trimmed
        {"|Typical|Custom|", "", -1},
        {"|Typical|Custom|", "   ", -1},
        {"   ", "a", -1},
        {"| a |a|", "a", 1}, // items themselves are not trimmed
        {"|x|Y|y|", "y", 1}, // the first match wins
        {"|Typical|Custom|", "Cust", -1},
        {"|\xC9t\xE9|", "\xE9T\xC9", 0}, // accented letters fold too (cp1252)
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("[" + c.list + "] [" + c.text + "]");
        EXPECT_EQ(ListIndexOf(c.list, c.text), c.expected);
    }
}

} // namespace
} // namespace kv::installer
