#include "client/app/favorite_searches.h"

#include "client/app/settings_store.h"

#include <string>

namespace kv::app {

void fillFavoriteSearches(kv::ui::ComboBox& box) {
    std::string kept = box.text();
    box.clear();
    box.setText(kept);
    for (int n = 1; n <= kFavoriteSearchCount; ++n)
        box.addItem(getSetting("Fav" + std::to_string(n), ""));
}

} // namespace kv::app
