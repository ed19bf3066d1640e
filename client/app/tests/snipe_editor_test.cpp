#include "client/app/frm_snipe.h"
#include "client/app/reset.h"
#include "client/app/time_controls.h"
#include "platform/registry/registry.h"
#include "platform/system/testing/temp_machine.h"
#include "platform/ui/application.h"
#include "platform/ui/headless/headless.h"
#include "platform/ui/user_input.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <tuple>

namespace kv::app {
namespace {

using kv::ui::app;
namespace user = kv::ui::user;

class SnipeEditor : public ::testing::Test {
protected:
    void SetUp() override {
        kv::registry::resetForTests();
        machine_.emplace();
        ui_ = &kv::ui::headless::install();
    }
    void TearDown() override {
        EXPECT_EQ(ui_->finish(), "");
        resetForTests();
        kv::ui::resetForTests();
        machine_.reset();
    }
    // The shown entries of both time lists, "8 seconds".
    static std::string shownTime(const frmSnipe& d) {
        return d.txtTime.text() + " " + d.txtTimeType.text();
    }
    std::optional<kv::machine::testing::TempMachine> machine_;
    kv::ui::headless::HeadlessBackend* ui_ = nullptr;
};

TEST_F(SnipeEditor, ControlsTextsAndLoad) {
    frmSnipe& d = app().form<frmSnipe>();
    EXPECT_EQ(d.caption(), "Snipe");
    EXPECT_EQ(d.txtAuctionId.maxLength(), 15);
    EXPECT_EQ(d.txtBidAmount.maxLength(), 12);
    EXPECT_EQ(d.txtQty.maxLength(), 3);
    EXPECT_EQ(d.txtQty.text(), "1");
    EXPECT_EQ(d.lblAuctionId.caption(), "Auction ID");
    EXPECT_EQ(d.lblBidAmount.caption(), "Max bid");
    EXPECT_EQ(d.lblQty.caption(), "Quantity");
    EXPECT_EQ(d.lblTime.caption(), "Time to bid");
    EXPECT_EQ(d.lblBidGroup.caption(), "Bid group");
    EXPECT_EQ(d.isFriendly.caption(), "&Friendly Snipe");
    EXPECT_EQ(d.lblFriendly.caption(), "Friendly snipe places bids before the final snipe to "
                                       "simulate normal bidding patterns.");
    EXPECT_EQ(d.bidAttributes.caption(), "Completed snipes");
    EXPECT_EQ(d.ckPaid.container(), &d.bidAttributes);
    EXPECT_EQ(d.ckPaid.caption(), "Auction paid");
    EXPECT_EQ(d.ckReceived.caption(), "Goods received");
    EXPECT_EQ(d.cmdOK.caption(), "OK");
    EXPECT_EQ(d.cmdCancel.caption(), "Cancel");
    EXPECT_EQ(d.cmdDelete.caption(), "Cancel this snipe");
    EXPECT_EQ(d.controlArray("imgAuctionHouse").size(), 2u);
    EXPECT_EQ(d.Picture2.height(), 480);
    EXPECT_EQ(d.Picture2.align(), kv::ui::Align::Bottom);
    EXPECT_EQ(d.Picture3.align(), kv::ui::Align::Top);
    for (kv::ui::CommandButton* b : {&d.cmdOK, &d.cmdCancel, &d.cmdDelete})
        EXPECT_EQ(b->container(), &d.Picture2) << b->name();
    EXPECT_FALSE(d.Picture2.picture().empty());
    EXPECT_EQ(d.cboBidGroup.style(), kv::ui::ComboStyle::DropDownCombo);
    EXPECT_FALSE(d.addSucceeded);
    EXPECT_EQ(d.bidId, 0);
    // Loaded with 8 seconds, the amount box where the auction id box is (no currency yet).
    EXPECT_EQ(shownTime(d), "8 seconds");
    EXPECT_EQ(d.txtBidAmount.left(), d.txtAuctionId.left());
    d.txtCurrency.setCaption("GBP");
    d.placeBidAmount();
    EXPECT_EQ(d.txtBidAmount.left(), 2145);
    EXPECT_GE(d.txtBidAmount.left(), d.txtCurrency.left() + d.txtCurrency.width());
}

TEST_F(SnipeEditor, TimeListsAreFilledPickOnlyWithTheirItemValues) {
    frmSnipe& d = app().form<frmSnipe>();
    ASSERT_EQ(d.txtTime.listCount(), 60);
    for (int i = 0; i < 60; ++i) {
        EXPECT_EQ(d.txtTime.list(i), std::to_string(i + 1));
        EXPECT_EQ(d.txtTime.itemData(i), i + 1);
    }
    ASSERT_EQ(d.txtTimeType.listCount(), 3);
    EXPECT_EQ(d.txtTimeType.list(0), "seconds");
    EXPECT_EQ(d.txtTimeType.list(1), "minutes");
    EXPECT_EQ(d.txtTimeType.list(2), "hours");
    EXPECT_EQ(d.txtTimeType.itemData(1), 60);
    EXPECT_EQ(d.txtTimeType.itemData(2), 3600);
    EXPECT_EQ(d.txtTime.style(), kv::ui::ComboStyle::DropDownList);
    EXPECT_EQ(d.txtTimeType.style(), kv::ui::ComboStyle::DropDownList);
    EXPECT_FALSE(user::typeText(d.txtTime, "7"));
    EXPECT_EQ(chosenTime(d), 8);
    fillTimeCombos(d, 1); // the options dialog's start, again on the same lists
    EXPECT_EQ(d.txtTime.listCount(), 60);
    EXPECT_EQ(shownTime(d), "1 seconds");
}

TEST_F(SnipeEditor, SetTimeControlsShowsSecondsAsCountAndUnit) {
    frmSnipe& d = app().form<frmSnipe>();
    const std::pair<std::int32_t, const char*> cases[] = {
        {8, "8 seconds"},   {60, "60 seconds"},   {61, "1 minutes"},    {90, "1 minutes"},
        {150, "3 minutes"}, {3600, "60 minutes"}, {3601, "1 hours"},    {5400, "1 hours"},
        {7200, "2 hours"},  {9000, "3 hours"},    {216000, "60 hours"}, {300000, "60 hours"},
        {2, "2 seconds"},
    };
    for (const auto& [seconds, shown] : cases) {
        setTimeControls(d, seconds);
        EXPECT_EQ(shownTime(d), shown) << seconds;
    }
    for (std::int32_t unchanged : {1, 0, -5}) {
        setTimeControls(d, unchanged);
        EXPECT_EQ(shownTime(d), "2 seconds") << unchanged;
    }
}

// The editor as the command leaves it before showing it: limits given, valid input.
struct Input {
    std::string auctionId = "3001122334", amount = "20", qty = "1";
    double maxBid = 25, minBid = 10, maxQty = 2;
    std::function<void(frmSnipe&)> change; // what the case alters in the lists
};

TEST_F(SnipeEditor, OkChecksEachFieldInOrder) {
    const char* auction = "Invalid Auction ID, try again!";
    const char* amount = "Invalid maximum bid amount, try again!";
    const char* time = "Invalid time, try again!";
    const char* above = "Bid is greater than the maximum bid, try again!";
    const char* below = "Bid is less than the minimum bid, try again!";
    const char* qty = "Quantity is invalid, try again!";
    const char* most = "Quantity is greater than the maximum quantity available for this "
                       "auction, try again!";
    auto noCount = [](frmSnipe& d) { d.txtTime.setListIndex(-1); };
    struct Case {
        const char* name;
        Input in;
        const char* box; // nullptr: accepted
        const char* focus;
    };
    auto with = [](auto f) {
        Input in;
        f(in);
        return in;
    };
    const Case cases[] = {
        {"valid", {}, nullptr, nullptr},
        {"letter in the number, bad amount too",
         with([](Input& i) { i.auctionId = "12a", i.amount = "x"; }), auction, "txtAuctionId"},
        {"no number", with([](Input& i) { i.auctionId = ""; }), auction, "txtAuctionId"},
        {"number with blanks", with([](Input& i) { i.auctionId = " 3001122334 "; }), nullptr,
         nullptr},
        {"no amount, no count", with([&](Input& i) { i.amount = "", i.change = noCount; }), amount,
         "txtBidAmount"},
        {"amount not a number", with([](Input& i) { i.amount = "1O"; }), amount, "txtBidAmount"},
        {"no count", with([&](Input& i) { i.change = noCount; }), time, "txtTimeType"},
        {"no unit",
         with([](Input& i) { i.change = [](frmSnipe& d) { d.txtTimeType.setListIndex(-1); }; }),
         time, "txtTimeType"},
        {"time below 1, amount above the limit", with([](Input& i) {
             i.amount = "30";
             i.change = [](frmSnipe& d) { d.txtTime.setItemData(d.txtTime.listIndex(), 0); };
         }),
         time, "txtTime"},
        {"amount at the limit", with([](Input& i) { i.amount = "25"; }), nullptr, nullptr},
        {"amount above the limit, quantity bad",
         with([](Input& i) { i.amount = "25.01", i.qty = "x"; }), above, "txtBidAmount"},
        {"no upper limit", with([](Input& i) { i.amount = "1e6", i.maxBid = 0; }), nullptr,
         nullptr},
        {"a limit rounding to 0 is none", with([](Input& i) { i.amount = "40", i.maxBid = 0.5; }),
         nullptr, nullptr},
        {"a limit rounding to 2 is compared as 1.5",
         with([](Input& i) { i.amount = "1.6", i.maxBid = 1.5, i.minBid = 0; }), above,
         "txtBidAmount"},
        {"below the lowest", with([](Input& i) { i.amount = "9.99"; }), below, "txtBidAmount"},
        {"quantity not a number", with([](Input& i) { i.qty = "x"; }), qty, "txtQty"},
        {"empty quantity is 1", with([](Input& i) { i.qty = "", i.maxQty = 1; }), nullptr, nullptr},
        {"quantity 0, above the most", with([](Input& i) { i.qty = "0", i.maxQty = -1; }), qty,
         "txtQty"},
        {"quantity above the most", with([](Input& i) { i.qty = "3"; }), most, "txtQty"},
        {"no most", with([](Input& i) { i.qty = "999", i.maxQty = 0; }), nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        frmSnipe& d = app().form<frmSnipe>();
        d.txtAuctionId.setText(c.in.auctionId);
        d.txtBidAmount.setText(c.in.amount);
        d.txtQty.setText(c.in.qty);
        d.maxBid = c.in.maxBid;
        d.minBid = c.in.minBid;
        d.maxQty = c.in.maxQty;
        if (c.in.change) c.in.change(d);
        bool stayed = false;
        std::string focus;
        ui_->onModal("frmSnipe", [&](kv::ui::Form& f) {
            auto& s = static_cast<frmSnipe&>(f);
            user::click(s.cmdOK);
            stayed = s.shown();
            if (s.activeControl()) focus = s.activeControl()->name();
            if (stayed) user::click(s.cmdCancel);
        });
        if (c.box) ui_->expectBox({.caption = "Add snipe", .text = c.box, .style = 0});
        d.show(kv::ui::ShowMode::Modal);
        EXPECT_EQ(d.addSucceeded, c.box == nullptr);
        EXPECT_EQ(stayed, c.box != nullptr);
        if (c.focus) {
            EXPECT_EQ(focus, c.focus);
        }
        if (!c.box) {
            EXPECT_TRUE(d.loaded()); // hidden, for the command to read
            EXPECT_EQ(d.time, 8);
            EXPECT_FALSE(d.txtQty.text().empty());
        }
        d.unload();
    }
}

TEST_F(SnipeEditor, OkSetsTheChosenTime) {
    const std::tuple<const char*, const char*, std::int32_t> cases[] = {
        {"5", "minutes", 300}, {"2", "hours", 7200}, {"60", "seconds", 60}};
    for (const auto& [count, unit, seconds] : cases) {
        frmSnipe& d = app().form<frmSnipe>();
        d.txtAuctionId.setText("3001122334");
        d.txtBidAmount.setText("5");
        ui_->onModal("frmSnipe", [&, count = count, unit = unit](kv::ui::Form& f) {
            auto& s = static_cast<frmSnipe&>(f);
            user::choose(s.txtTime, s.txtTime.findText(count));
            user::choose(s.txtTimeType, s.txtTimeType.findText(unit));
            user::click(s.cmdOK);
        });
        d.show(kv::ui::ShowMode::Modal);
        EXPECT_TRUE(d.addSucceeded);
        EXPECT_EQ(d.time, seconds) << count << " " << unit;
        d.unload();
    }
}

TEST_F(SnipeEditor, CancelThisSnipeDoesNothingForANewSnipe) {
    frmSnipe& d = app().form<frmSnipe>();
    d.show();
    EXPECT_TRUE(user::click(d.cmdDelete)); // no box: bidId is 0
    EXPECT_TRUE(d.shown());
}

TEST_F(SnipeEditor, AmountsUseTheMachinesSeparators) {
    kv::machine::Profile german = kv::machine::defaultProfile();
    german.locale = kv::machine::Locale{1031, 1252, ",", "."};
    machine_.reset();
    machine_.emplace(german);
    frmSnipe& d = app().form<frmSnipe>();
    d.txtAuctionId.setText("3001122334");
    d.maxBid = 1500;
    d.minBid = 25.5;
    const std::pair<const char*, const char*> cases[] = {
        {"1.234,50", nullptr},
        {"25,49", "Bid is less than the minimum bid, try again!"},
        {"1.500,01", "Bid is greater than the maximum bid, try again!"},
    };
    for (const auto& [amount, box] : cases) {
        d.txtBidAmount.setText(amount);
        d.addSucceeded = false;
        ui_->onModal("frmSnipe", [](kv::ui::Form& f) {
            auto& s = static_cast<frmSnipe&>(f);
            user::click(s.cmdOK);
            if (s.shown()) user::click(s.cmdCancel);
        });
        if (box) ui_->expectBox({.caption = "Add snipe", .text = box});
        d.show(kv::ui::ShowMode::Modal);
        EXPECT_EQ(d.addSucceeded, box == nullptr) << amount;
    }
}

} // namespace
} // namespace kv::app
