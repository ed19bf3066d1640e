#include "client/app/commands.h"
#include "client/app/frm_main.h"
#include "client/app/list_display.h"
#include "client/app/list_state.h"
#include "client/app/reset.h"
#include "client/app/session.h"
#include "client/app/settings_store.h"
#include "client/app/site_pages.h"
#include "client/app/startup.h"
#include "platform/registry/registry.h"
#include "platform/system/testing/temp_machine.h"
#include "platform/ui/application.h"
#include "platform/ui/end_program.h"
#include "platform/ui/script/ui_script.h"
#include "tools/service-sim/server.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kv::app {
namespace {

using Requests = std::vector<std::string>;

constexpr const char* kLogin = R"(modal frmLogin
  set txtUserName "alice"
  set txtPassword "secret"
  click cmdOK
end
)";

// alice logged in against the stand-in service, the main window shown with a folder listed,
// and a UI script playing the user.
class MainActions : public ::testing::Test {
protected:
    void SetUp() override {
        kv::registry::resetForTests();
        machine_.emplace();
        resetForTests();
        ASSERT_GT(sim_.start(), 0);
        setenv("KV_SERVICE_URL", sim_.baseUrl().c_str(), 1);
    }
    void TearDown() override {
        EXPECT_EQ(sim_.refusals(), Requests{}); // every request is one the service takes
        unsetenv("KV_SERVICE_URL");
        sim_.stop();
        kv::ui::script::resetForTests();
        resetForTests();
        kv::registry::resetForTests();
        machine_.reset();
    }

    // Lists folder in the shown main window, runs before (its requests count), then lets
    // the script play the user until the window closes; what did not go as the script says.
    std::string play(const std::string& script, std::int16_t folder = 1,
                     const std::function<void(frmMain&)>& before = {}) {
        std::string error;
        if (!kv::ui::script::loadText(std::string(kLogin) + script, &error)) return error;
        security().doLogin();
        kv::ui::runProgram([&] {
            frmMain& main = mainForm();
            main.show();
            std::int16_t status = folder;
            std::int16_t groupBy = -1;
            refreshAuctionList(status, groupBy);
            wb1Show(false);
            sim_.clearRequests();
            if (before) before(main);
            kv::ui::app().run();
            return 0;
        });
        return kv::ui::script::report();
    }
    // The requests since the listing, each without the account fields at its end.
    Requests sent() const {
        Requests out;
        for (const std::string& q : sim_.requests())
            out.push_back(q.substr(0, q.find("&user_id=")));
        return out;
    }
    bool hasSnipe(int bidId) {
        bool found = false;
        sim_.withStore([&](kv::servicesim::Store& s) { found = s.findSnipe("alice", bidId); });
        return found;
    }

    std::optional<kv::machine::testing::TempMachine> machine_;
    kv::servicesim::Server sim_;
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
    EXPECT_EQ(play(script, 2, [](frmMain&) { wb1Show(true); }), "");
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
    EXPECT_EQ(play(script, 1, [](frmMain&) { wb1Show(true); }), "");
    EXPECT_EQ(sent(), (Requests{"0=0&cmd=textdump&status_id=1&sort=seller",
                                "0=0&cmd=textdump&status_id=1&sort=bidgroup%5Fname", kList1,
                                "0=0&cmd=textdump&status_id=1&sort=seller"}));
    EXPECT_EQ(currentGroupBy(), 1);
    EXPECT_FALSE(mainForm().wb1.visible());
    EXPECT_EQ(getSetting("GroupBy", ""), "1"); // "&Close" ran the unload
}

} // namespace
} // namespace kv::app
