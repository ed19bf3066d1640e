#include "platform/pe/internal/version_block.h"

#include "platform/pe/internal/bytes.h"
#include "platform/text/ansi.h"
#include "platform/text/utf16.h"

#include <string>

namespace kv::pe::internal {
namespace {

constexpr std::size_t kNodeHeader = 6; // length, value length, type

struct Node {
    std::size_t end = 0;
    std::u16string key;
    NodeValue value;
    std::size_t children = 0; // where the first child starts
};

// The node at `at`, which must end by `limit`.
std::optional<Node> nodeAt(std::string_view block, std::size_t at, std::size_t limit) {
    const auto length = u16At(block, at);
    const auto valueLength = u16At(block, at + 2);
    const auto type = u16At(block, at + 4);
    if (!length || !valueLength || !type || *length < kNodeHeader || at + *length > limit)
        return std::nullopt;
    Node node;
    node.end = at + *length;
    std::size_t p = at + kNodeHeader;
    for (;; p += 2) {
        if (p + 2 > node.end) return std::nullopt; // the key must end inside the node
        const char16_t unit = *u16At(block, p);
        if (unit == 0) break;
        node.key += unit;
    }
    p = alignUp4(p + 2);
    const std::size_t valueBegin = std::min(p, node.end);
    node.value.text = *type == 1;
    const std::size_t valueBytes = node.value.text ? std::size_t(*valueLength) * 2 : *valueLength;
    std::size_t valueEnd = std::min(valueBegin + valueBytes, node.end);
    if (node.value.text) {
        // Up to the terminating zero; an odd last byte is no character.
        std::size_t q = valueBegin;
        while (q + 2 <= valueEnd && *u16At(block, q) != 0)
            q += 2;
        valueEnd = q;
    }
    node.value.bytes = block.substr(valueBegin, valueEnd - valueBegin);
    node.children = std::min(alignUp4(p + valueBytes), node.end);
    return node;
}

// The child of `parent` whose key equals `name` without regard to case.
std::optional<Node> childNamed(std::string_view block, const Node& parent, std::string_view name) {
    for (std::size_t at = parent.children; at + kNodeHeader <= parent.end;) {
        const std::optional<Node> child = nodeAt(block, at, parent.end);
        if (!child) return std::nullopt;
        if (text::equalsNoCase(text::fromUtf16(child->key), name)) return child;
        at = alignUp4(child->end);
    }
    return std::nullopt;
}

} // namespace

bool isVersionBlock(std::string_view block, std::size_t* length) {
    const std::optional<Node> root = nodeAt(block, 0, block.size());
    if (!root || root->key != u"VS_VERSION_INFO") return false;
    if (length) *length = root->end;
    return true;
}

std::optional<NodeValue> findValue(std::string_view block, std::string_view subBlock) {
    std::optional<Node> node = nodeAt(block, 0, block.size());
    if (!node) return std::nullopt;
    for (std::string_view part : text::splitAt(subBlock, '\\')) {
        if (part.empty()) continue;
        node = childNamed(block, *node, part);
        if (!node) return std::nullopt;
    }
    return node->value;
}

} // namespace kv::pe::internal
