#pragma once
// The process-wide state of each part of the client, dropped by resetForTests().

namespace kv::app::internal {

void resetListDisplay(); // what the snipe list shows and how
void resetListState();   // the folder and filters of the list
void resetSecurity();    // the session object
void resetStartup();     // the main window's wiring, the start-up commands, the news random

} // namespace kv::app::internal
