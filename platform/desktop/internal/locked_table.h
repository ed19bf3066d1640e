#pragma once
// A small table of text lines in the machine's run-time state, read and rewritten under an
// exclusive lock so that every process of the machine sees one consistent table.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kv::desktop::internal {

// The run-time file of a table: <runtime>/desktop/<name>.
std::filesystem::path tableFile(const std::string& name);

// Locks the table, hands its lines to `change` and, when it returns true, writes them back
// (replacing the file whole). False when the table cannot be locked or written.
bool updateTable(const std::string& name,
                 const std::function<bool(std::vector<std::string>&)>& change);
// The table's lines, read under the lock (empty when it does not exist).
std::vector<std::string> readTable(const std::string& name);

// A text made fit for one line of a table (backslash, CR and LF escaped), and back.
std::string escapeLine(std::string_view text);
std::string unescapeLine(std::string_view line);

} // namespace kv::desktop::internal
