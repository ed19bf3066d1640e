#pragma once
// The snipe list's module-wide state, one copy per process: the folder shown, the filters
// and the grouping, shared by the main window and the list display.

#include <cstdint>

namespace kv::app {

// The folder listed: 0 all, 1 active, 2 successful, 3 failed, 5 cancelled, 10 and 11 the
// eBay watch and bid lists. 0 at start.
std::int16_t currentStatus();
void setCurrentStatus(std::int16_t status);
// Paid snipes listed (True at start) and received snipes listed (False at start).
bool showPaid();
void setShowPaid(bool on);
bool showReceived();
void setShowReceived(bool on);
// Grouping: 0 none, 1 by seller, 2 by bid group. 0 at start.
std::int16_t currentGroupBy();
void setCurrentGroupBy(std::int16_t groupBy);

} // namespace kv::app
