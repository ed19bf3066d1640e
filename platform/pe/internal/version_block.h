#pragma once
// The tree of a version resource: nodes of length, value length, type, UTF-16 key, value
// and children, each aligned to four bytes from the start of the block.

#include <optional>
#include <string_view>

namespace kv::pe::internal {

struct NodeValue {
    bool text = false;      // a UTF-16 string (up to its terminating zero) or binary data
    std::string_view bytes; // within the block
};

// Whether the block starts with a well-formed "VS_VERSION_INFO" node that fits in it; its
// length is stored in `length`.
bool isVersionBlock(std::string_view block, std::size_t* length = nullptr);

// The value of the node named by the sub-block path ("\" is the root; parts separated by
// "\" and matched without regard to case), or nothing.
std::optional<NodeValue> findValue(std::string_view block, std::string_view subBlock);

} // namespace kv::pe::internal
