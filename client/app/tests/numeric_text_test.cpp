#include "client/app/numeric_text.h"
#include "platform/system/testing/temp_machine.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace kv::app {
namespace {

using kv::machine::Locale;

TEST(NumericText, ReadsTheLocalesSeparatorsSignBlanksAndExponent) {
    const Locale us{1033, 1252, ".", ","};
    const Locale de{1031, 1252, ",", "."};
    const Locale fr{1036, 1252, ",", " "};
    struct Case {
        const char* text;
        const Locale& locale;
        std::optional<double> value;
    };
    const Case cases[] = {
        {"12", us, 12},
        {"  12.50 ", us, 12.5},
        {"\t-3", us, -3},
        {"+4", us, 4},
        {"1,234.5", us, 1234.5},
        {".5", us, 0.5},
        {"7.", us, 7},
        {"1.5e3", us, 1500},
        {"2E-2", us, 0.02},
        {"1,234,5", de, std::nullopt}, // a second decimal separator
        {"1.234,5", de, 1234.5},
        {"25,01", de, 25.01},
        {"25.01", de, 2501},
        {"1 000,5", fr, 1000.5},
        {"", us, std::nullopt},
        {"   ", us, std::nullopt},
        {"-", us, std::nullopt},
        {"12a", us, std::nullopt},
        {"1.2.3", us, std::nullopt},
        {",5", us, std::nullopt}, // a thousands separator needs digits before it
        {"5,", us, std::nullopt}, // ...and after it
        {"1e", us, std::nullopt},
        {"e5", us, std::nullopt},
        {"1 2", us, std::nullopt},
        {"inf", us, std::nullopt},
        {"0x10", us, std::nullopt},
        {"1e999", us, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.text + "\" under " + c.locale.decimalSeparator);
        const std::optional<double> v = numericValue(c.text, c.locale);
        ASSERT_EQ(v.has_value(), c.value.has_value());
        if (v) {
            EXPECT_DOUBLE_EQ(*v, *c.value);
        }
    }
}

TEST(NumericText, FollowsTheCurrentMachinesLocale) {
    kv::machine::Profile german = kv::machine::defaultProfile();
    german.locale = Locale{1031, 1252, ",", "."};
    kv::machine::testing::TempMachine machine(german);
    EXPECT_EQ(numericValue("9,99"), 9.99);
    EXPECT_TRUE(isNumeric(" 1.000 "));
    EXPECT_FALSE(isNumeric("9,9,9"));
}

} // namespace
} // namespace kv::app
