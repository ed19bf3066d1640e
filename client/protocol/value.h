#pragma once
// The value a Hash holds: nothing, text, a number, a Boolean or an object reference.
// Values are stored as given; the text form is made only when a reader asks for it.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

namespace kv::protocol {

// An object that can be stored in a Hash; its default property gives its text.
class ValueObject {
public:
    virtual ~ValueObject() = default;
    // The object's default property as text.
    virtual std::string defaultText() const = 0;
};

class Value {
public:
    enum class Kind { Empty, Text, Integer, Double, Boolean, Object };

    // An empty value (its text is "").
    Value() = default;
    Value(std::string text) : data_(std::move(text)) {}
    Value(std::string_view text) : data_(std::string(text)) {}
    Value(const char* text) : data_(std::string(text)) {}
    Value(int number) : data_(std::int64_t{number}) {}
    Value(std::int64_t number) : data_(number) {}
    Value(double number) : data_(number) {}
    Value(bool flag) : data_(flag) {}
    // An object reference; copies of the value share the same object.
    Value(std::shared_ptr<ValueObject> object) : data_(std::move(object)) {}
    template <class T>
    requires std::is_base_of_v<ValueObject, T> Value(std::shared_ptr<T> object)
        : data_(std::shared_ptr<ValueObject>(std::move(object))) {}

    Kind kind() const { return static_cast<Kind>(data_.index()); }

    // The text form: text as is, numbers in decimal ("-5", "2.5"), Booleans as "True" or
    // "False", an object by its default text (an empty reference gives ""), empty as "".
    std::string text() const;

    // The stored value when it is of that kind, else nothing.
    std::optional<std::int64_t> integer() const;
    std::optional<double> real() const;
    std::optional<bool> boolean() const;
    // The stored object, or null when the value is not an object.
    std::shared_ptr<ValueObject> object() const;

    // Same kind and same stored value (objects: the same object).
    friend bool operator==(const Value& a, const Value& b) { return a.data_ == b.data_; }

private:
    std::variant<std::monostate, std::string, std::int64_t, double, bool,
                 std::shared_ptr<ValueObject>>
        data_;
};

} // namespace kv::protocol
