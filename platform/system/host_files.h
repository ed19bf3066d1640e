#pragma once
// Whole host files read and replaced safely: a reader tells a missing file from one it
// cannot read, and a writer never leaves a half-written or empty file behind.

#include <filesystem>
#include <string>
#include <string_view>

namespace kv::machine {

enum class HostRead { Ok, Missing, Unreadable };

// Reads the whole file into content (cleared unless Ok).
HostRead readHostFile(const std::filesystem::path& file, std::string& content);

// Replaces the file with content: a temporary file of this process beside it, flushed to
// disk, renamed over the file, the folder flushed. False (the old file untouched and the
// temporary file removed) when any step fails.
bool writeHostFileAtomically(const std::filesystem::path& file, std::string_view content);
// The same without flushing to disk: a process killed at any point leaves the old file or
// the new one whole, but the host losing power may lose the change. For files rewritten
// often, where a flush per change would cost more than the change.
bool replaceHostFile(const std::filesystem::path& file, std::string_view content);

} // namespace kv::machine
