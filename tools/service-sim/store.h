#pragma once
// What the stand-in service keeps in memory: its users and their snipes.

#include <ctime>
#include <string>
#include <vector>

namespace kv::servicesim {

struct User {
    std::string userId;
    std::string password;     // as the user types it
    int level = 1;            // the login reply's return value
    std::string upgrade;      // upgrade page path, empty when none
    std::string cookie;       // the auction site's session cookie
    std::string securityCode; // non-empty: login first asks for this code
};

// An auction of the catalogue, what "g1" tells of it and what "m1" checks a snipe against.
struct Auction {
    std::string auctionId, title, currency, seller;
    int houseId = 1;     // 1 or 2
    double minBid = 0;   // lowest amount a snipe may bid
    double maxBid = 0;   // highest amount (0: no limit)
    int maxQty = 1;      // items on offer (0: no limit)
    bool closed = false; // ended: its snipes can no longer change their bid
    std::time_t endsAt = 0;
};

// A bid group of a user's.
struct BidGroup {
    std::string userId;
    int id = 0;
    std::string name;
};

// One snipe; its textdump line is formed by the textdump command.
struct Snipe {
    std::string userId;
    int bidId = 0;
    std::string itemNumber, title, seller, bidGroup; // bidGroup: the group's name
    std::time_t endsAt = 0; // when the auction ends; its time left is counted from it
    double maxBid = 0, price = 0;
    long delaySeconds = 0;
    int qty = 1, houseId = 1, bidGroupId = 0;
    bool friendly = false;
    bool paid = false, received = false, feedback = false;
    bool removed = false;                // being taken out of the store
    int status = 1;                      // 1 active, 2 successful, 3 failed, 5 cancelled
    bool watched = false, bidOn = false; // on the user's eBay watch / bid list
};

// One attempt in a snipe's bid history; response is the auction site's answer.
struct HistoryEntry {
    int bidId = 0;
    std::string when, action, amount, response;
};

// A favourite auction of a user's.
struct Favorite {
    std::string userId, auctionId, title;
};

// An item on a user's eBay watch or bid list, imported into the snipes by "myebay".
struct EbayItem {
    std::string userId, itemNumber, title, seller;
    std::time_t endsAt = 0;
    double price = 0;
    bool bidOn = false; // on the bid list (else the watch list)
};

// A user's account options, as "getoptions" tells them and "setoptions" changes them.
struct AccountOptions {
    std::string userId;
    long defaultOffset = 8; // seconds before the auction end
    int friendlyPct = 6;    // 1 to 30; 0: none chosen
    int friendlyOffset = 5; // 1 to 5; 0: none chosen
    std::string feedback[4] = {"Great buyer, prompt payment.", "Smooth transaction, thank you.",
                               "Item as described.", ""};
};

struct Store {
    std::vector<User> users;
    std::vector<Snipe> snipes;
    std::vector<HistoryEntry> history;
    std::vector<Favorite> favorites;
    std::vector<EbayItem> ebay;
    std::vector<Auction> auctions;
    std::vector<BidGroup> groups;
    std::vector<AccountOptions> options; // users without an entry have the defaults
    int nextBidId = 200;                 // the bid id of the next imported or added snipe
    int nextGroupId = 50;                // the id of the next bid group

    const Auction* findAuction(const std::string& auctionId) const;

    Snipe* findSnipe(const std::string& userId, int bidId);

    User* findUser(const std::string& userId); // without regard to case

    // The user's options, added with the defaults when the user has none yet.
    AccountOptions& optionsOf(const std::string& userId);
};

// Users "alice" (plain login), "bob" (upgrade offered), "carol" (security code "7Q4K")
// with password "secret" each; a handful of snipes of alice's in every status, with bid
// history, two favourites, an eBay watch and bid list to import, her bid groups 3 "Watches"
// and 9 "Clocks", and a catalogue of the snipes' auctions and a few more: 3007770001 open
// (minimum 10, maximum 25, 2 on offer, GBP), 3007770002 on the second house (USD, no
// limits, 5 on offer) and 3007770003 closed. The active auctions end hours to days after
// now, the others ended before it.
Store seededStore(std::time_t now = std::time(nullptr));

} // namespace kv::servicesim
