#pragma once
// The program's pictures: the bitmap resource 102, the banner of the login, splash, terms
// and snipe windows, the auction houses' logos and the search bar's buttons.

#include "platform/ui/picture.h"

namespace kv::app {

// Adds the program's resources (bitmap 102) to the running program's table; idempotent.
void addProgramResources();
// Bitmap 102 as a picture (registering the resources first when needed).
kv::ui::Picture bannerPicture();
// The logo of auction house 1 or 2 (the snipe editor's imgAuctionHouse); empty for others.
kv::ui::Picture auctionHousePicture(int houseId);

// The pictures of the search bar's three buttons (16 x 16 pixels).
enum class SearchButton { Search, AddFavorite, Preferences };
kv::ui::Picture searchButtonPicture(SearchButton button);

} // namespace kv::app
