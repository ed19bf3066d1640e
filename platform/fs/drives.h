#pragma once
// The machine's drives as the programs see them: letters, types, free space.

#include <cstdint>
#include <optional>
#include <string_view>

namespace kv::fs {

// A bit per drive letter in use (bit 0 = A:).
std::uint32_t logicalDrives();
// The type of the drive of a root path ("C:\", "c:" or "C"): the profile's type, or
// 1 (no root folder) when the drive does not exist or its host folder is missing.
int driveType(std::string_view root);

// Whether the drive of a machine path refuses every change (Z:, the host root): there
// creating, writing, renaming and deleting fail with kErrorWriteProtect.
bool isWriteProtected(std::string_view path);

struct DiskSpace {
    std::uint64_t freeBytes = 0; // available to the user
    std::uint64_t totalBytes = 0;
};
// The space on the drive of a machine path, from the host file system that holds it.
std::optional<DiskSpace> diskSpace(std::string_view path);

} // namespace kv::fs
