#include "client/app/frm_main.h"
#include "client/app/frm_snipe.h"
#include "client/app/list_state.h"
#include "client/app/reset.h"
#include "client/app/session.h"
#include "client/app/snipe_commands.h"
#include "client/app/startup.h"
#include "client/app/tests/service_test.h"
#include "platform/ui/application.h"
#include "platform/ui/end_program.h"
#include "platform/ui/script/ui_script.h"
#include "tools/service-sim/server.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <tuple>
#include <vector>

namespace kv::app {
namespace {

using kv::servicesim::Snipe;
using kv::servicesim::Store;
using kv::ui::app;
using Requests = std::vector<std::string>;

// alice logged in against the stand-in service, the snipe editor played by a UI script.
class SnipeExchange : public testing::ServiceTest {
protected:
    // Runs body (after the login) under the script; what did not go as the script says.
    std::string play(const std::string& script, const std::function<void()>& body) {
        return playLoggedIn(script, [&] {
            mainForm();
            sim_.clearRequests();
            body();
        });
    }

    frmSnipe& editor() {
        frmSnipe* e = app().loadedForm<frmSnipe>();
        EXPECT_NE(e, nullptr);
        return e ? *e : app().form<frmSnipe>();
    }
    static std::string shownTime(const frmSnipe& d) {
        return d.txtTime.text() + " " + d.txtTimeType.text();
    }
    static std::vector<std::string> groups(const frmSnipe& d) {
        std::vector<std::string> out;
        for (const auto& e : d.cboBidGroup.entries())
            out.push_back(e.text + "=" + std::to_string(e.data));
        return out;
    }
    void addSnipeOf(int id, const char* auction, int group, const char* groupName) {
        sim_.withStore([&](Store& s) {
            Snipe n;
            n.userId = "alice";
            n.bidId = id;
            n.itemNumber = auction;
            n.title = s.findAuction(auction)->title;
            n.maxBid = 20;
            n.qty = 2;
            n.delaySeconds = 300;
            n.bidGroupId = group;
            n.bidGroup = groupName;
            s.snipes.push_back(n);
        });
    }
    void switches(const kv::servicesim::Switches& sw) { sim_.setSwitches(sw); }
};

constexpr const char* kOk = "modal frmSnipe\n  click cmdOK\nend\n";
constexpr const char* kCancel = "modal frmSnipe\n  click cmdCancel\nend\n";

TEST_F(SnipeExchange, EditFetchesByBidIdAndStoresWithoutTheAuction) {
    addSnipeOf(812, "3007770001", 3, "Watches");
    EXPECT_EQ(play(kOk, [] { editSnipe(812); }), "");
    EXPECT_EQ(sent(), (Requests{"0=0&cmd=g2&bid_id=812", "0=0&cmd=getbidgroups",
                                "0=0&cmd=m2&bid_id=812&bid_amount=20%2E00&qty=2&delay=300&"
                                "friendly=0&paid=0&received=0&bidgroup_id=3"}));
    frmSnipe& d = editor();
    EXPECT_FALSE(d.shown());
    EXPECT_EQ(d.auctionName.caption(), "Carriage clock");
    EXPECT_EQ(d.txtAuctionId.text(), "3007770001");
    EXPECT_FALSE(d.txtAuctionId.enabled());
    EXPECT_TRUE(d.cmdDelete.visible());
    EXPECT_FALSE(d.isFriendly.enabled()); // friendly only when adding
    EXPECT_TRUE(d.txtQty.enabled());      // 2 on offer
    EXPECT_EQ(d.cboBidGroup.text(), "Watches");
    EXPECT_EQ(shownTime(d), "5 minutes");
    EXPECT_EQ(d.txtCurrency.caption(), "GBP");
    EXPECT_EQ(d.txtBidAmount.left(), 2145);
    EXPECT_TRUE(d.imgAuctionHouse1.visible());
    EXPECT_FALSE(d.imgAuctionHouse2.visible());
    EXPECT_EQ(d.bidId, 812);
    EXPECT_EQ(d.maxBid, 25);
    EXPECT_EQ(d.minBid, 10);
    EXPECT_EQ(d.maxQty, 2);
    EXPECT_EQ(mainForm().mousePointer(), kv::ui::MousePointer::Default);
}

TEST_F(SnipeExchange, AddWithoutANumberLetsTheUserTypeIt) {
    const char* script = R"(modal frmSnipe
  set txtAuctionId "  3007770001 "
  set txtBidAmount "12"
  click cmdOK
end
)";
    EXPECT_EQ(play(script, [] { addSnipe("", 1); }), "");
    EXPECT_EQ(sent(), (Requests{"0=0&cmd=g1&auction_id=&auction_house_id=1", "0=0&cmd=getbidgroups",
                                "0=0&cmd=m1&auction_id=3007770001&auction_house_id=1&"
                                "bid_amount=12&qty=1&delay=8&friendly=0&paid=0&received=0&"
                                "bidgroup_id=0"}));
    frmSnipe& d = editor();
    EXPECT_TRUE(d.txtAuctionId.enabled());
    EXPECT_TRUE(d.txtQty.enabled()); // the number was not known
    EXPECT_FALSE(d.cmdDelete.visible());
    EXPECT_TRUE(d.isFriendly.enabled());
    EXPECT_EQ(d.txtBidAmount.left(), d.txtAuctionId.left()); // no currency
    EXPECT_TRUE(hasSnipe(200));
}

TEST_F(SnipeExchange, TheReplysAuctionHouseIsShownSentAndGivenBack) {
    const char* script = "modal frmSnipe\n  set txtBidAmount \"40\"\n  click cmdOK\nend\n";
    std::int16_t house = 1;
    EXPECT_EQ(play(script,
                   [&] {
                       std::int16_t mode = kAddMode;
                       std::string auction = "3007770002";
                       snipeDialog(mode, auction, house);
                   }),
              "");
    EXPECT_EQ(house, 2);
    ASSERT_EQ(sent().size(), 3u);
    EXPECT_EQ(sent()[2].substr(0, 59),
              "0=0&cmd=m1&auction_id=3007770002&auction_house_id=2&bid_amo");
    frmSnipe& d = editor();
    EXPECT_FALSE(d.imgAuctionHouse1.visible());
    EXPECT_TRUE(d.imgAuctionHouse2.visible());
    EXPECT_FALSE(d.imgAuctionHouse2.picture().empty());
}

// The expect lines of a block: each control's enabled state, "txtQty=false".
std::string enabled(std::initializer_list<std::pair<const char*, bool>> controls) {
    std::string out;
    for (const auto& [name, on] : controls)
        out += std::string("  expect ") + name + " enabled \"" + (on ? "true" : "false") + "\"\n";
    return out;
}

TEST_F(SnipeExchange, ClosedAuctionsAndTheStatusGovernTheControls) {
    // Closed and not a snipe yet; closed and successful (paid); active.
    const std::string script =
        "modal frmSnipe\n" +
        enabled({{"txtBidAmount", false},
                 {"txtQty", false},
                 {"txtTime", false},
                 {"txtTimeType", false},
                 {"cboBidGroup", false},
                 {"isFriendly", false},
                 {"bidAttributes", false},
                 {"ckPaid", false},
                 {"ckReceived", false}}) +
        "  click cmdCancel\nend\nmodal frmSnipe\n" +
        enabled({{"txtBidAmount", false},
                 {"txtQty", false},
                 {"txtTime", false},
                 {"txtTimeType", false},
                 {"cboBidGroup", false},
                 {"isFriendly", false},
                 {"bidAttributes", true},
                 {"ckPaid", true},
                 {"ckReceived", true}}) +
        "  expect ckPaid value \"1\"\n  tick ckReceived on\n  click cmdOK\nend\n"
        "modal frmSnipe\n" +
        enabled({{"txtBidAmount", true},
                 {"txtQty", false},
                 {"txtTime", true},
                 {"txtTimeType", true},
                 {"cboBidGroup", true},
                 {"isFriendly", false},
                 {"bidAttributes", false},
                 {"ckPaid", false},
                 {"ckReceived", false}}) +
        "  click cmdCancel\nend\n";
    EXPECT_EQ(play(script,
                   [] {
                       addSnipe("3007770003", 1);
                       editSnipe(103);
                       editSnipe(101);
                   }),
              "");
    const Requests s = sent();
    ASSERT_EQ(s.size(), 7u) << ::testing::PrintToString(s);
    EXPECT_EQ(s[4], "0=0&cmd=m2&bid_id=103&bid_amount=80%2E00&qty=1&delay=8&friendly=0&paid=1&"
                    "received=1&bidgroup_id=9");
}

TEST_F(SnipeExchange, ReplyValuesThatDoNotConvertLeaveTheEditorAsLoaded) {
    kv::servicesim::Switches sw;
    sw.failCommand = "g2";
    sw.failCommandFields = {{"return", "1"},           {"title", "Odd"},
                            {"auction_house_id", "x"}, {"auction_id", "3001122334"},
                            {"max_bid", "lots"},       {"bid_offset", "soon"},
                            {"bidgroup_id", "nine"},   {"paid", "7"},
                            {"status_id", "2"}};
    switches(sw);
    const char* script = R"(modal frmSnipe
  expect auctionName caption "Odd"
  expect imgAuctionHouse(1) visible "false"
  expect imgAuctionHouse(2) visible "false"
  expect txtTime text "8"
  expect txtTimeType text "seconds"
  expect cboBidGroup text "<none>"
  expect ckPaid value "0"
  expect bidAttributes enabled "true"
  expect txtQty text "1"
  expect txtQty enabled "false"
  click cmdCancel
end
)";
    EXPECT_EQ(play(script, [] { editSnipe(101); }), "");
    EXPECT_EQ(editor().maxBid, 0);
    EXPECT_EQ(editor().maxQty, 1);
}

TEST_F(SnipeExchange, ANewGroupIsCreatedOnceAcrossAFailedStore) {
    sim_.withStore([](Store& s) { s.nextGroupId = 57; });
    const char* script = R"(modal frmSnipe
  set txtBidAmount "0"
  set cboBidGroup "Pocket watches"
  click cmdOK
end
box caption "Add a new snipe" text "Invalid bid amount." style 0x10
modal frmSnipe
  set txtBidAmount "12"
  click cmdOK
end
)";
    EXPECT_EQ(play(script, [] { addSnipe("3007770002", 1); }), "");
    const std::string store = "0=0&cmd=m1&auction_id=3007770002&auction_house_id=2&bid_amount=";
    const std::string rest = "&qty=1&delay=8&friendly=0&paid=0&received=0&bidgroup_id=57";
    EXPECT_EQ(sent(), (Requests{"0=0&cmd=g1&auction_id=3007770002&auction_house_id=1",
                                "0=0&cmd=getbidgroups",
                                "0=0&cmd=addbidgroup&bidgroup_name=Pocket%20watches",
                                store + "0" + rest, store + "12" + rest}));
    sim_.withStore([](Store& s) {
        ASSERT_EQ(s.groups.size(), 3u);
        EXPECT_EQ(s.groups[2].name, "Pocket watches");
        EXPECT_EQ(s.findSnipe("alice", 200)->bidGroupId, 57);
    });
}

TEST_F(SnipeExchange, TheGroupFollowsTheChoiceOfEachAttempt) {
    const char* script = R"(modal frmSnipe
  choose cboBidGroup "<none>"
  click cmdOK
end
modal frmSnipe
  set cboBidGroup "clocks"
  click cmdOK
end
)";
    EXPECT_EQ(play(script,
                   [] {
                       editSnipe(101);
                       editSnipe(101);
                   }),
              "");
    const std::string m2 = "0=0&cmd=m2&bid_id=101&bid_amount=45%2E00&qty=1&delay=8&friendly=0&"
                           "paid=0&received=0&bidgroup_id=";
    EXPECT_EQ(sent(), (Requests{"0=0&cmd=g2&bid_id=101", "0=0&cmd=getbidgroups", m2 + "0",
                                "0=0&cmd=g2&bid_id=101", "0=0&cmd=getbidgroups", m2 + "9"}));
}

TEST_F(SnipeExchange, FailuresShowOneBoxUnderTheExchangesTitle) {
    struct Case {
        const char* name;
        const char* command;
        const char* message;
        std::function<void()> call;
        const char* script;
        Requests requests;
    };
    const Case cases[] = {
        {"fetch",
         "g1",
         "No such auction here.",
         [] { addSnipe("3007770001", 1); },
         R"(box caption "Add a new snipe" text "No such auction here." style 0x10)",
         {"0=0&cmd=g1&auction_id=3007770001&auction_house_id=1"}},
        {"fetch without message",
         "g2",
         "",
         [] { editSnipe(101); },
         R"(box caption "Edit a snipe" text "No response from the server. You must be connected to the Internet to use Kestrovane." style 0x10)",
         {"0=0&cmd=g2&bid_id=101"}},
        {"group",
         "addbidgroup",
         "",
         [] { addSnipe("3007770001", 1); },
         R"(modal frmSnipe
  set txtBidAmount "12"
  set cboBidGroup "New group"
  click cmdOK
end
box caption "Add a new snipe" style 0x10)",
         {"0=0&cmd=g1&auction_id=3007770001&auction_house_id=1", "0=0&cmd=getbidgroups",
          "0=0&cmd=addbidgroup&bidgroup_name=New%20group"}},
        {"store, then Cancel",
         "m1",
         "Service busy",
         [] { addSnipe("3007770001", 1); },
         R"(modal frmSnipe
  set txtBidAmount "12"
  click cmdOK
end
box caption "Add a new snipe" text "Service busy" style 0x10
modal frmSnipe
  expect txtBidAmount text "12"
  click cmdCancel
end)",
         {"0=0&cmd=g1&auction_id=3007770001&auction_house_id=1", "0=0&cmd=getbidgroups",
          "0=0&cmd=m1&auction_id=3007770001&auction_house_id=1&bid_amount=12&qty=1&delay=8&"
          "friendly=0&paid=0&received=0&bidgroup_id=0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        kv::servicesim::Switches sw;
        sw.failCommand = c.command;
        sw.failCommandMessage = c.message;
        switches(sw);
        EXPECT_EQ(play(std::string(c.script) + "\n", c.call), "");
        EXPECT_EQ(sent(), c.requests);
        if (std::string(c.command) == "g1" || std::string(c.command) == "g2") {
            EXPECT_EQ(app().loadedForm<frmSnipe>(), nullptr); // never shown
        }
        kv::ui::script::resetForTests();
        resetForTests(); // the next case logs in afresh
    }
}

TEST_F(SnipeExchange, BidGroupLinesFillTheListUpToTheFirstEmptyLine) {
    kv::servicesim::Switches sw;
    sw.listCommand = "getbidgroups";
    sw.listBody = "3\tHome\nabc\tBad\nno tab\n9\tBooks\n12\tTwo\tparts\n\n5\tMore\n";
    switches(sw);
    std::vector<std::string> fromReply, lastMatch, empty;
    int selected = -1;
    EXPECT_EQ(play(kCancel,
                   [&] {
                       editSnipe(103); // in group 9
                       frmSnipe& d = editor();
                       fromReply = groups(d);
                       selected = d.cboBidGroup.listIndex();
                       kv::servicesim::Switches twice = sw;
                       twice.listBody = "9\tBooks\n9\tMore books\n";
                       switches(twice);
                       loadBidGroups(d.cboBidGroup, "getbidgroups", 9);
                       lastMatch = {d.cboBidGroup.text()};
                       switches({});
                       sim_.withStore([](Store& s) { s.groups.clear(); });
                       loadBidGroups(d.cboBidGroup, "getbidgroups", 9);
                       empty = groups(d);
                       lastMatch.push_back(d.cboBidGroup.text());
                   }),
              "");
    EXPECT_EQ(fromReply,
              (std::vector<std::string>{"<none>=0", "Home=3", "Books=9", "Two\tparts=12"}));
    EXPECT_EQ(selected, 2);
    EXPECT_EQ(lastMatch, (std::vector<std::string>{"More books", "<none>"}));
    EXPECT_EQ(empty, (std::vector<std::string>{"<none>=0"}));
}

TEST_F(SnipeExchange, TheSnipesTimeIsShownAndSentBack) {
    const std::tuple<long, const char*, long> cases[] = {
        {8, "8 seconds", 8},     {60, "60 seconds", 60},     {61, "1 minutes", 60},
        {150, "3 minutes", 180}, {3600, "60 minutes", 3600}, {3601, "1 hours", 3600},
        {5400, "1 hours", 3600}, {7200, "2 hours", 7200},    {9000, "3 hours", 10800},
        {0, "8 seconds", 8},     {1, "8 seconds", 8},
    };
    std::string script;
    for (std::size_t i = 0; i < std::size(cases); ++i)
        script += kOk;
    std::vector<std::string> shown;
    std::vector<std::string> stored;
    EXPECT_EQ(play(script,
                   [&] {
                       for (const auto& [seconds, text, back] : cases) {
                           const long s = seconds;
                           sim_.withStore(
                               [&](Store& st) { st.findSnipe("alice", 101)->delaySeconds = s; });
                           editSnipe(101);
                           shown.push_back(shownTime(editor()));
                           const std::string m2 = sent().back();
                           const std::size_t at = m2.find("&delay=") + 7;
                           stored.push_back(m2.substr(at, m2.find('&', at) - at));
                       }
                   }),
              "");
    ASSERT_EQ(shown.size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& [seconds, text, back] = cases[i];
        EXPECT_EQ(shown[i], text) << seconds;
        EXPECT_EQ(stored[i], std::to_string(back)) << seconds;
    }
}

TEST_F(SnipeExchange, CancelThisSnipeAsksThenCancelsAndUnloadsTheEditor) {
    const char* script = R"(modal frmSnipe
  click cmdDelete
  expect frmSnipe visible "true"
  click cmdDelete
end
box caption "Kestrovane" text "Are you sure you want to cancel this snipe?" style 4 answer No
box caption "Kestrovane" text "Are you sure you want to cancel this snipe?" style 4 answer Yes
)";
    setCurrentStatus(1);
    EXPECT_EQ(play(script, [] { editSnipe(101); }), "");
    EXPECT_EQ(sent(), (Requests{"0=0&cmd=g2&bid_id=101", "0=0&cmd=getbidgroups",
                                "0=0&cmd=delete&bid_id=101&status_id=1"}));
    EXPECT_EQ(app().loadedForm<frmSnipe>(), nullptr);
    sim_.withStore([](Store& s) { EXPECT_EQ(s.findSnipe("alice", 101)->status, 5); });
}

TEST_F(SnipeExchange, AnUnknownModeEndsTheProgram) {
    bool after = false;
    const char* script = R"(box caption "Internal failure" text "Unknown mode" style 0x10)"
                         "\n";
    EXPECT_EQ(play(script,
                   [&] {
                       std::int16_t mode = 3, house = 1;
                       std::string auction = "3007770001";
                       snipeDialog(mode, auction, house);
                       after = true;
                   }),
              "");
    EXPECT_FALSE(after);
    EXPECT_TRUE(app().ended());
    EXPECT_EQ(sent(), Requests{});
}

TEST_F(SnipeExchange, ASecondExchangeWhileTheFirstWaitsForTheService) {
    const char* script = R"(modal frmSnipe
  set txtBidAmount "40"
  click cmdOK
end
)";
    EXPECT_EQ(play(std::string(script) + kOk,
                   [] {
                       app().post([] { addSnipe("3007770002", 2); });
                       editSnipe(101);
                   }),
              "");
    // The added snipe's exchange ran whole inside the edit's; the edit then stored its own.
    Requests commands;
    for (const std::string& q : sent())
        commands.push_back(q.substr(8, q.find('&', 8) - 8));
    EXPECT_EQ(commands, (Requests{"g1", "getbidgroups", "m1", "g2", "getbidgroups", "m2"}));
    sim_.withStore([](Store& s) {
        ASSERT_NE(s.findSnipe("alice", 200), nullptr);
        EXPECT_EQ(s.findSnipe("alice", 200)->maxBid, 40);
    });
    EXPECT_EQ(editor().bidId, 101);
}

} // namespace
} // namespace kv::app
