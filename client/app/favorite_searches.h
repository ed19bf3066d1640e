#pragma once
// The favourite searches of the search box: the settings Fav1 (newest) to Fav10.

#include "platform/ui/lists.h"

namespace kv::app {

inline constexpr int kFavoriteSearchCount = 10;

// Refills the box's drop-down list with ten rows, Fav1 to Fav10 in order (empty ones as
// blank rows), keeping the text in the box.
void fillFavoriteSearches(kv::ui::ComboBox& box);

} // namespace kv::app
