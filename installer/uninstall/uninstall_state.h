#pragma once
// What the whole uninstall run shares: the done flag and whether the run is in test mode.

namespace kv::installer::uninstall {

// Set once the removal has ended (completed or aborted); false at start.
void SetUninstallDone(bool done);
bool IsUninstallDone();

// The file whose presence turns test mode on.
constexpr const char* kTestModeFile = "C:\\Setup.tst";
// Whether "C:\Setup.tst" exists, tested on the first call only.
bool IsTestMode();

} // namespace kv::installer::uninstall
