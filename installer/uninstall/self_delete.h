#pragma once
// The uninstaller's deletion of itself: a batch file in the temporary folder, started
// hidden, deletes the program once it has ended, then its folder when empty, then itself.

#include <cstdint>
#include <string_view>

namespace kv::installer::uninstall {

// Creates or truncates the file and writes the text; sets its date when fileTime is not 0
// (100 ns units since 1601, UTC). True when every byte was written.
bool WriteTextToFile(std::string_view path, std::string_view text, std::uint64_t fileTime);

// Writes "_DEL_ME_.BAT" into the temporary folder and starts it hidden: it retries deleting
// the running program until it has ended, removes the program's folder (with removeFolder;
// only an empty folder goes) and deletes itself. Paths are short (8.3) names, so blanks do
// no harm. Nothing is reported when the batch cannot be written or started.
void StartSelfDelete(bool removeFolder);

} // namespace kv::installer::uninstall
