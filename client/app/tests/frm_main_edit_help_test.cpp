// The main window's Favorites, Edit and Help items, played by UI scripts against the
// stand-in service: alice logged in, her snipes listed and her favourites in the menu.

#include "client/app/commands.h"
#include "client/app/frm_main.h"
#include "client/app/list_display.h"
#include "client/app/list_state.h"
#include "client/app/reset.h"
#include "client/app/session.h"
#include "client/app/settings_store.h"
#include "client/app/startup.h"
#include "client/app/tests/service_test.h"
#include "platform/ui/application.h"
#include "platform/ui/end_program.h"
#include "platform/ui/script/ui_script.h"
#include "tools/service-sim/server.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <utility>
#include <vector>

namespace kv::app {
namespace {

using kv::servicesim::Snipe;
using kv::ui::app;
using Requests = std::vector<std::string>;

class MainWindowActions : public testing::ServiceTest {
protected:
    // Logs alice in, shows the main window with folder `status` listed (grouped by
    // `groupBy`) and her favourites in the menu, then lets the script play the user until
    // it closes the window. What did not go as the script says.
    std::string play(const std::string& script, std::int16_t status = 1, std::int16_t groupBy = 0) {
        return playLoggedIn(script, [&] {
            frmMain& main = mainForm();
            main.show();
            refreshAuctionList(status, groupBy);
            loadFavorites();
            sim_.clearRequests();
            app().run();
        });
    }
    // Replaces alice's snipes by active ones with these item numbers and titles, listed in
    // this order.
    void snipes(const std::vector<std::pair<const char*, const char*>>& items) {
        std::vector<Snipe> active;
        int id = 300;
        for (const auto& [number, title] : items) {
            Snipe n;
            n.bidId = ++id;
            n.itemNumber = number;
            n.title = title;
            n.seller = "tickers";
            n.maxBid = 10;
            n.endsAt = std::time(nullptr) + 3600;
            active.push_back(n);
        }
        replaceSnipes(std::move(active));
    }
};

// A row of one of alice's favourites (3009988771 "Carriage clock") and one that is not.
constexpr const char* kFavouriteRow = "3009988771";
constexpr const char* kOtherRow = "3009988773";

TEST_F(MainWindowActions, AddingAFavouriteAlreadyInTheMenuSendsNothing) {
    snipes({{kFavouriteRow, "Carriage clock"}, {kOtherRow, "Sundial"}});
    EXPECT_EQ(
        play(
            R"(box caption "Favorites" text "You already have that item in your favorites." style 0x10
idle
  row frmMain.lvListView "3009988771"
  menu frmMain.mnuWatchAdd
  close frmMain
end
)"),
        "");
    EXPECT_EQ(sent(), Requests{});
}

TEST_F(MainWindowActions, AddingAndRemovingRebuildTheMenu) {
    snipes({{kFavouriteRow, "Carriage clock"}, {kOtherRow, "Sundial"}});
    // A new one through the context menu's twin, then the old one through the menu bar.
    EXPECT_EQ(play(R"(popup frmMain.mnuProperties pick mnuPropFavorites
idle
  row frmMain.lvListView "3009988773"
  mouse frmMain.lvListView right
end
idle
  expect frmMain.mnuWatchedItem(3) caption "Item 3009988773"
  expect frmMain.mnuWatchedItem(3) tag "3009988773"
  expect frmMain.mnuWatchedItem(3) visible "true"
  row frmMain.lvListView "3009988771"
  menu frmMain.mnuWatchRm
  expect frmMain.mnuWatchedItem(1) tag "3009988772"
  expect frmMain.mnuWatchedItem(2) tag "3009988773"
  close frmMain
end
)"),
              "");
    EXPECT_EQ(sent(), (Requests{"0=0&cmd=addfavorite&auction_id=3009988773", "0=0&cmd=favorites",
                                "0=0&cmd=rmfavorite&auction_id=3009988771", "0=0&cmd=favorites"}));
}

TEST_F(MainWindowActions, FavouritesNeedAValidAuction) {
    // Remove right after the list was loaded (no row clicked since); add after the snipe
    // editor's reload (the item stays enabled from the earlier row click; a folder click
    // would disable it, as showing the list refreshes the commands).
    EXPECT_EQ(play(R"(box caption "Kestrovane" text "Please select a valid auction." style 0x10
box caption "Kestrovane" text "Please select a valid auction." style 0x10
modal frmSnipe
  click cmdCancel
end
idle
  menu frmMain.mnuWatchRm
  row frmMain.lvListView "3001122334"
  menu frmMain.mnuAuctionProperties
  menu frmMain.mnuWatchAdd
  close frmMain
end
)"),
              "");
    for (const std::string& q : sent())
        EXPECT_EQ(q.find("favorite"), std::string::npos) << q;
}

TEST_F(MainWindowActions, FailedFavouriteReplyIsShownAndTheMenuKept) {
    snipes({{kOtherRow, "Sundial"}});
    kv::servicesim::Switches sw;
    sw.failCommand = "addfavorite";
    sw.failCommandMessage = "Favourites are full.";
    sim_.setSwitches(sw);
    EXPECT_EQ(play(R"(box caption "Add Favorites" text "Favourites are full." style 0x10
idle
  row frmMain.lvListView "3009988773"
  menu frmMain.mnuWatchAdd
  expect frmMain.mnuWatchedItem(2) tag "3009988772"
  close frmMain
end
)"),
              "");
    EXPECT_EQ(sent(), Requests{"0=0&cmd=addfavorite&auction_id=3009988773"});
}

TEST_F(MainWindowActions, CopyTakesCheckedAndSelectedSnipeRowsInListOrder) {
    snipes({{"111", "A"}, {"222", "B"}, {"333", "C"}});
    EXPECT_EQ(play(R"(popup frmMain.mnuProperties pick mnuPropCopy
idle
  check frmMain.lvListView "111" on
  check frmMain.lvListView "222" on
  menu frmMain.mnuEditCopy
  expect clipboard text "111\tA\r\n222\tB"
end
idle
  check frmMain.lvListView "111" off
  check frmMain.lvListView "222" off
  check frmMain.lvListView "333" on
  row frmMain.lvListView "111"
  mouse frmMain.lvListView right
end
idle
  expect clipboard text "111\tA\r\n333\tC"
  check frmMain.lvListView "333" off
  row frmMain.lvListView #0
  expect frmMain.lvListView row #0 subItem(1) " TOTAL"
  clipboard "left by another program"
  menu frmMain.mnuEditCopy
  expect clipboard text ""
  close frmMain
end
)"),
              "");
    EXPECT_EQ(sent(), Requests{});
}

TEST_F(MainWindowActions, UndoCutAndPasteLeaveTheListAlone) {
    snipes({{"111", "A"}});
    EXPECT_EQ(play(R"(popup frmMain.mnuProperties pick mnuPropCut
popup frmMain.mnuProperties pick mnuPropPaste
idle
  row frmMain.lvListView "111"
  clipboard "222"
  menu frmMain.mnuEditUndo
  menu frmMain.mnuEditCut
  menu frmMain.mnuEditPaste
  mouse frmMain.lvListView right
  mouse frmMain.lvListView right
  expect clipboard text "222"
  expect frmMain.lvListView itemCount "2"
  expect frmMain.lvListView row "111" checked "false"
  close frmMain
end
)"),
              "");
    EXPECT_EQ(sent(), Requests{});
}

TEST_F(MainWindowActions, SelectAllTicksSnipeRowsOfAGroupedList) {
    // All folders grouped by seller: blackforest, oldtime and tickers, each followed by its
    // total row (rows 1, 4 and 7).
    EXPECT_EQ(play(R"(idle
  expect frmMain.mnuAuctionSelected enabled "false"
  menu frmMain.mnuEditSelectAll
  expect frmMain.lvListView row #1 subItem(1) " TOTAL for blackforest"
  expect frmMain.lvListView row #1 checked "false"
  expect frmMain.lvListView row #4 checked "false"
  expect frmMain.lvListView row #7 checked "false"
  expect frmMain.lvListView row "3001122334" checked "true"
  expect frmMain.lvListView row "3001122335" checked "true"
  expect frmMain.lvListView row "3001122336" checked "true"
  expect frmMain.lvListView row "3001122337" checked "true"
  expect frmMain.lvListView row "3001122338" checked "true"
  expect frmMain.mnuAuctionSelected enabled "true"
  expect frmMain.mnuPropSelected enabled "true"
  close frmMain
end
)",
                   0, 1),
              "");
    EXPECT_EQ(sent(), Requests{});
}

TEST_F(MainWindowActions, DiagnosticsSendsDiagnoseAndConfirms) {
    EXPECT_EQ(play(R"(box caption "Kestrovane" text "Diagnostics complete." style 0
idle
  menu frmMain.mnuHelpDiagnostics
  expect frmMain mousePointer "0"
  close frmMain
end
)"),
              "");
    const Requests q = sent();
    ASSERT_EQ(q.size(), 1u);
    EXPECT_EQ(q[0].rfind("0=0&cmd=diagnose&chal=", 0), 0u) << q[0];
}

TEST_F(MainWindowActions, LicenceOpensModallyWithItsButtonsOnceLoaded) {
    saveSetting("AcceptedTerms", "1");
    EXPECT_EQ(play(R"(idle
  menu frmMain.mnuHelpLicense
end
modal frmTerms
  expect cmdAccept enabled "true"
  expect cmdDecline enabled "true"
  click cmdAccept
end
idle
  close frmMain
end
)"),
              "");
    EXPECT_NE(kv::ui::script::transcript().find("show modal frmTerms \"License\""),
              std::string::npos);
    EXPECT_EQ(getSetting("AcceptedTerms", ""), "1");
}

TEST_F(MainWindowActions, DecliningTheLicenceEndsTheProgramAndAsksAgainNextTime) {
    saveSetting("AcceptedTerms", "1");
    EXPECT_EQ(play(R"(idle
  menu frmMain.mnuHelpLicense
end
modal frmTerms
  click cmdDecline
end
)"),
              "");
    EXPECT_EQ(getSetting("AcceptedTerms", ""), "0");
    EXPECT_EQ(kv::ui::script::transcript().find("unload frmMain"), std::string::npos);
}

} // namespace
} // namespace kv::app
