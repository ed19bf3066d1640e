#include "platform/registry/value.h"

namespace kv::registry {

Value stringValue(std::string_view text, ValueType type) {
    Value v{type, std::string(text)};
    v.data.push_back('\0');
    return v;
}

Value dwordValue(std::uint32_t number) {
    Value v{ValueType::Dword, std::string(4, '\0')};
    for (int i = 0; i < 4; ++i)
        v.data[i] = static_cast<char>((number >> (8 * i)) & 0xFF);
    return v;
}

Value binaryValue(std::string_view bytes) {
    return Value{ValueType::Binary, std::string(bytes)};
}

Value multiStringValue(const std::vector<std::string>& strings) {
    Value v{ValueType::MultiString, {}};
    for (const std::string& s : strings) {
        v.data += s;
        v.data.push_back('\0');
    }
    v.data.push_back('\0');
    return v;
}

std::string textOf(const Value& value) {
    const auto zero = value.data.find('\0');
    return value.data.substr(0, zero);
}

std::optional<std::uint32_t> dwordOf(const Value& value) {
    if (value.data.size() != 4) return std::nullopt;
    std::uint32_t n = 0;
    for (int i = 3; i >= 0; --i)
        n = (n << 8) | static_cast<unsigned char>(value.data[i]);
    return n;
}

std::vector<std::string> stringsOf(const Value& value) {
    std::vector<std::string> out;
    std::size_t pos = 0;
    while (pos < value.data.size()) {
        const auto zero = value.data.find('\0', pos);
        const auto end = zero == std::string::npos ? value.data.size() : zero;
        if (end == pos) break;
        out.push_back(value.data.substr(pos, end - pos));
        pos = end + 1;
    }
    return out;
}

} // namespace kv::registry
