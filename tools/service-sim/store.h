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

// One snipe; its textdump line is formed by the textdump command.
struct Snipe {
    std::string userId;
    int bidId = 0;
    std::string itemNumber, title, seller, bidGroup;
    std::time_t endsAt = 0; // when the auction ends; its time left is counted from it
    double maxBid = 0, price = 0;
    long delaySeconds = 0;
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

struct Store {
    std::vector<User> users;
    std::vector<Snipe> snipes;
    std::vector<HistoryEntry> history;
    std::vector<Favorite> favorites;
    std::vector<EbayItem> ebay;
    int nextBidId = 200; // the bid id of the next imported snipe

    Snipe* findSnipe(const std::string& userId, int bidId);

    User* findUser(const std::string& userId); // without regard to case
};

// Users "alice" (plain login), "bob" (upgrade offered), "carol" (security code "7Q4K")
// with password "secret" each; a handful of snipes of alice's in every status, with bid
// history, two favourites and an eBay watch and bid list to import. The active auctions
// end hours to days after now, the others ended before it.
Store seededStore(std::time_t now = std::time(nullptr));

} // namespace kv::servicesim
