#pragma once
// Files replaced or deleted at the machine's next start: the NT-family pending-rename list
// in the registry and Windows 9x's WININIT.INI [Rename] section, carried out by the first
// program start after a restart request.

#include <string>
#include <string_view>
#include <vector>

namespace kv::fs {

// Flags of moveFileEx, numbered as the platform numbers them.
constexpr unsigned kMoveReplaceExisting = 1;
constexpr unsigned kMoveCopyAllowed = 2;
constexpr unsigned kMoveDelayUntilReboot = 4;
constexpr unsigned kMoveWriteThrough = 8;

// Moves a file now, or with kMoveDelayUntilReboot records the move (an empty target:
// the deletion) in the pending-rename list for the next start. False on failure.
bool moveFileEx(std::string_view from, std::string_view to, unsigned flags);

// A file move or deletion waiting for the next start.
struct PendingRename {
    std::string from;
    std::string to; // "" deletes `from`
    bool replace = false;
    bool operator==(const PendingRename&) const = default;
};

// The pending renames in the order they will be carried out, without carrying them out.
std::vector<PendingRename> pendingRenames();

// Carries out and clears the pending renames: the registry list, then the [Rename] lines
// of WININIT.INI in the Windows folder (renamed to WININIT.BAK afterwards, as 9x does).
// A line whose files cannot be moved is reported on standard error and skipped.
void carryOutPendingRenames();

// At a program's start: records its arguments; at the first start after a restart request
// (and at no other) carries out the pending renames; enters the program in the machine's
// process list unless its start through the machine did.
void startProgram(int argc, const char* const* argv);

} // namespace kv::fs
