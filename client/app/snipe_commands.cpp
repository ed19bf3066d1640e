#include "client/app/snipe_commands.h"

#include "client/app/commands.h"
#include "client/app/frm_main.h"
#include "client/app/frm_snipe.h"
#include "client/app/internal/command_support.h"
#include "client/app/session.h"
#include "client/app/setting_conversions.h"
#include "client/app/startup.h"
#include "client/app/time_controls.h"
#include "platform/text/ansi.h"
#include "platform/ui/application.h"

#include <cmath>
#include <initializer_list>
#include <limits>
#include <optional>
#include <vector>

namespace kv::app {
namespace {

using kv::protocol::Hash;
using kv::ui::CheckState;

constexpr const char* kNoGroup = "<none>";

// A check box's value from a reply's 0, 1 or 2; other texts leave it as it is.
void setCheck(kv::ui::CheckBox& box, const std::string& text) {
    const std::optional<double> v = toNumber(text);
    if (v && (*v == 0 || *v == 1 || *v == 2))
        box.setValue(static_cast<CheckState>(static_cast<int>(*v)));
}

std::int64_t checkValue(const kv::ui::CheckBox& box) {
    return static_cast<std::int64_t>(box.value());
}

std::string field(Hash& reply, const char* key, const char* fallback) {
    return reply.Retrieve(key, fallback).text();
}

// Applies the fetch reply to a freshly loaded editor, in the reply table's order. Returns
// the group to preselect.
std::int32_t showSnipe(frmSnipe& editor, Hash& reply, std::int16_t mode, std::int32_t bidId,
                       std::int16_t& auctionHouseId) {
    editor.auctionName.setCaption(field(reply, "title", ""));
    if (const auto house = toInteger(field(reply, "auction_house_id", "0")); house && *house > 0) {
        auctionHouseId = *house;
        editor.imgAuctionHouse1.setVisible(*house == 1);
        editor.imgAuctionHouse2.setVisible(*house == 2);
    }
    const std::string auctionId = field(reply, "auction_id", "");
    if (!auctionId.empty()) editor.txtAuctionId.setText(auctionId);
    editor.txtAuctionId.setEnabled(auctionId.empty());
    editor.cmdDelete.setVisible(bidId > 0);
    const bool closed = toBoolean(field(reply, "closed", "False")).value_or(false);
    editor.txtBidAmount.setText(field(reply, "bid_amount", ""));
    if (const auto v = toNumber(field(reply, "max_bid", "0"))) editor.maxBid = *v;
    if (const auto v = toNumber(field(reply, "min_bid", "0"))) editor.minBid = *v;
    if (const auto v = toNumber(field(reply, "max_qty", "1"))) editor.maxQty = *v;
    editor.txtQty.setText(field(reply, "qty", "1"));
    editor.txtQty.setEnabled(editor.maxQty != 1 || auctionId.empty());
    if (const auto offset = toLong(field(reply, "bid_offset", "0")))
        setTimeControls(editor, *offset);
    const std::int32_t group = toLong(field(reply, "bidgroup_id", "0")).value_or(0);
    setCheck(editor.isFriendly, field(reply, "friendly_bid", "0"));
    editor.txtCurrency.setCaption(field(reply, "currency", ""));
    editor.placeBidAmount();
    setCheck(editor.ckPaid, field(reply, "paid", "0"));
    setCheck(editor.ckReceived, field(reply, "received", "0"));
    const bool successful = toNumber(field(reply, "status_id", "0")) == 2.0;
    editor.bidAttributes.setEnabled(successful);
    editor.ckPaid.setEnabled(successful);
    editor.ckReceived.setEnabled(successful);
    editor.isFriendly.setEnabled(mode == kAddMode);
    editor.bidId = bidId;
    if (closed) {
        for (kv::ui::Control* c : std::initializer_list<kv::ui::Control*>{
                 &editor.txtBidAmount, &editor.txtQty, &editor.txtTime, &editor.txtTimeType,
                 &editor.cboBidGroup, &editor.isFriendly})
            c->setEnabled(false);
    }
    return group;
}

// What the user left in the editor after OK, read at once: a service call may let another
// exchange replace the editor.
struct Entries {
    std::string auctionId, bidAmount, qty, groupText;
    int groupIndex = -1; // the entry the group text names; -1 for a typed name
    std::int32_t groupEntryId = 0;
    std::int32_t time = 0;
    std::int64_t friendly = 0, paid = 0, received = 0;
};

Entries readEntries(const frmSnipe& editor) {
    Entries e;
    e.auctionId = std::string(kv::text::trimBlanks(editor.txtAuctionId.text()));
    e.bidAmount = editor.txtBidAmount.text();
    e.qty = editor.txtQty.text();
    e.time = editor.time;
    e.friendly = checkValue(editor.isFriendly);
    e.paid = checkValue(editor.ckPaid);
    e.received = checkValue(editor.ckReceived);
    const kv::ui::ComboBox& box = editor.cboBidGroup;
    e.groupText = box.text();
    // The selected entry when it shows the text, else the first entry of that name.
    const int selected = box.listIndex();
    e.groupIndex =
        selected >= 0 && box.list(selected) == e.groupText ? selected : box.findText(e.groupText);
    if (e.groupIndex >= 0) e.groupEntryId = box.itemData(e.groupIndex);
    return e;
}

// The group the user chose, creating a newly typed one once per exchange; nullopt when the
// creation failed (after its box).
std::optional<std::int32_t> chosenGroup(const Entries& e, std::string& createdName,
                                        std::int32_t& createdId, const std::string& title) {
    if (e.groupText.empty() || e.groupIndex == 0) return 0; // "<none>"
    if (e.groupIndex > 0) return e.groupEntryId;
    if (createdId != 0 && e.groupText == createdName) return createdId;
    Hash args;
    args.Add("bidgroup_name", e.groupText);
    Hash reply = security().queryKestrovane("addbidgroup", args);
    const std::optional<std::int32_t> id = toLong(reply.Retrieve("return", 0).text());
    if (!id || *id == 0) {
        internal::showFailure(reply, title);
        return std::nullopt;
    }
    createdName = e.groupText;
    createdId = *id;
    return *id;
}

} // namespace

void addSnipe(const std::string& auctionNumber, std::int16_t auctionHouseId) {
    internal::WaitCursor wait(true);
    std::int16_t mode = kAddMode;
    std::string text = auctionNumber;
    snipeDialog(mode, text, auctionHouseId);
}

void editSnipe(std::int32_t snipeId) {
    internal::WaitCursor wait(true);
    std::int16_t mode = kEditMode;
    std::string text = std::to_string(snipeId);
    std::int16_t house = 0;
    snipeDialog(mode, text, house);
}

void snipeDialog(std::int16_t& mode, std::string& auctionText, std::int16_t& auctionHouseId) {
    Hash request;
    std::int32_t bidId = 0;
    std::string title;
    if (mode == kAddMode) {
        request.Add("auction_id", auctionText);
        request.Add("auction_house_id", static_cast<std::int64_t>(auctionHouseId));
        title = "Add a new snipe";
    } else if (mode == kEditMode) {
        bidId = toLong(auctionText).value_or(0);
        request.Add("bid_id", static_cast<std::int64_t>(bidId));
        title = "Edit a snipe";
    } else {
        kv::ui::app().messageBox("Unknown mode", kv::ui::mb::OkOnly | kv::ui::mb::IconError,
                                 "Internal failure");
        kv::ui::app().end();
    }
    const std::string digit = std::to_string(mode);
    Hash fetched = security().queryKestrovane("g" + digit, request);
    if (internal::replyReturn(fetched) == 0) {
        internal::showFailure(fetched, title);
        return;
    }

    if (frmSnipe* old = kv::ui::app().loadedForm<frmSnipe>()) old->unload();
    frmSnipe& editor = kv::ui::app().form<frmSnipe>();
    const std::int32_t group = showSnipe(editor, fetched, mode, bidId, auctionHouseId);
    loadBidGroups(editor.cboBidGroup, "getbidgroups", group);

    std::string createdName;
    std::int32_t createdId = 0;
    for (;;) {
        editor.addSucceeded = false;
        editor.show(kv::ui::ShowMode::Modal, &mainForm());
        // Another exchange may have unloaded this editor meanwhile: nothing more to store.
        if (!editor.addSucceeded || kv::ui::app().loadedForm<frmSnipe>() != &editor) return;
        const Entries entries = readEntries(editor);
        const std::optional<std::int32_t> groupId =
            chosenGroup(entries, createdName, createdId, title);
        if (!groupId) return;

        Hash store;
        if (mode == kAddMode) {
            store.Add("auction_id", entries.auctionId);
            store.Add("auction_house_id", static_cast<std::int64_t>(auctionHouseId));
        } else {
            store.Add("bid_id", static_cast<std::int64_t>(bidId));
        }
        store.Add("bid_amount", entries.bidAmount);
        store.Add("qty", entries.qty);
        store.Add("delay", static_cast<std::int64_t>(entries.time));
        store.Add("friendly", entries.friendly);
        store.Add("paid", entries.paid);
        store.Add("received", entries.received);
        store.Add("bidgroup_id", static_cast<std::int64_t>(*groupId));
        Hash stored = security().queryKestrovane("m" + digit, store);
        if (internal::replyReturn(stored) != 0) return;
        internal::showFailure(stored, title);
        if (kv::ui::app().loadedForm<frmSnipe>() != &editor) return;
    }
}

void loadBidGroups(kv::ui::ComboBox& box, const std::string& command, std::int32_t preselect) {
    Hash args;
    fillBidGroups(box, security().queryKestrovaneMulti(command, args), preselect);
}

void fillBidGroups(kv::ui::ComboBox& box, const std::vector<std::string>& lines,
                   std::int32_t preselect) {
    box.clear();
    box.addItem(kNoGroup);
    box.setListIndex(0);
    for (const std::string& line : lines) {
        if (line.empty()) break;
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos) continue;
        // An id that is no whole number would stand for no group: the line is skipped.
        const std::optional<double> id = toNumber(line.substr(0, tab));
        if (!id || *id != std::floor(*id) || *id < std::numeric_limits<std::int32_t>::min() ||
            *id > std::numeric_limits<std::int32_t>::max())
            continue;
        box.addItem(line.substr(tab + 1));
        const int added = box.newIndex();
        box.setItemData(added, static_cast<std::int32_t>(*id));
        if (static_cast<std::int32_t>(*id) == preselect) box.setListIndex(added);
    }
}

} // namespace kv::app
