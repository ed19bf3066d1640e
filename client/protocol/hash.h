#pragma once
// Hash: the client's insertion-ordered dictionary from text keys to values. Keys compare
// without regard to case; a cursor remembers the pair last touched, and Every walks on
// from there.

#include "client/protocol/value.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kv::protocol {

class Hash {
public:
    // Stores Value under Key. An existing key (any case) keeps its place, takes Key's
    // spelling and the new value; a new key is appended. The cursor moves to the pair.
    void Add(std::string_view Key, Value value);
    // A copy of the value under Key (the cursor moves to it), or Default when Key is absent
    // (the cursor stays). Without a default an absent key gives an empty value.
    Value Retrieve(std::string_view Key, const Value& Default = Value());
    // Removes the pair under Key, keeping the order of the rest; the cursor takes the
    // removed pair's index. An absent key changes nothing.
    void Delete(std::string_view Key);
    // All keys, in insertion order.
    std::vector<std::string> Keys() const;
    // All values, in insertion order.
    std::vector<Value> Values() const;
    // Advances the cursor (wrapping to the first pair after the last) and returns the key
    // and value there. On an empty dictionary: an empty key and an empty value.
    std::pair<std::string, Value> Every();

private:
    // Index of the stored key equal to Key without regard to case, or -1.
    std::int32_t find(std::string_view Key) const;

    std::vector<std::string> keys_;
    std::vector<Value> values_;
    std::int32_t cursor_ = 0;
};

} // namespace kv::protocol
