#include "client/protocol/value.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace kv::protocol {
namespace {

struct Label : ValueObject {
    std::string caption;
    explicit Label(std::string c) : caption(std::move(c)) {}
    std::string defaultText() const override { return caption; }
};

TEST(Value, TextForms) {
    const std::pair<Value, std::string> cases[] = {
        {Value(), ""},
        {Value("abc"), "abc"},
        {Value(std::string("\xE9t\xE9")), "\xE9t\xE9"},
        {Value(0), "0"},
        {Value(-42), "-42"},
        {Value(std::int64_t{-2147483648LL}), "-2147483648"},
        {Value(2.5), "2.5"},
        {Value(-0.1), "-0.1"},
        {Value(1.0 / 3.0), "0.333333333333333"},
        {Value(100.0), "100"},
        {Value(true), "True"},
        {Value(false), "False"},
        {Value(std::make_shared<Label>("Snipes")), "Snipes"},
        {Value(std::shared_ptr<ValueObject>()), ""},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(value.text(), text);
}

TEST(Value, KeepsItsKind) {
    EXPECT_EQ(Value("1").kind(), Value::Kind::Text);
    EXPECT_EQ(Value(1).kind(), Value::Kind::Integer);
    EXPECT_EQ(Value(true).kind(), Value::Kind::Boolean);
    EXPECT_EQ(Value(1).integer(), 1);
    EXPECT_FALSE(Value("1").integer().has_value());
    EXPECT_EQ(Value(false).boolean(), false);
    EXPECT_EQ(Value(0.5).real(), 0.5);
    // Text "1" and the number 1 are different values.
    EXPECT_NE(Value("1"), Value(1));
    EXPECT_NE(Value(1), Value(true));
}

TEST(Value, ObjectIsSharedNotCopied) {
    auto label = std::make_shared<Label>("before");
    const Value value(label);
    const Value copy = value;
    label->caption = "after";
    EXPECT_EQ(copy.object().get(), label.get());
    EXPECT_EQ(copy.text(), "after");
    EXPECT_EQ(Value("x").object(), nullptr);
}

} // namespace
} // namespace kv::protocol
