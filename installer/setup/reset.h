#pragma once
// Test support: all of setup's process-wide state dropped at once.

namespace kv::installer {

// Forgets the language, the values of the whole run and installer/common's state.
void resetForTests();

} // namespace kv::installer
