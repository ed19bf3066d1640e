#include "client/app/commands.h"
#include "client/app/frm_history.h"
#include "client/app/tests/app_fixture.h"
#include "platform/ui/menu.h"
#include "platform/ui/web_browser.h"

#include <algorithm>

namespace kv::app {
namespace {

using kv::servicesim::Store;

class Commands : public testing::AppFixture {
protected:
    std::vector<std::pair<std::string, std::string>> favoritesMenu() const {
        std::vector<std::pair<std::string, std::string>> out;
        for (kv::ui::Control* c : main_->controlArray("mnuWatchedItem")) {
            if (c->index() == 0) continue;
            EXPECT_TRUE(c->visible());
            out.emplace_back(c->caption(), c->tag());
        }
        return out;
    }
    void serveFavorites(std::vector<kv::servicesim::Favorite> favorites) {
        sim_.withStore([&](Store& s) { s.favorites = std::move(favorites); });
    }
};

TEST_F(Commands, EachCommandSendsItsFieldsInOrder) {
    setCurrentStatus(2);
    refreshAuctions();
    cancelSnipe(101);
    changeFavorite("3001122334", "addfavorite");
    changeFavorite("3001122334", "rmfavorite");
    EXPECT_EQ(sent(), (std::vector<std::string>{
                          "0=0&cmd=refresh&status_id=2",
                          "0=0&cmd=delete&bid_id=101&status_id=2",
                          "0=0&cmd=addfavorite&auction_id=3001122334",
                          "0=0&cmd=favorites",
                          "0=0&cmd=rmfavorite&auction_id=3001122334",
                          "0=0&cmd=favorites",
                      }));
    EXPECT_EQ(main_->mousePointer(), kv::ui::MousePointer::Default);
}

TEST_F(Commands, TheHourglassShowsWhileTheCommandsThatAskForItWait) {
    main_->lvListView.addItem("row", "101");
    main_->lvListView.setChecked(0, true);
    struct Case {
        const char* name;
        std::function<void()> call;
        bool hourglass;
    };
    const Case cases[] = {
        {"applyToSelection", [this] { applyToSelection(main_->lvListView, "setpaid"); }, false},
        {"cancelSnipe", [] { cancelSnipe(101); }, false},
        {"changeFavorite", [] { changeFavorite("5", "addfavorite"); }, true},
        {"refreshAuctions", [] { refreshAuctions(); }, true},
        {"loadFavorites", [] { loadFavorites(); }, true},
        {"importMyEbay", [] { importMyEbay(); }, true},
    };
    for (const Case& c : cases) {
        // A posted call runs while the request waits for its reply.
        std::optional<kv::ui::MousePointer> during;
        kv::ui::app().post([&] { during = main_->mousePointer(); });
        c.call();
        ASSERT_TRUE(during) << c.name;
        EXPECT_EQ(*during,
                  c.hourglass ? kv::ui::MousePointer::Hourglass : kv::ui::MousePointer::Default)
            << c.name;
        EXPECT_EQ(main_->mousePointer(), kv::ui::MousePointer::Default) << c.name;
    }
}

TEST_F(Commands, FailedRepliesShowTheMessageOrTheDefaultTextUnderTheirTitle) {
    struct Case {
        std::string command;
        std::function<void()> call;
        std::string title;
    };
    const Case cases[] = {
        {"addfavorite", [] { changeFavorite("1", "addfavorite"); }, "Add Favorites"},
        {"rmfavorite", [] { changeFavorite("1", "rmfavorite"); }, "Add Favorites"},
        {"myebay", [] { importMyEbay(); }, "Sync with eBay"},
        {"refresh", [] { refreshAuctions(); }, "Refresh Auctions"},
        {"delete", [] { cancelSnipe(101); }, "Cancel Snipe"},
    };
    for (const Case& c : cases) {
        failNext(c.command, "Try later");
        expectError(c.title, "Try later");
        c.call();
        failNext(c.command, ""); // a failed reply without a message
        expectError(c.title, kNoResponseText);
        c.call();
    }
    // Nothing follows a failure: no favourites reload, no list reload.
    for (const std::string& q : sent()) {
        EXPECT_EQ(q.find("cmd=favorites"), std::string::npos) << q;
        EXPECT_EQ(q.find("cmd=textdump"), std::string::npos) << q;
    }
    EXPECT_EQ(main_->mousePointer(), kv::ui::MousePointer::Default);
}

TEST_F(Commands, TheServiceRefusesWhatItCannotDo) {
    expectError("Add Favorites", "That auction is not in your favorites.");
    changeFavorite("3000000000", "rmfavorite");
    expectError("Cancel Snipe", "Only an active snipe can be cancelled.");
    cancelSnipe(103);
    cancelSnipe(101);
    sim_.withStore([](Store& s) { EXPECT_EQ(s.findSnipe("alice", 101)->status, 5); });
}

TEST_F(Commands, AnUnreadableReplyIsFollowedByTheDefaultText) {
    kv::servicesim::Switches sw;
    sw.garbage = true;
    sim_.setSwitches(sw);
    ui_->expectBox({.caption = "Received invalid response from server."});
    expectError("Refresh Auctions", kNoResponseText);
    refreshAuctions();
}

TEST_F(Commands, FavouritesLinesBecomeMenuElementsAfterElementZero) {
    main_->mnuWatchedItem0.setCaption("(none)");
    kv::servicesim::Switches sw;
    sw.listBody = "31\tFirst item\nabc\tSecond\n58\n47\tThird\n";
    sim_.setSwitches(sw);
    loadFavorites();
    EXPECT_EQ(favoritesMenu(), (std::vector<std::pair<std::string, std::string>>{
                                   {"First item", "31"}, {"Third", "47"}}));
    // A rebuild replaces the elements; an empty reply leaves element 0 alone.
    sim_.setSwitches({});
    serveFavorites({{"alice", "9", "Only"}});
    loadFavorites();
    EXPECT_EQ(favoritesMenu(), (std::vector<std::pair<std::string, std::string>>{{"Only", "9"}}));
    serveFavorites({});
    loadFavorites();
    EXPECT_TRUE(favoritesMenu().empty());
    EXPECT_EQ(main_->controlArray("mnuWatchedItem").size(), 1u);
    EXPECT_EQ(sent(), std::vector<std::string>(3, "0=0&cmd=favorites"));
}

TEST_F(Commands, AddingAFavouriteRebuildsTheMenu) {
    changeFavorite("3001122339", "addfavorite");
    const auto menu = favoritesMenu();
    ASSERT_EQ(menu.size(), 3u);
    EXPECT_EQ(menu.back(), (std::pair<std::string, std::string>{"Item 3001122339", "3001122339"}));
}

// The list holds the seeded snipes; rows are checked by their tags.
TEST_F(Commands, SelectionSendsTheCheckedSnipesEachFollowedByABar) {
    kv::ui::ListView& list = main_->lvListView;
    list.setCheckBoxes(true);
    for (const char* tag : {"101", "", "102", "103"})
        list.addItem("row", tag);

    applyToSelection(list, "setpaid"); // nothing checked
    EXPECT_TRUE(sent().empty());
    list.setChecked(1, true); // only a total row checked
    applyToSelection(list, "setpaid");
    EXPECT_TRUE(sent().empty());

    list.setTag(0, "17");
    list.setTag(2, "23");
    list.setChecked(0, true);
    list.setChecked(2, true);
    setCurrentStatus(1);
    expectError("Processing selection", "The selection holds an unknown snipe.");
    applyToSelection(list, "setdeleted");
    EXPECT_EQ(sent(),
              std::vector<std::string>{"0=0&cmd=setdeleted&status_id=1&bidlist=17%7C23%7C"});

    sim_.clearRequests();
    list.setTag(0, "101");
    list.setTag(2, "102");
    for (const char* command : {"setpaid", "setreceived", "dofeedback", "setdeleted"})
        applyToSelection(list, command);
    EXPECT_EQ(sent().size(), 4u);
    sim_.withStore([](Store& s) {
        EXPECT_EQ(s.findSnipe("alice", 101), nullptr);
        EXPECT_EQ(s.findSnipe("alice", 102), nullptr);
        EXPECT_NE(s.findSnipe("alice", 103), nullptr);
    });
}

TEST_F(Commands, SelectionReachesRowsBeyondA16BitCount) {
    kv::ui::ListView& list = main_->lvListView;
    for (int i = 0; i < 33000; ++i)
        list.addItem("row", "");
    list.setTag(32999, "101");
    list.setChecked(32999, true);
    applyToSelection(list, "setpaid");
    EXPECT_EQ(sent(), std::vector<std::string>{"0=0&cmd=setpaid&status_id=0&bidlist=101%7C"});
}

TEST_F(Commands, BatchMarksChangeTheStore) {
    kv::ui::ListView& list = main_->lvListView;
    list.addItem("row", "104");
    list.setChecked(0, true);
    applyToSelection(list, "setpaid");
    applyToSelection(list, "setreceived");
    applyToSelection(list, "dofeedback");
    sim_.withStore([](Store& s) {
        const auto* snipe = s.findSnipe("alice", 104);
        EXPECT_TRUE(snipe->paid && snipe->received && snipe->feedback);
    });
}

TEST_F(Commands, ImportKeepsTheBiddingFolderAndOtherwiseListsTheWatchedItems) {
    auto& wb1 = main_->wb1;
    for (std::int16_t from : {0, 2, 10, 11}) {
        sim_.clearRequests();
        wb1.setVisible(true);
        setCurrentStatus(from);
        importMyEbay();
        const std::int16_t folder = from == 11 ? 11 : 10;
        EXPECT_EQ(currentStatus(), folder);
        EXPECT_EQ(sent(),
                  (std::vector<std::string>{"0=0&cmd=myebay",
                                            "0=0&cmd=textdump&status_id=" + std::to_string(folder) +
                                                "&sort=auction%5Fid"}));
        EXPECT_FALSE(wb1.visible());
        EXPECT_EQ(main_->tvTreeView.node(main_->tvTreeView.selectedIndex()).key,
                  "k" + std::to_string(folder));
    }
    // The watch list now holds the imported railway watch next to the seeded one.
    std::vector<std::string> items;
    std::int16_t status = 10, groupBy = 0;
    refreshAuctionList(status, groupBy);
    for (const auto& row : main_->lvListView.items())
        items.push_back(row.text());
    EXPECT_NE(std::find(items.begin(), items.end(), "3005550001"), items.end());
    EXPECT_NE(std::find(items.begin(), items.end(), "3001122334"), items.end());
}

TEST_F(Commands, HistoryOpensTheWindowFilledFromTheReply) {
    int shown = 0;
    ui_->onModal("frmHistory", [&](kv::ui::Form& f) {
        auto& h = static_cast<frmHistory&>(f);
        ++shown;
        ASSERT_EQ(h.lvListView.columnCount(), 4);
        EXPECT_EQ(h.lvListView.column(3).text, "Response");
        ASSERT_EQ(h.lvListView.itemCount(), 2);
        EXPECT_EQ(h.lvListView.item(1).tag, "101-2");
        EXPECT_EQ(h.lvListView.text(1, 0), "2026-12-10 18:29:54");
        EXPECT_EQ(h.lvListView.text(1, 3), "Outbid");
        h.OKButton.click();
    });
    ui_->onModal("frmHistory", [&](kv::ui::Form& f) {
        ++shown;
        EXPECT_EQ(static_cast<frmHistory&>(f).lvListView.itemCount(), 0);
        static_cast<frmHistory&>(f).CancelButton.click();
    });
    showBidHistory(101);
    showBidHistory(999); // an empty reply still opens the window
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(sent(), (std::vector<std::string>{"0=0&cmd=history&bid_id=101",
                                                "0=0&cmd=history&bid_id=999"}));
}

} // namespace
} // namespace kv::app
