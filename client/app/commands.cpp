#include "client/app/commands.h"

#include "client/app/frm_history.h"
#include "client/app/frm_main.h"
#include "client/app/internal/command_support.h"
#include "client/app/list_display.h"
#include "client/app/list_state.h"
#include "client/app/numeric_text.h"
#include "client/app/session.h"
#include "client/app/startup.h"
#include "platform/ui/application.h"
#include "platform/ui/list_view.h"
#include "platform/ui/menu.h"
#include "platform/ui/web_browser.h"

#include <vector>

namespace kv::app {
namespace {

using internal::sendRecord;
using internal::WaitCursor;
using kv::protocol::Hash;

} // namespace

void showBidHistory(std::int32_t bidId) {
    Hash args;
    args.Add("bid_id", static_cast<std::int64_t>(bidId));
    const std::vector<std::string> lines = security().queryKestrovaneMulti("history", args);
    // Every history request fills a freshly loaded window.
    frmHistory& window = kv::ui::app().create<frmHistory>();
    fillHistoryList(window.lvListView, lines);
    window.show(kv::ui::ShowMode::Modal);
}

void changeFavorite(const std::string& auctionNumber, const std::string& command) {
    WaitCursor wait(true);
    Hash args;
    args.Add("auction_id", auctionNumber);
    if (sendRecord(command, args, "Add Favorites")) loadFavorites();
}

void importMyEbay() {
    WaitCursor wait(true);
    Hash args;
    if (!sendRecord("myebay", args, "Sync with eBay")) return;
    if (currentStatus() != 10 && currentStatus() != 11) setCurrentStatus(10);
    std::int16_t status = currentStatus();
    std::int16_t groupBy = -1;
    refreshAuctionList(status, groupBy);
    mainForm().wb1Show(false);
}

void refreshAuctions() {
    WaitCursor wait(true);
    Hash args;
    args.Add("status_id", static_cast<std::int64_t>(currentStatus()));
    sendRecord("refresh", args, "Refresh Auctions");
}

void loadFavorites() {
    WaitCursor wait(true);
    Hash args;
    const std::vector<std::string> lines = security().queryKestrovaneMulti("favorites", args);

    frmMain& main = mainForm();
    const int count = static_cast<int>(main.controlArray("mnuWatchedItem").size());
    for (int i = 1; i < count; ++i) {
        if (kv::ui::Control* element = main.find("mnuWatchedItem", i)) main.remove(*element);
    }
    auto* first = main.find<kv::ui::Menu>("mnuWatchedItem", 0);
    if (!first) return; // a window without the favourites menu

    int n = 1;
    for (const FavoriteEntry& entry : favoriteEntries(lines)) {
        kv::ui::Menu& element = first->loadElement(n);
        element.setCaption(entry.caption);
        element.setTag(entry.number);
        element.setVisible(true);
        ++n;
    }
}

std::vector<FavoriteEntry> favoriteEntries(const std::vector<std::string>& lines) {
    std::vector<FavoriteEntry> entries;
    for (const std::string& line : lines) {
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos) continue;
        std::string number = line.substr(0, tab);
        if (!isNumeric(number)) continue;
        std::string caption = line.substr(tab + 1);
        caption = caption.substr(0, caption.find('\t'));
        entries.push_back({std::move(number), std::move(caption)});
    }
    return entries;
}

void applyToSelection(kv::ui::ListView& list, const std::string& command) {
    std::string ids;
    // Every row counts, however long the list (a 16-bit count would overflow).
    for (int row = 0; row < list.itemCount(); ++row) {
        if (!list.checked(row)) continue;
        const std::string& tag = list.item(row).tag;
        if (isNumeric(tag)) ids += tag + "|"; // a group total row has no tag
    }
    if (ids.empty()) return;
    Hash args;
    args.Add("status_id", static_cast<std::int64_t>(currentStatus()));
    args.Add("bidlist", ids);
    sendRecord(command, args, "Processing selection");
}

void cancelSnipe(std::int32_t bidId) {
    Hash args;
    args.Add("bid_id", static_cast<std::int64_t>(bidId));
    args.Add("status_id", static_cast<std::int64_t>(currentStatus()));
    sendRecord("delete", args, "Cancel Snipe");
}

} // namespace kv::app
