// frmMain's snipe list: row clicks and keys, check marks and the menus that follow them,
// the context menu, column sorting and the auction the user means.

#include "client/app/commands.h"
#include "client/app/frm_main.h"
#include "client/app/list_display.h"
#include "client/app/list_state.h"
#include "client/app/numeric_text.h"
#include "platform/text/ansi.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <vector>

namespace kv::app {
namespace {

// A total row's sub-item 1 is " TOTAL" or " TOTAL for " and the group value.
constexpr std::size_t kGroupValueStart = 11;

// The list's sub-item that sorts in place of a shown column (its hidden sort key).
int sortIndexOf(int column) {
    switch (column) {
    case 2:
        return 12;
    case 3:
        return 13;
    case 6:
        return 10;
    case 7:
        return 11;
    default:
        return column;
    }
}

// The whole number a text starts with; nullopt when it starts with none or it does not
// fit 32 bits.
std::optional<std::int32_t> leadingWholeNumber(std::string_view text) {
    std::int32_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end == text.data()) return std::nullopt;
    return value;
}

std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> out;
    for (std::string_view w : text::splitAt(text, ' '))
        out.emplace_back(w);
    return out;
}

} // namespace

void frmMain::lvListView_Click() {
    try {
        const int row = lvListView.selectedIndex();
        const std::string tag = row < 0 ? std::string() : lvListView.item(row).tag;
        setListJustRefreshed(false);
        const bool snipeRow = isNumeric(tag);
        showBidSpecific(snipeRow);
        showAuctionSpecific(snipeRow);
        const bool successful = currentStatus() == 2;
        for (kv::ui::Menu* m :
             {&mnuSelectedPaid, &mnuSelectedReceived, &mnuSelectedFeedback, &mnuPropSelectedPaid,
              &mnuPropSelectedReceived, &mnuPropSelectedFeedback})
            m->setEnabled(successful);
        ShowPreviewPane();
    } catch (const std::exception&) {}
}

// Enter acts as a double click; any other key as a row click.
void frmMain::lvListView_KeyPress(int& keyAscii) {
    if (keyAscii == kv::ui::kKeyReturn)
        lvListView_DblClick();
    else
        lvListView_Click();
}

void frmMain::lvListView_DblClick() {
    if (clickToEdit)
        mnuAuctionProperties_Click();
    else
        OpenSelectedAuction();
}

// A total row keeps no mark of its own: it flips the marks of its group's rows (of every
// snipe row for the total of an ungrouped list).
void frmMain::lvListView_ItemCheck(int row) {
    if (!isNumeric(lvListView.text(row))) {
        lvListView.setChecked(row, false);
        const std::string label = lvListView.text(row, 1);
        const std::string group =
            label.size() > kGroupValueStart ? label.substr(kGroupValueStart) : std::string();
        if (group.empty()) {
            for (int i = 0; i < lvListView.itemCount(); ++i)
                if (isNumeric(lvListView.text(i))) lvListView.setChecked(i, !lvListView.checked(i));
        } else {
            int field = 0;
            if (currentGroupBy() == 1) field = 4;
            if (currentGroupBy() == 2) field = 14;
            if (field == 0) return;
            for (int i = 0; i < lvListView.itemCount(); ++i)
                if (lvListView.text(i, field) == group)
                    lvListView.setChecked(i, !lvListView.checked(i));
        }
    }
    UpdateCheckedMenus();
}

void frmMain::UpdateCheckedMenus() {
    bool any = false;
    for (const kv::ui::ListItem& item : lvListView.items())
        any = any || item.checked;
    mnuAuctionSelected.setEnabled(any);
    mnuPropSelected.setEnabled(any);
}

void frmMain::mnuPropSelect_Click() {
    const int row = lvListView.selectedIndex();
    if (row >= 0) lvListView.setChecked(row, !lvListView.checked(row));
    UpdateCheckedMenus();
}

void frmMain::lvListView_MouseDown(const kv::ui::MouseEvent& event) {
    if (event.button == kv::ui::kRightButton) mnuProperties.popup();
}

// A grouped list is ungrouped (and not sorted); otherwise the column sorts the list,
// a second click on it the other way round.
void frmMain::lvListView_ColumnClick(int column) {
    if (currentGroupBy() > 0) {
        mnuViewGroupBySeller.setChecked(false);
        mnuViewGroupByBidGroup.setChecked(false);
        setCurrentGroupBy(0);
        reloadAuctionList();
        wb1Show(false);
        return;
    }
    const int index = sortIndexOf(column);
    setSortSettingsLoaded(true);
    using kv::ui::SortOrder;
    if (lvListView.sortKey() == index) {
        lvListView.setSortOrder(lvListView.sortOrder() == SortOrder::Ascending
                                    ? SortOrder::Descending
                                    : SortOrder::Ascending);
    } else {
        lvListView.setSortKey(index);
        lvListView.setSortOrder(SortOrder::Ascending);
    }
    for (int i = 0; i < lvListView.columnCount(); ++i)
        lvListView.setColumnIcon(i, 0);
    lvListView.setColumnIcon(column, static_cast<int>(lvListView.sortOrder()) + 1);
}

void frmMain::GetSelectedItemNumber(std::string& itemNumber, std::int32_t& bidId,
                                    std::int16_t& site) {
    if (wb1.visible()) {
        const kv::ui::WebDocument& page = wb1.document();
        const std::vector<std::string> w = words(page.title);
        if (w.size() >= 3 && w[0] == "eBay" && w[1] == "item" && isNumeric(w[2])) {
            itemNumber = w[2];
            site = 1;
        } else if (w.size() >= 4 && w[0] == "eBay" && w[1] == "Motors" && w[2] == "item" &&
                   isNumeric(w[3])) {
            itemNumber = w[3];
            site = 2;
        }
        constexpr std::string_view kMarker = "Xbid_id=";
        if (const std::size_t at = page.url.find(kMarker); at != std::string::npos) {
            if (auto id =
                    leadingWholeNumber(std::string_view(page.url).substr(at + kMarker.size())))
                bidId = *id;
        }
        return;
    }
    try {
        if (listJustRefreshed()) return;
        const int row = lvListView.selectedIndex();
        if (row < 0) return;
        itemNumber = lvListView.text(row);
        if (auto id = numericValue(lvListView.item(row).tag)) {
            const double rounded = std::nearbyint(*id);
            if (rounded >= INT32_MIN && rounded <= INT32_MAX)
                bidId = static_cast<std::int32_t>(rounded);
        }
    } catch (const std::exception&) {}
}

} // namespace kv::app
