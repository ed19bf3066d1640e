#include "tools/service-sim/store.h"

#include "platform/text/ansi.h"

namespace kv::servicesim {

User* Store::findUser(const std::string& userId) {
    for (User& u : users) {
        if (kv::text::equalsNoCase(u.userId, userId)) return &u;
    }
    return nullptr;
}

Snipe* Store::findSnipe(const std::string& userId, int bidId) {
    for (Snipe& s : snipes) {
        if (s.userId == userId && s.bidId == bidId) return &s;
    }
    return nullptr;
}

const Auction* Store::findAuction(const std::string& auctionId) const {
    for (const Auction& a : auctions) {
        if (a.auctionId == auctionId) return &a;
    }
    return nullptr;
}

AccountOptions& Store::optionsOf(const std::string& userId) {
    for (AccountOptions& o : options)
        if (o.userId == userId) return o;
    options.push_back({});
    options.back().userId = userId;
    return options.back();
}

Store seededStore(std::time_t now) {
    Store s;
    s.users = {
        {"alice", "secret", 1, "", "s=ALICE0123456789", ""},
        {"bob", "secret", 2, "upgrade/setup.exe", "s=BOB9876543210", ""},
        {"carol", "secret", 1, "", "s=CAROL555", "7Q4K"},
    };
    auto add = [&](int id, const char* item, const char* title, double maxBid, double price,
                   const char* seller, const char* group, int status) {
        Snipe n;
        n.userId = "alice";
        n.bidId = id;
        n.itemNumber = item;
        n.title = title;
        n.maxBid = maxBid;
        n.price = price;
        n.seller = seller;
        n.bidGroup = group;
        n.status = status;
        const long hours = 5L * (id - 100) - 2; // 3, 8, 13, ... hours
        n.endsAt = now + (status == 1 ? 1 : -1) * (hours * 3600 + 25 * 60);
        n.delaySeconds = 8;
        s.snipes.push_back(n);
    };
    add(101, "3001122334", "Brass pocket watch", 45.00, 30.50, "tickers", "Watches", 1);
    add(102, "3001122335", "Silver fob chain", 12.00, 14.25, "tickers", "", 1);
    add(103, "3001122336", "Mantel clock", 80.00, 75.00, "oldtime", "Clocks", 2);
    add(104, "3001122337", "Wall clock", 20.00, 26.00, "oldtime", "Clocks", 3);
    add(105, "3001122338", "Cuckoo clock", 60.00, 10.00, "blackforest", "Clocks", 5);
    s.groups = {{"alice", 3, "Watches"}, {"alice", 9, "Clocks"}};
    for (Snipe& n : s.snipes) {
        n.bidGroupId = n.bidGroup == "Watches" ? 3 : n.bidGroup == "Clocks" ? 9 : 0;
        s.auctions.push_back(
            {n.itemNumber, n.title, "USD", n.seller, 1, 1.00, 0, 1, n.status != 1, n.endsAt});
    }
    s.auctions.push_back({"3007770001", "Carriage clock", "GBP", "oldtime", 1, 10.00, 25.00, 2,
                          false, now + 2 * 86400});
    s.auctions.push_back(
        {"3007770002", "Station clock", "USD", "tickers", 2, 0, 0, 5, false, now + 3 * 86400});
    s.auctions.push_back(
        {"3007770003", "Sundial", "USD", "oldtime", 1, 1.00, 0, 1, true, now - 86400});
    s.snipes[2].paid = true;
    s.snipes[0].watched = true;
    s.snipes[1].bidOn = true;
    s.history = {
        {101, "2026-12-10 18:29:52", "Bid placed", "45.00", ""},
        {101, "2026-12-10 18:29:54", "Result", "45.00", "Outbid"},
        {103, "2026-12-13 18:29:52", "Bid placed", "80.00", "You are the high bidder"},
    };
    s.favorites = {
        {"alice", "3009988771", "Carriage clock"},
        {"alice", "3009988772", "Pocket watch key"},
    };
    s.ebay = {
        {"alice", "3005550001", "Railway watch", "tickers", now + 5 * 86400 + 1800, 55.00, false},
        {"alice", "3005550002", "Clock hands set", "oldtime", now + 4 * 86400 + 4500, 4.50, true},
    };
    return s;
}

} // namespace kv::servicesim
