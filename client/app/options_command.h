#pragma once
// The account options: one exchange that fetches them from the service, shows them in the
// options dialog on a chosen tab and stores them after OK, showing the dialog again after
// a failed store. The dialog stores its local preferences itself.

#include <cstdint>

namespace kv::app {

// The options menu item opens it on tab 1 (General), the search bar's button on tab 3.
void editOptions(std::int16_t tab);

} // namespace kv::app
