#pragma once
// The platform's debug output: texts a program hands to a system debugger, kept in the
// machine's run-time state as a record every process can read.

#include <string>
#include <string_view>
#include <vector>

namespace kv::desktop {

struct DebugText {
    int processId = 0;
    std::string text;
    bool operator==(const DebugText&) const = default;
};

// Appends a text (of this process) to the machine's debug record.
void outputDebugString(std::string_view text);
// The debug record, oldest first.
std::vector<DebugText> debugRecord();
// Empties the debug record.
void clearDebugRecord();

} // namespace kv::desktop
