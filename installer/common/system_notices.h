#pragma once
// The notices the installer sends to the rest of the system: a setting change broadcast
// to all top-level windows and the shell's change notification. The machine has no other
// listeners, so each notice is kept in a per-process record that tests read.

#include <cstdint>
#include <string>
#include <vector>

namespace kv::installer {

struct SystemNotice {
    enum class Kind { SettingChange, ShellChange };
    Kind kind = Kind::SettingChange;
    std::string text;            // the setting's name ("Environment") for a broadcast
    std::uint32_t timeoutMs = 0; // how long a broadcast waits for each window
    long event = 0;              // the shell event for a shell notice
    unsigned flags = 0;          // its flags
};

// The shell's "associations changed" event and the flush flag.
constexpr long kShellAssocChanged = 0x08000000;
constexpr unsigned kShellFlush = 0x1000;

// Broadcasts WM_WININICHANGE with the setting's name, waiting at most timeoutMs.
void SendSettingChange(const std::string& setting, std::uint32_t timeoutMs);
// Tells the shell about a change.
void SendShellChange(long event, unsigned flags);

// The notices sent so far in this process, oldest first.
const std::vector<SystemNotice>& SentNotices();

} // namespace kv::installer
