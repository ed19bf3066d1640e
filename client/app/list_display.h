#pragma once
// The snipe list of the main window and the history list: loading the "textdump" reply
// into rows, hidden sort-key columns, group total rows, icons, colours and column layout.

#include <cstdint>
#include <string>
#include <vector>

namespace kv::ui {
class ListView;
struct RowColors;
} // namespace kv::ui

namespace kv::app {

// Reloads the main list for status and grouping; -1 keeps currentStatus / currentGroupBy
// (and is replaced in the caller's variable). Selects the folder in the tree afterwards.
void refreshAuctionList(std::int16_t& status, std::int16_t& groupBy);
// Reloads the main list for the folder and grouping shown (refreshAuctionList(-1, -1)).
void reloadAuctionList();
// Fills list from "textdump" lines; groupField is the field of the group value (0: no
// grouping), groupTitle the grouping's title ("Seller", "Bid Group" or empty). A data line
// with fewer than 16 fields is left out.
void fillAuctionList(kv::ui::ListView& list, const std::vector<std::string>& lines, int groupField,
                     const std::string& groupTitle);
// Appends one total row: " TOTAL for <value>" (or " TOTAL"), the sum and the item count.
void addGroupTotalRow(kv::ui::ListView& list, const std::string& groupValue, double total,
                      int count);
// Fills the history list from "history" lines.
void fillHistoryList(kv::ui::ListView& list, const std::vector<std::string>& lines);
// The snipe list's row colours: black text on red (even rows) or blue (odd rows).
void listViewWndProc(int row, kv::ui::RowColors& colors);

// The sort-key text of a number: twelve integer digits with leading zeros, two decimals.
std::string sortKeyText(double value);

// The saved sort has been applied (or overridden by a column click).
bool sortSettingsLoaded();
void setSortSettingsLoaded(bool loaded);
// True after every reload; cleared by a row click and by opening the auction's page.
bool listJustRefreshed();
void setListJustRefreshed(bool on);

} // namespace kv::app
