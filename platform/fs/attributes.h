#pragma once
// File attributes and times. Read-only is the owner's write bit; hidden, system and
// archive live in the drive's table. Times are in the platform's units: 100-nanosecond
// intervals since 1 January 1601 (UTC).

#include <cstdint>
#include <optional>
#include <string_view>

namespace kv::fs {

constexpr std::uint32_t kAttrReadOnly = 0x01;
constexpr std::uint32_t kAttrHidden = 0x02;
constexpr std::uint32_t kAttrSystem = 0x04;
constexpr std::uint32_t kAttrDirectory = 0x10;
constexpr std::uint32_t kAttrArchive = 0x20;
constexpr std::uint32_t kAttrNormal = 0x80;
constexpr std::uint32_t kInvalidAttributes = 0xFFFFFFFF;

// The attributes of an existing file or folder, kInvalidAttributes when it does not exist.
// A file never given attributes reports archive; no attribute at all reports normal.
std::uint32_t getAttributes(std::string_view path);
// Sets read-only, hidden, system and archive (normal clears them all). False when the
// path does not exist. Read-only is ignored on folders.
bool setAttributes(std::string_view path, std::uint32_t attributes);

struct FileTimes {
    std::uint64_t creation = 0;
    std::uint64_t lastAccess = 0;
    std::uint64_t lastWrite = 0;
};

// The times of an existing file or folder (creation is the host's birth time when it has
// one, else the last write).
std::optional<FileTimes> getFileTimes(std::string_view path);
// Sets the last access and last write times (0 leaves one unchanged); the host keeps no
// settable creation time.
bool setFileTimes(std::string_view path, const FileTimes& times);

// Conversions between the platform's time units and host (Unix) time in nanoseconds.
std::uint64_t fileTimeFromUnixNanos(std::int64_t nanos);
std::int64_t unixNanosFromFileTime(std::uint64_t fileTime);

} // namespace kv::fs
