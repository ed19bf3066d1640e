#include "client/protocol/hash.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace kv::protocol {
namespace {

using Strings = std::vector<std::string>;

Hash threePairs() {
    Hash h;
    h.Add("one", 1);
    h.Add("two", "2");
    h.Add("three", true);
    return h;
}

std::string everyKey(Hash& h) {
    return h.Every().first;
}

TEST(Hash, AddReplacesWithoutRegardToCaseInPlace) {
    Hash h;
    h.Add("return", 1);
    h.Add("message", "ok");
    h.Add("RETURN", 0);
    EXPECT_EQ(h.Keys(), (Strings{"RETURN", "message"}));
    EXPECT_EQ(h.Retrieve("return", 5), Value(0));
    // Accented letters of the code page fold too.
    h.Add("caf\xE9", 1);
    h.Add("CAF\xC9", 2);
    EXPECT_EQ(h.Keys(), (Strings{"RETURN", "message", "CAF\xC9"}));
    EXPECT_EQ(h.Values(), (std::vector<Value>{Value(0), Value("ok"), Value(2)}));
}

TEST(Hash, RetrieveAndDefaults) {
    Hash h = threePairs();
    h.Add("", "empty key");
    EXPECT_EQ(h.Retrieve("message", "no message"), Value("no message"));
    EXPECT_EQ(h.Retrieve("return", 0), Value(0));
    EXPECT_EQ(h.Retrieve("ONE", 0), Value(1));
    EXPECT_EQ(h.Retrieve("Three", false), Value(true));
    EXPECT_EQ(h.Retrieve(""), Value("empty key"));
    EXPECT_EQ(h.Retrieve("missing"), Value());
    // A key is not found by a prefix or an extension of it.
    EXPECT_EQ(h.Retrieve("on", "-"), Value("-"));
    EXPECT_EQ(h.Retrieve("ones", "-"), Value("-"));
}

TEST(Hash, RetrieveGivesACopyButTheSameObject) {
    struct Named : ValueObject {
        std::string defaultText() const override { return "named"; }
    };
    Hash h;
    auto object = std::make_shared<Named>();
    h.Add("item", object);
    h.Add("text", "abc");
    EXPECT_EQ(h.Retrieve("item").object().get(), object.get());
    Value copy = h.Retrieve("text");
    copy = Value("changed");
    EXPECT_EQ(h.Retrieve("text"), Value("abc"));
}

TEST(Hash, DeleteKeepsOrder) {
    Hash h = threePairs();
    h.Delete("TWO");
    EXPECT_EQ(h.Keys(), (Strings{"one", "three"}));
    EXPECT_EQ(h.Values(), (std::vector<Value>{Value(1), Value(true)}));
    h.Delete("absent");
    EXPECT_EQ(h.Keys().size(), 2u);
    h.Delete("one");
    h.Delete("three");
    EXPECT_TRUE(h.Keys().empty());
    h.Delete("one"); // empty dictionary: nothing happens
    h.Add("two", 2);
    EXPECT_EQ(h.Keys(), (Strings{"two"}));
}

// The cursor: Every continues from the pair after the one last touched.
TEST(Hash, EveryFollowsTheCursor) {
    struct Case {
        const char* name;
        void (*touch)(Hash&);
        Strings walk; // keys of the next Every calls
    };
    const Case cases[] = {
        {"new hash: starts after the last added, wraps",
         [](Hash&) {},
         {"one", "two", "three", "one"}},
        {"Add of a new key: wraps to the first",
         [](Hash& h) { h.Add("four", 4); },
         {"one", "two", "three", "four"}},
        {"Add of an existing key", [](Hash& h) { h.Add("ONE", 0); }, {"two", "three", "ONE"}},
        {"successful Retrieve", [](Hash& h) { h.Retrieve("two"); }, {"three", "one"}},
        {"failed Retrieve leaves the cursor",
         [](Hash& h) {
             h.Retrieve("one");
             h.Retrieve("missing", 0);
         },
         {"two", "three"}},
        {"Delete of the middle pair", [](Hash& h) { h.Delete("two"); }, {"one", "three", "one"}},
        {"Delete of the first pair", [](Hash& h) { h.Delete("one"); }, {"three", "two"}},
        {"Delete of the last pair", [](Hash& h) { h.Delete("three"); }, {"one", "two", "one"}},
        {"failed Delete leaves the cursor",
         [](Hash& h) {
             h.Retrieve("one");
             h.Delete("missing");
         },
         {"two"}},
    };
    for (const auto& c : cases) {
        Hash h = threePairs();
        c.touch(h);
        Strings walk;
        for (std::size_t i = 0; i < c.walk.size(); ++i)
            walk.push_back(everyKey(h));
        EXPECT_EQ(walk, c.walk) << c.name;
    }
}

TEST(Hash, EveryReturnsKeyAndValue) {
    Hash h = threePairs();
    h.Retrieve("one");
    const auto [key, value] = h.Every();
    EXPECT_EQ(key, "two");
    EXPECT_EQ(value, Value("2"));
}

TEST(Hash, EmptyDictionaryIsHarmless) {
    Hash h;
    EXPECT_TRUE(h.Keys().empty());
    EXPECT_TRUE(h.Values().empty());
    const auto [key, value] = h.Every();
    EXPECT_EQ(key, "");
    EXPECT_EQ(value, Value());
    h.Add("a", 1);
    EXPECT_EQ(everyKey(h), "a");
    EXPECT_EQ(everyKey(h), "a");
}

} // namespace
} // namespace kv::protocol
