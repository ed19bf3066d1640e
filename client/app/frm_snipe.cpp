#include "client/app/frm_snipe.h"

#include "client/app/banner.h"
#include "client/app/commands.h"
#include "client/app/numeric_text.h"
#include "client/app/settings_store.h"
#include "client/app/time_controls.h"
#include "platform/ui/application.h"
#include "platform/ui/design.h"
#include "platform/ui/message_box.h"

#include <cmath>
#include <optional>
#include <string>

namespace kv::app {
namespace {

constexpr int kStripHeight = 480;           // twips
constexpr int kAmountBesideCurrency = 2145; // twips from the left edge

} // namespace

frmSnipe::frmSnipe() : kv::ui::Form("frmSnipe") {
    using namespace kv::ui;
    // The design layout, in twips: the auction's title and house along the top, the fields
    // below, the button strip along the bottom edge.
    applyDesign({
        {.widget = this, .caption = "Snipe", .geometry = {0, 0, 6090, 6000}},
        {.widget = &Picture3, .geometry = {0, 0, 6000, 900}},
        {.widget = &auctionName,
         .parent = &Picture3,
         .geometry = {120, 120, 4500, 660},
         .state = kWordWrap},
        {.widget = &imgAuctionHouse1,
         .parent = &Picture3,
         .geometry = {4800, 210, 1080, 480},
         .state = kHidden},
        {.widget = &imgAuctionHouse2,
         .parent = &Picture3,
         .geometry = {4800, 210, 1080, 480},
         .state = kHidden},
        {.widget = &lblAuctionId, .caption = "Auction ID", .geometry = {240, 1060, 1300, 300}},
        {.widget = &txtAuctionId, .geometry = {1680, 1020, 2400, 315}},
        {.widget = &lblBidAmount, .caption = "Max bid", .geometry = {240, 1480, 1300, 300}},
        {.widget = &txtCurrency, .geometry = {1680, 1480, 450, 300}},
        {.widget = &txtBidAmount, .geometry = {kAmountBesideCurrency, 1440, 1500, 315}},
        {.widget = &lblQty, .caption = "Quantity", .geometry = {240, 1900, 1300, 300}},
        {.widget = &txtQty, .geometry = {1680, 1860, 600, 315}, .text = "1"},
        {.widget = &lblTime, .caption = "Time to bid", .geometry = {240, 2320, 1300, 300}},
        {.widget = &txtTime, .geometry = {1680, 2280, 900, 315}},
        {.widget = &txtTimeType, .geometry = {2700, 2280, 1380, 315}},
        {.widget = &lblBidGroup, .caption = "Bid group", .geometry = {240, 2740, 1300, 300}},
        {.widget = &cboBidGroup, .geometry = {1680, 2700, 2400, 315}},
        {.widget = &isFriendly, .caption = "&Friendly Snipe", .geometry = {240, 3150, 2400, 300}},
        {.widget = &lblFriendly,
         .caption = "Friendly snipe places bids before the final snipe to simulate normal "
                    "bidding patterns.",
         .geometry = {240, 3480, 5520, 420},
         .state = kWordWrap},
        {.widget = &bidAttributes,
         .caption = "Completed snipes",
         .geometry = {240, 3960, 5520, 840}},
        {.widget = &ckPaid,
         .parent = &bidAttributes,
         .caption = "Auction paid",
         .geometry = {180, 360, 2400, 300}},
        {.widget = &ckReceived,
         .parent = &bidAttributes,
         .caption = "Goods received",
         .geometry = {2880, 360, 2400, 300}},
        {.widget = &Picture2, .geometry = {0, 5500 - kStripHeight, 6000, kStripHeight}},
        {.widget = &cmdDelete,
         .parent = &Picture2,
         .caption = "Cancel this snipe",
         .geometry = {120, 60, 1800, 360}},
        {.widget = &cmdOK,
         .parent = &Picture2,
         .caption = "OK",
         .geometry = {3240, 60, 1215, 360},
         .state = kDefaultButton},
        {.widget = &cmdCancel,
         .parent = &Picture2,
         .caption = "Cancel",
         .geometry = {4620, 60, 1215, 360},
         .state = kCancelButton},
    });
    setBorderStyle(BorderStyle::FixedDialog);
    Picture3.setAlign(Align::Top);
    Picture3.setBorderStyle(BorderStyle::None);
    Picture2.setAlign(Align::Bottom);
    Picture2.setBorderStyle(BorderStyle::None);
    txtAuctionId.setMaxLength(15);
    txtBidAmount.setMaxLength(12);
    txtQty.setMaxLength(3);
    imgAuctionHouse1.setPicture(auctionHousePicture(1));
    imgAuctionHouse2.setPicture(auctionHousePicture(2));

    onLoad = [this] { Form_Load(); };
    cmdOK.onClick = [this] { cmdOK_Click(); };
    cmdCancel.onClick = [this] { hide(); };
    cmdDelete.onClick = [this] { cmdDelete_Click(); };
}

void frmSnipe::Form_Load() {
    Picture2.setPicture(bannerPicture());
    fillTimeCombos(*this, 8);
    placeBidAmount();
}

void frmSnipe::placeBidAmount() {
    const int left = txtCurrency.caption().empty() ? txtAuctionId.left() : kAmountBesideCurrency;
    txtBidAmount.move(left, txtBidAmount.top());
}

void frmSnipe::refuse(const char* message, kv::ui::Control& focus) {
    kv::ui::app().messageBox({this, "Add snipe", message, kv::ui::mb::OkOnly});
    focus.setFocus();
}

void frmSnipe::cmdOK_Click() {
    if (!isNumeric(txtAuctionId.text())) {
        refuse("Invalid Auction ID, try again!", txtAuctionId);
        return;
    }
    const std::optional<double> amount = numericValue(txtBidAmount.text());
    if (!amount) {
        refuse("Invalid maximum bid amount, try again!", txtBidAmount);
        return;
    }
    // A list without a selection (the unit's too) is no time.
    if (txtTime.listIndex() < 0 || txtTimeType.listIndex() < 0) {
        refuse("Invalid time, try again!", txtTimeType);
        return;
    }
    time = chosenTime(*this);
    if (time < 1) {
        refuse("Invalid time, try again!", txtTime);
        return;
    }
    // The rounded limit only tells whether there is one; the amount meets the limit itself.
    if (std::nearbyint(maxBid) != 0 && *amount > maxBid) {
        refuse("Bid is greater than the maximum bid, try again!", txtBidAmount);
        return;
    }
    if (*amount < minBid) {
        refuse("Bid is less than the minimum bid, try again!", txtBidAmount);
        return;
    }
    if (txtQty.text().empty()) txtQty.setText("1");
    const std::optional<double> qty = numericValue(txtQty.text());
    if (!qty || *qty < 1) {
        refuse("Quantity is invalid, try again!", txtQty);
        return;
    }
    if (maxQty > 0 && *qty > maxQty) {
        refuse("Quantity is greater than the maximum quantity available for this auction, try "
               "again!",
               txtQty);
        return;
    }
    addSucceeded = true;
    hide();
}

void frmSnipe::cmdDelete_Click() {
    if (bidId <= 0) return;
    const int answer = kv::ui::app().messageBox({this, std::string(kProgramTitle),
                                                 "Are you sure you want to cancel this snipe?",
                                                 kv::ui::mb::YesNo});
    if (answer != kv::ui::id::Yes) return;
    cancelSnipe(bidId);
    unload();
}

} // namespace kv::app
