// The client's list replies: any "textdump" lines fill the snipe list (ungrouped and
// grouped by any field), any "history" lines the history list, and any "favorites" lines
// give favourites entries, without a crash. The snipe list has one row per data line of
// 16 fields or more plus the total rows, the history list one row per non-empty line after
// its title line, and every favourites entry comes from a line of the reply.
//
// Input: the lines (split at line feeds, as the replies are); the first byte also picks
// the grouping field.

#include "client/app/commands.h"
#include "client/app/list_display.h"
#include "client/app/list_state.h"
#include "fuzz/driver/fuzz_support.h"
#include "platform/ui/application.h"
#include "platform/ui/form.h"
#include "platform/ui/headless/headless.h"
#include "platform/ui/list_view.h"

namespace {

using kv::fuzz::check;

struct Lists : kv::ui::Form {
    Lists() : Form("frmFuzz") {}
    kv::ui::ListView& lv = add<kv::ui::ListView>("lvListView");
};

// Whether a line after the title fills a row: 16 fields or more, and not paid or received
// unless the list shows those.
bool fillsRow(std::string_view line) {
    const std::vector<std::string_view> f = kv::fuzz::split(line, '\t');
    return f.size() >= 16 && (f[8].empty() || kv::app::showPaid()) &&
           (f[9].empty() || kv::app::showReceived());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kv::fuzz::fuzzMachine();
    const std::string_view text = kv::fuzz::asText(data, size);
    std::vector<std::string> lines;
    for (std::string_view line : kv::fuzz::split(text, '\n'))
        lines.emplace_back(line);
    kv::ui::headless::install();
    Lists& form = kv::ui::app().form<Lists>();

    std::size_t header = 0, dataLines = 0, historyRows = 0;
    for (const std::string& line : lines) {
        if (line.empty()) continue;
        if (header++ == 0) continue;
        ++historyRows;
        dataLines += fillsRow(line);
    }
    const int groupField = text.empty() ? 0 : static_cast<unsigned char>(text[0]) % 18;
    kv::app::fillAuctionList(form.lv, lines, 0, "");
    check(form.lv.itemCount() == static_cast<int>(dataLines) + 1,
          "an ungrouped list has a row per data line and one total");
    kv::app::fillAuctionList(form.lv, lines, groupField, "Seller");
    check(form.lv.itemCount() >= static_cast<int>(dataLines) + 1 &&
              form.lv.itemCount() <= 2 * static_cast<int>(dataLines) + 1,
          "a grouped list has a row per data line and a total per group");

    kv::app::fillHistoryList(form.lv, lines);
    check(form.lv.itemCount() == static_cast<int>(historyRows),
          "the history list has a row per line after its title");

    for (const kv::app::FavoriteEntry& entry : kv::app::favoriteEntries(lines))
        check(!entry.number.empty() &&
                  text.find(entry.number + "\t" + entry.caption) != std::string_view::npos,
              "a favourites entry comes from a line");
    return 0;
}
