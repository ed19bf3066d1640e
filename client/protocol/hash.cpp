#include "client/protocol/hash.h"

#include "platform/text/ansi.h"

namespace kv::protocol {

std::int32_t Hash::find(std::string_view Key) const {
    for (std::size_t i = 0; i < keys_.size(); ++i) {
        if (kv::text::equalsNoCase(keys_[i], Key)) return static_cast<std::int32_t>(i);
    }
    return -1;
}

void Hash::Add(std::string_view Key, Value value) {
    const std::int32_t index = find(Key);
    if (index >= 0) {
        keys_[index] = std::string(Key);
        values_[index] = std::move(value);
        cursor_ = index;
        return;
    }
    keys_.emplace_back(Key);
    values_.push_back(std::move(value));
    cursor_ = static_cast<std::int32_t>(keys_.size()) - 1;
}

Value Hash::Retrieve(std::string_view Key, const Value& Default) {
    const std::int32_t index = find(Key);
    if (index < 0) return Default;
    cursor_ = index;
    return values_[index];
}

void Hash::Delete(std::string_view Key) {
    const std::int32_t index = find(Key);
    if (index < 0) return;
    keys_.erase(keys_.begin() + index);
    values_.erase(values_.begin() + index);
    cursor_ = index;
}

std::vector<std::string> Hash::Keys() const {
    return keys_;
}

std::vector<Value> Hash::Values() const {
    return values_;
}

std::pair<std::string, Value> Hash::Every() {
    if (keys_.empty()) return {};
    ++cursor_;
    if (cursor_ >= static_cast<std::int32_t>(keys_.size())) cursor_ = 0;
    return {keys_[cursor_], values_[cursor_]};
}

} // namespace kv::protocol
