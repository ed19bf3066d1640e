#pragma once
// Whole text files of lines (single-byte text, CR LF) on machine paths, as the installer's
// own record files are kept: read in full, and saved in full after every change.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv::installer {

// The lines of a file, each without its CR LF (a lone LF also ends a line); a final line
// break adds no empty line. Nothing when the file does not exist or cannot be read.
std::optional<std::vector<std::string>> ReadTextLines(std::string_view path);
// Replaces the file with the lines, each followed by CR LF, at once (a program ended
// during the save leaves the earlier file whole); the folder must exist. False when the file
// cannot be written, and always for a path on the host drive Z:, which the installer
// programs never write.
bool SaveTextLines(std::string_view path, const std::vector<std::string>& lines);

} // namespace kv::installer
