#pragma once
// Registry values: a type and the data bytes as the registry stores them.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv::registry {

// Value types, numbered as the platform numbers them.
enum class ValueType : std::uint32_t {
    None = 0,
    String = 1,       // REG_SZ
    ExpandString = 2, // REG_EXPAND_SZ
    Binary = 3,       // REG_BINARY
    Dword = 4,        // REG_DWORD, little-endian
    MultiString = 7,  // REG_MULTI_SZ
};

// A value: its type and its data bytes (strings with their terminating zero).
struct Value {
    ValueType type = ValueType::None;
    std::string data;
    bool operator==(const Value&) const = default;
};

// A string value (String or ExpandString) holding the text and its terminating zero.
Value stringValue(std::string_view text, ValueType type = ValueType::String);
// A DWORD value.
Value dwordValue(std::uint32_t number);
// A binary value holding the bytes as given.
Value binaryValue(std::string_view bytes);
// A multi-string value: each string followed by a zero, then a final zero.
Value multiStringValue(const std::vector<std::string>& strings);

// The data read as a zero-terminated string (up to the first zero byte), whatever the type.
std::string textOf(const Value& value);
// The number of a value whose data is 4 bytes; nothing for other sizes.
std::optional<std::uint32_t> dwordOf(const Value& value);
// The strings of a multi-string's data (an empty string ends the list).
std::vector<std::string> stringsOf(const Value& value);

} // namespace kv::registry
