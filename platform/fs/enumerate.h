#pragma once
// Directory enumeration: entries ordered by name without regard to case (the same order
// everywhere), filtered by a mask with "*" and "?".

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kv::fs {

struct DirEntry {
    std::string name; // long name, as on the host
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;
    std::uint64_t lastWrite = 0; // platform time units
};

// Whether a name matches a mask without regard to case: "*" any run, "?" any one
// character; "*.*" matches every name, with or without a dot.
bool matchesMask(std::string_view name, std::string_view mask);

// The entries of a folder whose names match the mask ("." and ".." are not listed).
// Empty when the folder does not exist.
std::vector<DirEntry> listFolder(std::string_view folder, std::string_view mask = "*");
// The same for a path whose last component is the mask ("C:\dir\*.txt").
std::vector<DirEntry> findFiles(std::string_view pattern);

} // namespace kv::fs
