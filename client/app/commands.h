#pragma once
// The plain service commands: each builds its request, sends it through the session object
// and reports a failed reply in a message box. They work on the one main window: its mouse
// pointer, its favourites menu (the control array mnuWatchedItem), its snipe list and its
// browser pane wb1.

#include <cstdint>
#include <string>
#include <vector>

namespace kv::ui {
class ListView;
}

namespace kv::app {

// Text shown when a failed reply carries no message.
inline constexpr const char* kNoResponseText =
    "No response from the server. You must be connected to the Internet to use Kestrovane.";

// Sends "history" for the snipe and shows its lines in the history window, modally.
void showBidHistory(std::int32_t bidId);
// Sends command ("addfavorite" or "rmfavorite") for the auction; on success rebuilds the
// favourites menu.
void changeFavorite(const std::string& auctionNumber, const std::string& command);
// Sends "myebay"; on success lists "Items I'm Watching" (unless a My eBay folder is shown)
// and hides the main browser pane.
void importMyEbay();
// Sends "refresh" for the folder shown.
void refreshAuctions();
// Rebuilds the favourites menu from the "favorites" lines (element 0 stays).
void loadFavorites();
// One entry of the favourites menu.
struct FavoriteEntry {
    std::string number; // the auction number, the element's tag
    std::string caption;
};
// The entries of "favorites" lines "<number>\t<caption>[\t...]"; a line without a tab or
// whose number is not a number is left out.
std::vector<FavoriteEntry> favoriteEntries(const std::vector<std::string>& lines);
// Sends command ("setdeleted", "dofeedback", "setpaid", "setreceived") for the snipes of
// the list's checked rows; nothing is sent when no snipe row is checked.
void applyToSelection(kv::ui::ListView& list, const std::string& command);
// Sends "delete" for the snipe and the folder shown.
void cancelSnipe(std::int32_t bidId);

} // namespace kv::app
