#pragma once
// Test support: all of uninstall's process-wide state dropped at once.

namespace kv::installer::uninstall {

// Forgets the done flag, the test-mode answer and installer/common's state.
void resetForTests();

} // namespace kv::installer::uninstall
