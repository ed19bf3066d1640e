#include "client/app/commands.h"
#include "client/app/frm_main.h"
#include "client/app/list_display.h"
#include "client/app/list_state.h"
#include "client/app/reset.h"
#include "client/app/session.h"
#include "client/app/settings_store.h"
#include "client/app/site_pages.h"
#include "client/app/startup.h"
#include "client/app/tests/service_test.h"
#include "platform/ui/application.h"
#include "platform/ui/end_program.h"
#include "platform/ui/script/ui_script.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace kv::app {
namespace {

using testing::kLogin;
using Requests = std::vector<std::string>;

// alice logged in against the stand-in service, the main window shown with a folder listed,
// and a UI script playing the user.
class MainActions : public testing::ServiceTest {
protected:
    // Lists folder in the shown main window, runs before (its requests count), then lets
    // the script play the user until the window closes; what did not go as the script says.
    std::string play(const std::string& script, std::int16_t folder = 1,
                     const std::function<void(frmMain&)>& before = {}) {
        return playLoggedIn(script, [&] {
            frmMain& main = mainForm();
            main.show();
            std::int16_t status = folder;
            std::int16_t groupBy = -1;
            refreshAuctionList(status, groupBy);
            main.wb1Show(false);
            sim_.clearRequests();
            if (before) before(main);
            kv::ui::app().run();
        });
    }
};

constexpr const char* kList1 = "0=0&cmd=textdump&status_id=1&sort=auction%5Fid";
constexpr const char* kList2 = "0=0&cmd=textdump&status_id=2&sort=auction%5Fid";

// The snipe editor's next show: its auction number, then Cancel.
std::string editorShows(const std::string& number) {
    return "modal frmSnipe\n  expect txtAuctionId text \"" + number +
           "\"\n  click cmdCancel\nend\n";
}

TEST_F(MainActions, NewSnipeTakesANumericClipboardTextOfSixCharactersOrMore) {
    const std::string script = R"(idle
  clipboard "3007770001"
  menu frmMain.mnuAddAuction
  expect frmMain mousePointer "0"
end
idle
  clipboard "30077"
  menu frmMain.mnuAddAuction
end
idle
  clipboard "clocks"
  menu frmMain.mnuAddAuction
  close frmMain
end
)" + editorShows("3007770001") +
                               editorShows("") + editorShows("");
    EXPECT_EQ(play(script), "");
    // The list is reloaded after every Cancel.
    EXPECT_EQ(sent(),
              (Requests{"0=0&cmd=g1&auction_id=3007770001&auction_house_id=0",
                        "0=0&cmd=getbidgroups", kList1, "0=0&cmd=g1&auction_id=&auction_house_id=0",
                        "0=0&cmd=getbidgroups", kList1, "0=0&cmd=g1&auction_id=&auction_house_id=0",
                        "0=0&cmd=getbidgroups", kList1}));
}

TEST_F(MainActions, NewSnipeIgnoresAFinishedSnipesRowButNotItsPage) {
    // A successful snipe's row; an active snipe's row; the successful snipe's item page.
    const std::string script = "page \"" + itemPageUrl("3001122336") +
                               "\" \"eBay item 3001122336 (Ends Dec-13-26)\"\n" + R"(idle
  row frmMain.lvListView "3001122336"
  menu frmMain.mnuAddAuction
  node frmMain.tvTreeView k1
  row frmMain.lvListView "3001122334"
  menu frmMain.mnuAddAuction
  node frmMain.tvTreeView k2
  dblrow frmMain.lvListView "3001122336"
end
idle
  menu frmMain.mnuAddAuction
  close frmMain
end
)" + editorShows("") + editorShows("3001122334") +
                               editorShows("3001122336");
    EXPECT_EQ(play(script, 2), "");
    const Requests requests = sent();
    ASSERT_EQ(requests.size(), 11u);
    EXPECT_EQ(requests[0], "0=0&cmd=g1&auction_id=&auction_house_id=0");
    EXPECT_EQ(requests[4], "0=0&cmd=g1&auction_id=3001122334&auction_house_id=0");
    EXPECT_EQ(requests[8], "0=0&cmd=g1&auction_id=3001122336&auction_house_id=1");
}

TEST_F(MainActions, CancelAsksAndHistoryAndCancelNeedAnIdentifiedSnipe) {
    const char* script =
        R"(box caption "Kestrovane" text "Do you wish to cancel the selected Snipe?" style 0x4 answer No
box caption "Kestrovane" text "Do you wish to cancel the selected Snipe?" style 0x4 answer Yes
box caption "Kestrovane" text "Please select an auction first." style 0x10
box caption "Kestrovane" text "To cancel a snipe, select an auction from the list, then select Cancel fromt the menu." style 0x0
idle
  row frmMain.lvListView "3001122335"
  menu frmMain.mnuAuctionHistory
  row frmMain.lvListView "3001122334"
  menu frmMain.mnuDeleteAuction
  menu frmMain.mnuDeleteAuction
  expect frmMain mousePointer "0"
  expect frmMain.lvListView itemCount "2"
  menu frmMain.mnuAuctionHistory
  menu frmMain.mnuDeleteAuction
  close frmMain
end
modal frmHistory
  click OKButton
end
)";
    EXPECT_EQ(play(script), "");
    // No sends nothing; right after the reload nothing is identified and nothing is sent.
    EXPECT_EQ(sent(), (Requests{"0=0&cmd=history&bid_id=102",
                                "0=0&cmd=delete&bid_id=101&status_id=1", kList1}));
}

TEST_F(MainActions, TheSelectedCommandsSendTheCheckedSnipesThenListTheFolder) {
    const char* script =
        R"(box caption "Kestrovane" text "Do you wish to leave positive eBay feedback for all of the selected auctions?" style 0x4 answer No
box caption "Kestrovane" text "Do you wish to leave positive eBay feedback for all of the selected auctions?" style 0x4 answer Yes
box caption "Kestrovane" text "Do you wish to cancel all of the selected Snipes?" style 0x4 answer No
box caption "Kestrovane" text "Do you wish to cancel all of the selected Snipes?" style 0x4 answer Yes
popup frmMain.mnuProperties pick mnuPropSelectedReceived
popup frmMain.mnuProperties pick mnuPropSelectedDelete
idle
  check frmMain.lvListView "3001122336" on
  menu frmMain.mnuSelectedPaid
  expect frmMain.wb1 visible "false"
  expect frmMain.lvListView row "3001122336" subItem(8) "Paid"
  check frmMain.lvListView "3001122336" on
  menu frmMain.mnuSelectedFeedback
  menu frmMain.mnuSelectedFeedback
  check frmMain.lvListView "3001122336" on
  mouse frmMain.lvListView right
  expect frmMain.lvListView itemCount "1"
  expect frmMain mousePointer "0"
  node frmMain.tvTreeView k1
  check frmMain.lvListView "3001122335" on
  menu frmMain.mnuSelectedDelete
  mouse frmMain.lvListView right
  close frmMain
end
)";
    // The browser view is on: each command shows the list afterwards. A received snipe is
    // no longer listed (only the total row is left).
    EXPECT_EQ(play(script, 2, [](frmMain& main) { main.wb1Show(true); }), "");
    EXPECT_EQ(sent(), (Requests{"0=0&cmd=setpaid&status_id=2&bidlist=103%7C", kList2,
                                "0=0&cmd=dofeedback&status_id=2&bidlist=103%7C", kList2,
                                "0=0&cmd=setreceived&status_id=2&bidlist=103%7C", kList2, kList1,
                                "0=0&cmd=setdeleted&status_id=1&bidlist=102%7C", kList1}));
    EXPECT_FALSE(hasSnipe(102));
}

TEST_F(MainActions, GroupingItemsClearEachOtherAndCloseStoresTheGrouping) {
    const char* script = R"(idle
  menu frmMain.mnuViewGroupBySeller
  expect frmMain.mnuViewGroupBySeller checked "true"
  menu frmMain.mnuViewGroupByBidGroup
  expect frmMain.mnuViewGroupBySeller checked "false"
  expect frmMain.mnuViewGroupByBidGroup checked "true"
  expect frmMain.lvListView itemCount "4"
  menu frmMain.mnuViewGroupByBidGroup
  expect frmMain.mnuViewGroupByBidGroup checked "false"
  menu frmMain.mnuViewGroupBySeller
  menu frmMain.mnuFileClose
end
)";
    // The list view (the browser view disables the grouping items).
    EXPECT_EQ(play(script, 1), "");
    EXPECT_EQ(sent(), (Requests{"0=0&cmd=textdump&status_id=1&sort=seller",
                                "0=0&cmd=textdump&status_id=1&sort=bidgroup%5Fname", kList1,
                                "0=0&cmd=textdump&status_id=1&sort=seller"}));
    EXPECT_EQ(currentGroupBy(), 1);
    EXPECT_FALSE(mainForm().wb1.visible());
    EXPECT_EQ(getSetting("GroupBy", ""), "1"); // "&Close" ran the unload
}

TEST_F(MainActions, TheFiltersListPaidAndReceivedSnipesOrNot) {
    const char* script = R"(idle
  menu frmMain.mnuViewPaid
  expect frmMain.mnuViewPaid checked "false"
  expect frmMain.lvListView itemCount "1"
  menu frmMain.mnuViewPaid
  expect frmMain.lvListView row "3001122336" subItem(8) "Paid"
  menu frmMain.mnuViewReceipted
  expect frmMain.mnuViewReceipted checked "true"
  close frmMain
end
)";
    // The list view of the successful snipes enables both filters.
    EXPECT_EQ(play(script, 2,
                   [](frmMain& main) {
                       main.mnuViewPaid.setEnabled(true);
                       main.mnuViewReceipted.setEnabled(true);
                   }),
              "");
    EXPECT_EQ(sent(), (Requests{kList2, kList2, kList2}));
    EXPECT_TRUE(showPaid());
    EXPECT_TRUE(showReceived());
}

TEST_F(MainActions, TheToolbarAndStatusBarFollowTheirMarks) {
    const char* script = R"(idle
  menu frmMain.mnuViewToolbar
  expect frmMain.mnuViewToolbar checked "false"
  expect frmMain.tbToolbar visible "false"
  menu frmMain.mnuViewStatusBar
  expect frmMain.sbStatusBar visible "false"
  menu frmMain.mnuViewToolbar
  expect frmMain.tbToolbar visible "true"
  expect frmMain.sbStatusBar visible "false"
  close frmMain
end
)";
    EXPECT_EQ(play(script), "");
    EXPECT_EQ(sent(), Requests{});
}

TEST_F(MainActions, RefreshUpdatesTheFolderShownInTheListViewAndOnlyThePageInTheBrowser) {
    const std::string script = "page \"" + itemPageUrl("3001122336") +
                               "\" \"eBay item 3001122336\"\n" +
                               R"(popup frmMain.mnuProperties pick mnuPropRefresh
idle
  key frmMain.lvListView 116
  mouse frmMain.lvListView right
  dblrow frmMain.lvListView "3001122336"
end
idle
  key frmMain.wb1 116
  expect frmMain.wb1 busy "true"
  close frmMain
end
)";
    EXPECT_EQ(play(script, 2), "");
    const std::string refresh = "0=0&cmd=refresh&status_id=2";
    EXPECT_EQ(sent(), (Requests{refresh, kList2, refresh, kList2}));
}

TEST_F(MainActions, ChangeSnipeDoesNothingWhileItIsDisabled) {
    // In the eBay watch list the snipe commands stay disabled; in the active snipes the same
    // double click edits the snipe.
    const char* script = R"(idle
  row frmMain.lvListView "3001122334"
  dblrow frmMain.lvListView "3001122334"
  expect frmMain.tbToolbar button Properties enabled "false"
  expect frmMain mousePointer "0"
  node frmMain.tvTreeView k1
  row frmMain.lvListView "3001122334"
  dblrow frmMain.lvListView "3001122334"
  close frmMain
end
modal frmSnipe
  click cmdCancel
end
)";
    EXPECT_EQ(play(script, 10,
                   [](frmMain& main) {
                       main.clickToEdit = true;
                       main.tbToolbar.raiseButtonClick(main.tbToolbar.find("Properties"));
                       main.mnuPropEdit.click();
                       main.mnuPropProperties.click();
                   }),
              "");
    EXPECT_EQ(sent(), (Requests{kList1, "0=0&cmd=g2&bid_id=101", "0=0&cmd=getbidgroups", kList1}));
}

TEST_F(MainActions, ToolbarButtonsAndContextItemsRunTheirMenuItems) {
    const char* script =
        R"(box caption "Kestrovane" text "Do you wish to cancel the selected Snipe?" style 0x4 answer No
box caption "Kestrovane" text "Do you wish to cancel the selected Snipe?" style 0x4 answer No
box caption "Kestrovane" text "\"myEbay\" imported" style 0x0
popup frmMain.mnuProperties pick mnuPropAdd
popup frmMain.mnuProperties pick mnuPropEdit
popup frmMain.mnuProperties pick mnuPropProperties
popup frmMain.mnuProperties pick mnuPropHistory
popup frmMain.mnuProperties pick mnuPropDelete
idle
  row frmMain.lvListView "3001122334"
  button frmMain.tbSnipe Snipe
  row frmMain.lvListView "3001122334"
  button frmMain.tbToolbar Properties
  row frmMain.lvListView "3001122334"
  button frmMain.tbToolbar Cancel
  button frmMain.tbToolbar AddItem
  row frmMain.lvListView "3001122335"
  mouse frmMain.lvListView right
  row frmMain.lvListView "3001122335"
  mouse frmMain.lvListView right
  row frmMain.lvListView "3001122335"
  mouse frmMain.lvListView right
  row frmMain.lvListView "3001122335"
  mouse frmMain.lvListView right
  mouse frmMain.lvListView right
  button frmMain.tbToolbar Import
  close frmMain
end
modal frmSnipe
  click cmdCancel
end
modal frmSnipe
  click cmdCancel
end
modal frmSnipe
  click cmdCancel
end
modal frmSnipe
  click cmdCancel
end
modal frmSnipe
  click cmdCancel
end
modal frmSnipe
  click cmdCancel
end
modal frmHistory
  click OKButton
end
)";
    EXPECT_EQ(play(script), "");
    const char* add1 = "0=0&cmd=g1&auction_id=3001122334&auction_house_id=0";
    const char* groups = "0=0&cmd=getbidgroups";
    EXPECT_EQ(sent(), (Requests{add1,
                                groups,
                                kList1,
                                "0=0&cmd=g2&bid_id=101",
                                groups,
                                kList1,
                                add1,
                                groups,
                                kList1,
                                "0=0&cmd=g1&auction_id=3001122335&auction_house_id=0",
                                groups,
                                kList1,
                                "0=0&cmd=g2&bid_id=102",
                                groups,
                                kList1,
                                "0=0&cmd=g2&bid_id=102",
                                groups,
                                kList1,
                                "0=0&cmd=history&bid_id=102",
                                "0=0&cmd=myebay",
                                "0=0&cmd=textdump&status_id=10&sort=auction%5Fid"}));
}

TEST_F(MainActions, ImportIsConfirmedAlsoAfterItsFailure) {
    const char* script = R"(box caption "Sync with eBay" text "Service busy" style 0x10
box caption "Kestrovane" text "\"myEbay\" imported" style 0x0
idle
  menu frmMain.mnuAuctionImport
  close frmMain
end
)";
    kv::servicesim::Switches sw;
    sw.failCommand = "myebay";
    sw.failCommandMessage = "Service busy";
    sim_.setSwitches(sw);
    EXPECT_EQ(play(script), "");
    EXPECT_EQ(sent(), Requests{"0=0&cmd=myebay"});
}

// A reload clears the rows' check marks: a ticked row that stays ticked was not reloaded.
constexpr const char* kTick = "  check frmMain.lvListView \"3001122334\" on\n";
std::string ticked(bool on) {
    return std::string("  expect frmMain.lvListView row \"3001122334\" checked \"") +
           (on ? "true" : "false") + "\"\n";
}

TEST_F(MainActions, TheHourlyRefreshComesAtMinuteSixtyWithTheListShown) {
    const std::string script = std::string("idle\n") + kTick + "  wait 3599000\n" + ticked(true) +
                               "  wait 1000\n" + ticked(false) + "  close frmMain\nend\n";
    EXPECT_EQ(play(script), "");
    EXPECT_EQ(sent(), (Requests{"0=0&cmd=refresh&status_id=1", kList1}));
}

TEST_F(MainActions, WithTheBrowserShownTheHourIsSkippedAndTheNextRefreshComesAnHourLater) {
    // Minutes 60 and 61 in the browser view; the list from minute 61 on; minute 120.
    const std::string script = std::string("idle\n") + kTick + "  wait 3660000\n" + ticked(true) +
                               "  node frmMain.tvTreeView k1\n" + kTick + "  wait 3539000\n" +
                               ticked(true) + "  wait 1000\n" + ticked(false) +
                               "  close frmMain\nend\n";
    EXPECT_EQ(play(script, 1, [](frmMain& main) { main.wb1Show(true); }), "");
    EXPECT_EQ(sent(), (Requests{kList1, "0=0&cmd=refresh&status_id=1", kList1}));
}

TEST_F(MainActions, ALogoutKeepsTheMinuteCount) {
    // Half an hour, the logout (the start-up again, ending in the browser view), the list
    // shown again: the refresh comes at minute 60, not an hour after the logout.
    const std::string script = std::string(kLogin) + R"(idle
  wait 1800000
  menu frmMain.mnuLogout
end
idle
  node frmMain.tvTreeView k1
)" + kTick + "  wait 1860000\n" +
                               ticked(false) + "  close frmMain\nend\n";
    EXPECT_EQ(play(script, 1,
                   [](frmMain&) {
                       saveSetting("AcceptedTerms", "1");
                       saveSetting("importmyebay", "1");
                   }),
              "");
    const Requests requests = sent();
    ASSERT_GE(requests.size(), 2u);
    EXPECT_EQ(requests[requests.size() - 2], "0=0&cmd=refresh&status_id=1");
}

} // namespace
} // namespace kv::app
