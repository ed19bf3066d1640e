#include "client/app/banner.h"
#include "client/app/commands.h"
#include "client/app/frm_history.h"
#include "client/app/list_display.h"
#include "client/app/list_state.h"
#include "client/app/settings_store.h"
#include "client/app/tests/app_fixture.h"

#include "platform/ui/user_controls.h"
#include "platform/ui/user_input.h"

#include <cmath>
#include <cstdio>
#include <map>

namespace kv::app {
namespace {

using Lines = std::vector<std::string>;

const std::string kHeader = "Auction\tTitle\tMax Bid\tPrice\tSeller\tEnds\tTime Left\tDelay\tPaid\t"
                            "Received\tEnds Key\tDelay Key\tMax Key\tPrice Key\tBid Group\tStatus";

// A data line of 16 fields: the given ones set, the others empty.
std::string line(const std::map<int, std::string>& set) {
    std::string out;
    for (int i = 0; i < 16; ++i) {
        if (i) out += '\t';
        if (const auto it = set.find(i); it != set.end()) out += it->second;
    }
    return out;
}
std::string snipe(int id, const std::string& seller, const std::string& price,
                  const std::string& status = "1", const std::string& paid = "") {
    return line({{0, std::to_string(id) + "|300" + std::to_string(id)},
                 {2, "20"},
                 {3, price},
                 {4, seller},
                 {8, paid},
                 {15, status}});
}

// One row as the test reads it: tag, text, and cells 1, 3 and 4.
struct Row {
    std::string tag, text, title, amount, count;
    bool operator==(const Row&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Row& r) {
    return os << "{" << r.tag << "," << r.text << "," << r.title << "," << r.amount << ","
              << r.count << "}";
}
std::vector<Row> rows(const kv::ui::ListView& list) {
    std::vector<Row> out;
    for (int i = 0; i < list.itemCount(); ++i) {
        const auto& item = list.item(i);
        const bool total = item.tag.empty() && item.text().empty();
        out.push_back({item.tag, item.text(), total ? list.text(i, 1) : "",
                       total ? list.text(i, 3) : "", total ? list.text(i, 4) : ""});
    }
    return out;
}

class ListDisplay : public testing::AppFixture {
protected:
    kv::ui::ListView& list() { return main_->lvListView; }
};

TEST_F(ListDisplay, GroupedBySellerATotalRowFollowsEachGroup) {
    fillAuctionList(list(),
                    {kHeader, snipe(1, "A", "10.50"), snipe(2, "A", "2"), snipe(3, "B", "7x")}, 4,
                    "Seller");
    EXPECT_EQ(rows(list()), (std::vector<Row>{
                                {"1", "3001", "", "", ""},
                                {"2", "3002", "", "", ""},
                                {"", "", " TOTAL for A", "12.50", "(2 items)"},
                                {"3", "3003", "", "", ""},
                                {"", "", " TOTAL for B", "7.00", "(1 item)"},
                            }));
    for (int cell : {1, 3, 4})
        EXPECT_TRUE(list().item(2).cells[cell].bold) << cell;
    EXPECT_FALSE(list().sorted()); // grouped lists keep the service's order
    EXPECT_EQ(list().column(3).width, 1100);
    EXPECT_EQ(list().selectedIndex(), 0);
}

TEST_F(ListDisplay, UngroupedListsEndWithOneTotalAndFiltersLeaveRowsOut) {
    const Lines lines = {kHeader, snipe(1, "A", "1", "1", "Paid"), "", snipe(2, "B", "2"),
                         line({{0, "3|3003"}, {3, "4"}, {9, "Received"}})};
    struct Case {
        bool paid, received;
        std::vector<std::string> texts;
        std::string sum, count;
    };
    const Case cases[] = {
        {true, false, {"3001", "3002"}, "3.00", "(2 items)"},
        {false, false, {"3002"}, "2.00", "(1 item)"},
        {true, true, {"3001", "3002", "3003"}, "7.00", "(3 items)"},
        {false, true, {"3002", "3003"}, "6.00", "(2 items)"},
    };
    for (const Case& c : cases) {
        setShowPaid(c.paid);
        setShowReceived(c.received);
        fillAuctionList(list(), lines, 0, "");
        ASSERT_EQ(list().columnCount(), 16); // the header is never left out
        std::vector<std::string> texts;
        int totals = 0;
        for (const Row& r : rows(list())) {
            if (r.title == " TOTAL") {
                ++totals;
                EXPECT_EQ(r.amount, c.sum);
                EXPECT_EQ(r.count, c.count);
            } else {
                texts.push_back(r.text);
            }
        }
        EXPECT_EQ(totals, 1);
        EXPECT_EQ(texts, c.texts);
        EXPECT_TRUE(list().sorted());
    }
}

TEST_F(ListDisplay, IconsOnlyInTheAllSnipesFolder) {
    const Lines lines = {kHeader,
                         snipe(1, "A", "1", "1"),
                         snipe(2, "A", "1", "2"),
                         snipe(3, "A", "1", "3"),
                         snipe(5, "A", "1", "5"),
                         snipe(6, "A", "1", "x")};
    setCurrentStatus(0);
    fillAuctionList(list(), lines, 4, "Seller");
    std::vector<int> icons;
    for (const auto& item : list().items()) {
        EXPECT_EQ(item.icon, item.smallIcon);
        icons.push_back(item.icon);
    }
    EXPECT_EQ(icons, (std::vector<int>{9, 15, 16, 17, 0, 0}));
    setCurrentStatus(2);
    fillAuctionList(list(), lines, 4, "Seller");
    for (const auto& item : list().items())
        EXPECT_EQ(item.icon, 0);
}

TEST_F(ListDisplay, SortKeysRedCellAndHiddenColumns) {
    fillAuctionList(list(),
                    {kHeader, line({{0, "1|a"}, {2, "7.5"}, {3, "3"}, {10, "90"}, {11, "8"}}),
                     line({{0, "2|b"}, {2, "10"}, {3, "12"}, {10, "n/a"}}),
                     line({{0, "no-bar"}, {2, "9"}, {3, "9"}})},
                    0, "");
    const auto find = [&](const std::string& text) {
        for (int i = 0; i < list().itemCount(); ++i)
            if (list().item(i).text() == text) return i;
        return -1;
    };
    const int a = find("a"), b = find("b"), plain = find("no-bar");
    EXPECT_EQ(list().text(a, 12), "000000000007.50");
    EXPECT_EQ(list().text(a, 13), "000000000003.00");
    EXPECT_EQ(list().text(a, 10), "000000000090.00");
    EXPECT_EQ(list().text(a, 11), "000000000008.00");
    EXPECT_EQ(list().text(b, 10), "n/a");
    EXPECT_FALSE(list().item(a).cells[2].foreColor);
    EXPECT_EQ(list().item(b).cells[2].foreColor, kv::ui::Color{255});
    EXPECT_FALSE(list().item(plain).cells[2].foreColor); // equal values
    EXPECT_EQ(list().item(plain).tag, "");
    EXPECT_EQ(list().item(plain).text(), "no-bar");

    for (int i : {10, 11, 12, 13, 15})
        EXPECT_EQ(list().column(i).width, 0) << i;
    EXPECT_GE(list().column(0).width, 1600);
    EXPECT_GE(list().column(14).width, 1400);
    EXPECT_EQ(list().column(2).alignment, kv::ui::Alignment::Right);
    EXPECT_EQ(list().column(3).width, 850);

    // Sorting by the third column goes through its hidden key: 9 before 10.
    list().setSortKey(12);
    std::vector<std::string> order;
    for (const auto& item : list().items())
        if (!item.text().empty()) order.push_back(item.text());
    EXPECT_EQ(order, (std::vector<std::string>{"a", "no-bar", "b"}));
}

// The sort-key text is printf's "%015.2f" of the magnitude behind the sign, halves and
// binary near-halves rounded the same way.
TEST(SortKeyText, MatchesPrintfFixedWithTwoDecimals) {
    for (double v : {0.0, -0.0, 7.5, -3.0, 0.125, 0.135, 1.005, 2.675, 999999999999.995,
                     123456789012345.0, 1e20, -1e300, 5e-324, 0.004999999}) {
        char expected[400];
        std::snprintf(expected, sizeof expected, "%s%015.2f", v < 0 ? "-" : "", std::fabs(v));
        EXPECT_EQ(sortKeyText(v), expected) << v;
    }
}

TEST_F(ListDisplay, ShortAndEmptyRepliesDoNotStopTheFill) {
    fillAuctionList(list(), {kHeader, "7|short\tline", snipe(2, "B", "2")}, 0, "");
    ASSERT_EQ(list().itemCount(), 2); // the short line is left out
    EXPECT_EQ(list().item(0).tag + list().item(1).tag, "2");
    fillAuctionList(list(), {}, 4, "Seller");
    EXPECT_EQ(list().columnCount(), 0);
    ASSERT_EQ(list().itemCount(), 1);
    EXPECT_EQ(list().text(0, 4), "(0 items)");
}

TEST_F(ListDisplay, RowsAreColouredRedAndBlueByTheirPlace) {
    fillAuctionList(list(), {kHeader, snipe(1, "A", "1"), snipe(2, "A", "1")}, 0, "");
    EXPECT_EQ(list().rowColors(0).background, kv::ui::Color{0x0000FF});
    EXPECT_EQ(list().rowColors(1).background, kv::ui::Color{0xFF0000});
    EXPECT_EQ(list().rowColors(1).text, kv::ui::kBlack);
}

TEST_F(ListDisplay, ReloadAsksTheServiceAndSelectsTheFolder) {
    saveSetting("SortKey", "4");
    saveSetting("SortOrder", "1");
    std::int16_t status = 1, groupBy = 1;
    refreshAuctionList(status, groupBy);
    EXPECT_EQ(list().sortKey(), 4);
    EXPECT_EQ(list().sortOrder(), kv::ui::SortOrder::Descending);
    EXPECT_TRUE(listJustRefreshed());
    EXPECT_EQ(main_->tvTreeView.node(main_->tvTreeView.selectedIndex()).key, "k1");

    // The saved sort is applied once a run.
    list().setSortKey(0);
    setListJustRefreshed(false);
    std::int16_t keep = -1, ungrouped = 0;
    refreshAuctionList(keep, ungrouped);
    EXPECT_EQ(keep, 1);
    EXPECT_EQ(list().sortKey(), 0);
    EXPECT_TRUE(listJustRefreshed());

    status = 0;
    std::int16_t byGroup = 2;
    refreshAuctionList(status, byGroup);
    EXPECT_EQ(currentStatus(), 0);
    EXPECT_EQ(main_->tvTreeView.node(main_->tvTreeView.selectedIndex()).key, "k0");
    EXPECT_EQ(sent(),
              (std::vector<std::string>{"0=0&cmd=textdump&status_id=1&sort=seller",
                                        "0=0&cmd=textdump&status_id=1&sort=auction%5Fid",
                                        "0=0&cmd=textdump&status_id=0&sort=bidgroup%5Fname"}));
    // Grouped by bid group, the service's order: "", Clocks x3, Watches.
    std::vector<std::string> titles;
    for (const Row& r : rows(list()))
        if (!r.title.empty()) titles.push_back(r.title + " " + r.count);
    EXPECT_EQ(titles, (std::vector<std::string>{" TOTAL (1 item)", " TOTAL for Clocks (3 items)",
                                                " TOTAL for Watches (1 item)"}));
}

TEST_F(ListDisplay, AListCutShortIsNoResponse) {
    kv::servicesim::Switches sw;
    sw.closeEarly = true;
    sim_.setSwitches(sw);
    ui_->expectBox({.text = kNoResponseText, .style = kv::ui::mb::IconError});
    std::int16_t status = 0, groupBy = 0;
    refreshAuctionList(status, groupBy);
    // Not the rows that arrived: the empty list of a failed reply.
    EXPECT_EQ(list().columnCount(), 0);
    ASSERT_EQ(list().itemCount(), 1);
    EXPECT_EQ(list().text(0, 4), "(0 items)");

    // The whole reply again: every snipe, no box.
    sim_.setSwitches({});
    refreshAuctionList(status, groupBy);
    EXPECT_EQ(list().itemCount(), 6);
}

class HistoryWindow : public testing::AppFixture {};

TEST_F(HistoryWindow, ARowClickShowsItsResponse) {
    ui_->onModal("frmHistory", [this](kv::ui::Form& f) {
        auto& h = static_cast<frmHistory&>(f);
        EXPECT_EQ(h.caption(), "Snipe History");
        EXPECT_EQ(h.lvListView.width(), h.Picture3.width());
        EXPECT_EQ(h.lvListView.height(), h.Picture3.height() - 480 - 110);
        EXPECT_EQ(h.Picture2.picture().bytes, bannerPicture().bytes); // bitmap 102
        ASSERT_EQ(h.lvListView.itemCount(), 2);
        EXPECT_TRUE(kv::ui::user::click(h.lvListView));       // nothing selected: no box
        EXPECT_TRUE(kv::ui::user::clickRow(h.lvListView, 0)); // no response text: no box
        ui_->expectBox({.caption = "eBay Response", .text = "Outbid", .style = 0});
        EXPECT_TRUE(kv::ui::user::clickRow(h.lvListView, 1));
        // A double click is a click first: two boxes.
        for (int i = 0; i < 2; ++i)
            ui_->expectBox({.caption = "eBay Response", .text = "Outbid", .style = 0});
        EXPECT_TRUE(kv::ui::user::doubleClickRow(h.lvListView, 1));
        EXPECT_TRUE(h.shown()); // the window stays open
        EXPECT_TRUE(kv::ui::user::click(h.CancelButton));
    });
    showBidHistory(101);
    EXPECT_EQ(kv::ui::app().findForm("frmHistory"), nullptr);
}

} // namespace
} // namespace kv::app
