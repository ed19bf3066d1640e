#pragma once
// The in-memory form of a hive: a tree of keys, each with its values in the order they were
// first set and its subkeys ordered by name without regard to case.

#include "platform/registry/value.h"
#include "platform/text/ansi.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kv::registry::internal {

struct NamedValue {
    std::string name; // spelling of the first write
    Value value;
};

struct KeyNode {
    std::vector<NamedValue> values;
    // Subkeys by name; the map's key keeps the spelling the key was created with.
    std::map<std::string, std::unique_ptr<KeyNode>, text::LessNoCase> subkeys;

    NamedValue* findValue(std::string_view name);
    const NamedValue* findValue(std::string_view name) const;
    KeyNode* child(std::string_view name);
    const KeyNode* child(std::string_view name) const;
    // The subkey of that name, created in the spelling given when missing.
    KeyNode& childOrCreate(std::string_view name, bool& created);
};

// The components of a key path: backslash-separated, empty components (a leading, trailing
// or doubled backslash) left out.
std::vector<std::string> splitPath(std::string_view path);
std::string joinPath(const std::vector<std::string>& parts);

const KeyNode* find(const KeyNode& root, const std::vector<std::string>& path);
KeyNode* find(KeyNode& root, const std::vector<std::string>& path);

} // namespace kv::registry::internal
