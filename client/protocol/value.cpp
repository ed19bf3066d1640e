#include "client/protocol/value.h"

#include <cstdio>

namespace kv::protocol {

namespace {

// Up to 15 significant digits, trailing zeros dropped, exponent as "1E+20".
std::string doubleText(double number) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15G", number);
    return buffer;
}

} // namespace

std::string Value::text() const {
    switch (kind()) {
    case Kind::Empty:
        return {};
    case Kind::Text:
        return std::get<std::string>(data_);
    case Kind::Integer:
        return std::to_string(std::get<std::int64_t>(data_));
    case Kind::Double:
        return doubleText(std::get<double>(data_));
    case Kind::Boolean:
        return std::get<bool>(data_) ? "True" : "False";
    case Kind::Object: {
        const auto& object = std::get<std::shared_ptr<ValueObject>>(data_);
        return object ? object->defaultText() : std::string();
    }
    }
    return {};
}

std::optional<std::int64_t> Value::integer() const {
    if (const auto* p = std::get_if<std::int64_t>(&data_)) return *p;
    return std::nullopt;
}

std::optional<double> Value::real() const {
    if (const auto* p = std::get_if<double>(&data_)) return *p;
    return std::nullopt;
}

std::optional<bool> Value::boolean() const {
    if (const auto* p = std::get_if<bool>(&data_)) return *p;
    return std::nullopt;
}

std::shared_ptr<ValueObject> Value::object() const {
    if (const auto* p = std::get_if<std::shared_ptr<ValueObject>>(&data_)) return *p;
    return nullptr;
}

} // namespace kv::protocol
