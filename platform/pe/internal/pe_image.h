#pragma once
// Finding the version resource in the image of a PE file: DOS and PE headers, section
// table, resource directory. Every offset and size is checked against the data read.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kv::pe::internal {

// Reads exactly `size` bytes at `offset` of the image into `out`; false when they are not
// all there.
using ReadAt = std::function<bool(std::uint64_t offset, std::size_t size, std::string& out)>;

// The version resource of the image (its first node's length of bytes), or nothing.
std::optional<std::string> findVersionResource(const ReadAt& read);
// The same for an image held in memory.
std::optional<std::string> versionResourceOfImage(std::string_view image);

} // namespace kv::pe::internal
