#pragma once
// The per-drive table of what host file systems cannot keep: short names once given and
// the hidden, system and archive attributes. One text file per drive in the machine's
// tables folder, changed under a file lock and replaced whole (never left half-written).

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace kv::fs::internal {

struct TableEntry {
    std::string shortName; // "" when none was given
    bool hasAttributes = false;
    std::uint32_t attributes = 0; // hidden, system, archive bits only
};

// Keys: host paths relative to the drive's folder ("WINDOWS/system32/x.dll").
using Table = std::map<std::string, TableEntry>;

// Reads the table of a drive (empty when it has none). Parsed only past what this process
// read before while the file grew by lines added.
std::shared_ptr<const Table> readTable(char drive);
// Drops the tables kept from reading (for resetForTests).
void forgetReadTables();
// Runs change on the table under its lock and saves it when change returns true.
bool updateTable(char drive, const std::function<bool(Table&)>& change);

// Table keys below a folder key ("" for the root): direct children only.
bool isChildKey(const std::string& folderKey, const std::string& key);

} // namespace kv::fs::internal
