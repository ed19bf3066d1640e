#include "platform/registry/internal/tree.h"

namespace kv::registry::internal {

NamedValue* KeyNode::findValue(std::string_view name) {
    for (NamedValue& v : values)
        if (text::equalsNoCase(v.name, name)) return &v;
    return nullptr;
}

const NamedValue* KeyNode::findValue(std::string_view name) const {
    return const_cast<KeyNode*>(this)->findValue(name);
}

KeyNode* KeyNode::child(std::string_view name) {
    const auto it = subkeys.find(std::string(name));
    return it == subkeys.end() ? nullptr : it->second.get();
}

const KeyNode* KeyNode::child(std::string_view name) const {
    return const_cast<KeyNode*>(this)->child(name);
}

KeyNode& KeyNode::childOrCreate(std::string_view name, bool& created) {
    auto [it, inserted] = subkeys.try_emplace(std::string(name));
    if (inserted) {
        it->second = std::make_unique<KeyNode>();
        created = true;
    }
    return *it->second;
}

std::vector<std::string> splitPath(std::string_view path) {
    std::vector<std::string> parts;
    std::size_t pos = 0;
    while (pos <= path.size()) {
        const auto slash = path.find('\\', pos);
        const auto end = slash == std::string_view::npos ? path.size() : slash;
        if (end > pos) parts.emplace_back(path.substr(pos, end - pos));
        pos = end + 1;
    }
    return parts;
}

std::string joinPath(const std::vector<std::string>& parts) {
    std::string out;
    for (const std::string& p : parts) {
        if (!out.empty()) out += '\\';
        out += p;
    }
    return out;
}

const KeyNode* find(const KeyNode& root, const std::vector<std::string>& path) {
    const KeyNode* node = &root;
    for (const std::string& part : path) {
        node = node->child(part);
        if (!node) return nullptr;
    }
    return node;
}

KeyNode* find(KeyNode& root, const std::vector<std::string>& path) {
    return const_cast<KeyNode*>(find(static_cast<const KeyNode&>(root), path));
}

} // namespace kv::registry::internal
