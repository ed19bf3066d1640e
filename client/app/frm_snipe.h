#pragma once
// frmSnipe: the snipe editor. The snipe command fills it and shows it modally; OK checks the
// input against the limits the command gave and hides it with addSucceeded set, Cancel
// hides it, and "Cancel this snipe" cancels a stored snipe on the service and unloads it.

#include "platform/ui/buttons.h"
#include "platform/ui/form.h"
#include "platform/ui/frame.h"
#include "platform/ui/lists.h"
#include "platform/ui/pictures.h"
#include "platform/ui/text_controls.h"

#include <cstdint>

namespace kv::app {

class frmSnipe : public kv::ui::Form {
public:
    frmSnipe();

    kv::ui::PictureBox& Picture3 = add<kv::ui::PictureBox>("Picture3"); // the top strip
    kv::ui::Label& auctionName = add<kv::ui::Label>("auctionName");
    kv::ui::Image& imgAuctionHouse1 = add<kv::ui::Image>("imgAuctionHouse", 1);
    kv::ui::Image& imgAuctionHouse2 = add<kv::ui::Image>("imgAuctionHouse", 2);
    kv::ui::Label& lblAuctionId = add<kv::ui::Label>("lblAuctionId");
    kv::ui::TextBox& txtAuctionId = add<kv::ui::TextBox>("txtAuctionId");
    kv::ui::Label& lblBidAmount = add<kv::ui::Label>("lblBidAmount");
    kv::ui::Label& txtCurrency = add<kv::ui::Label>("txtCurrency");
    kv::ui::TextBox& txtBidAmount = add<kv::ui::TextBox>("txtBidAmount");
    kv::ui::Label& lblQty = add<kv::ui::Label>("lblQty");
    kv::ui::TextBox& txtQty = add<kv::ui::TextBox>("txtQty");
    kv::ui::Label& lblTime = add<kv::ui::Label>("lblTime");
    kv::ui::ComboBox& txtTime = add<kv::ui::ComboBox>("txtTime");
    kv::ui::ComboBox& txtTimeType = add<kv::ui::ComboBox>("txtTimeType");
    kv::ui::Label& lblBidGroup = add<kv::ui::Label>("lblBidGroup");
    kv::ui::ComboBox& cboBidGroup = add<kv::ui::ComboBox>("cboBidGroup");
    kv::ui::CheckBox& isFriendly = add<kv::ui::CheckBox>("isFriendly");
    kv::ui::Label& lblFriendly = add<kv::ui::Label>("lblFriendly");
    kv::ui::Frame& bidAttributes = add<kv::ui::Frame>("bidAttributes");
    kv::ui::CheckBox& ckPaid = add<kv::ui::CheckBox>("ckPaid");
    kv::ui::CheckBox& ckReceived = add<kv::ui::CheckBox>("ckReceived");
    kv::ui::PictureBox& Picture2 = add<kv::ui::PictureBox>("Picture2"); // the button strip
    kv::ui::CommandButton& cmdDelete = add<kv::ui::CommandButton>("cmdDelete");
    kv::ui::CommandButton& cmdOK = add<kv::ui::CommandButton>("cmdOK");
    kv::ui::CommandButton& cmdCancel = add<kv::ui::CommandButton>("cmdCancel");

    bool addSucceeded = false; // True only when OK passed every check
    std::int32_t time = 0;     // seconds before the auction end, set by OK
    double maxBid = 0;         // highest amount allowed; 0: no upper limit
    double minBid = 0;         // lowest amount allowed
    double maxQty = 0;         // highest quantity allowed; 0 or less: no limit
    std::int32_t bidId = 0;    // the snipe shown; 0 for a new one

    // Puts the amount box beside the currency label, or where the auction id box is when
    // there is no currency.
    void placeBidAmount();

private:
    void Form_Load();
    void cmdOK_Click();
    void cmdDelete_Click();
    // A failed check's box, then the focus to the control to correct.
    void refuse(const char* message, kv::ui::Control& focus);
};

} // namespace kv::app
