#pragma once
// Test support: installer/common's process-wide state dropped at once.

namespace kv::installer {

// Forgets the folders and run-time folder names, the pending association notice, the
// notices sent and the cached answers about the system.
void resetCommonForTests();

} // namespace kv::installer
