#pragma once
// Adding and editing a snipe: one exchange that fetches the auction's and the snipe's data,
// fills the snipe editor and its bid-group list, shows it modally, creates a bid group for
// a newly typed name and stores the snipe, showing the editor again after a failed store.
// The caller reloads the snipe list afterwards.

#include <cstdint>
#include <string>
#include <vector>

namespace kv::ui {
class ComboBox;
}

namespace kv::app {

// The editor's modes, also the digit of the fetch ("g1", "g2") and store ("m1", "m2").
inline constexpr std::int16_t kAddMode = 1;
inline constexpr std::int16_t kEditMode = 2;

// A new snipe on the auction (the number may be empty: the user types it), with the
// main window's hourglass.
void addSnipe(const std::string& auctionNumber, std::int16_t auctionHouseId);
// Changes the stored snipe, with the main window's hourglass.
void editSnipe(std::int32_t snipeId);
// The exchange. auctionText is the auction number (mode 1) or the snipe id (mode 2); the
// fetch reply's auction house, when above 0, is written back to auctionHouseId. Any other
// mode ends the program after an "Internal failure" box.
void snipeDialog(std::int16_t& mode, std::string& auctionText, std::int16_t& auctionHouseId);
// Fills the combo box from a list command's "id TAB name" lines: "<none>" first and
// selected, each entry's item value its id; the last entry whose id is preselect is selected.
void loadBidGroups(kv::ui::ComboBox& box, const std::string& command, std::int32_t preselect);
// The same from the reply's lines: up to the first empty line, each "id TAB name" line whose
// id is a whole number within 32 bits adds an entry; other lines are skipped.
void fillBidGroups(kv::ui::ComboBox& box, const std::vector<std::string>& lines,
                   std::int32_t preselect);

} // namespace kv::app
