#pragma once
// Test support: all of the client's process-wide state dropped at once.

namespace kv::app {

// Forgets the session object, the main window's wiring and start-up commands, and the
// snipe list's folder, filters and display state.
void resetForTests();

} // namespace kv::app
