#include "tools/service-sim/commands.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <optional>

namespace kv::servicesim {

namespace {

std::string field(const Request& req, const std::string& key) {
    for (const auto& [k, v] : req.fields) {
        if (k == key) return v;
    }
    return {};
}

Reply record(Fields fields) {
    return Reply{Reply::Kind::Record, std::move(fields), {}};
}
Reply page(const std::string& title, const std::string& text) {
    return Reply{Reply::Kind::Html,
                 {},
                 "<html><head><title>" + title + "</title></head><body><h1>" + title + "</h1><p>" +
                     text + "</p></body></html>"};
}

// A moment as the service writes it: local time, "2026-12-14 18:30:00".
std::string dateText(std::time_t t) {
    std::tm local{};
    localtime_r(&t, &local);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &local);
    return buf;
}

// Time left as "3d 4h 25m" (no days: "4h 25m"), or "Ended".
std::string timeLeftText(long seconds) {
    if (seconds <= 0) return "Ended";
    const long days = seconds / 86400, hours = seconds % 86400 / 3600,
               minutes = seconds % 3600 / 60;
    return (days ? std::to_string(days) + "d " : std::string()) + std::to_string(hours) + "h " +
           std::to_string(minutes) + "m";
}

std::string money(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", v);
    return buf;
}

Reply login(const Request& req, Store& store, const Context& ctx) {
    User* user = accountUser(req, store);
    if (!user) return record({{"return", "0"}, {"message", "Invalid user id or password."}});
    if (!user->securityCode.empty()) {
        const std::string token = "TK-" + user->userId;
        const std::string typed = field(req, "tokentext");
        if (field(req, "tokenstring") != token) {
            return record({{"return", "1"},
                           {"message", "GOT_IMAGE"},
                           {"image", ctx.baseUrl + "/code.bmp?t=" + token},
                           {"tokenstring", token}});
        }
        if (typed != user->securityCode) {
            return record({{"return", "0"}, {"message", "The security code is wrong."}});
        }
    }
    return record({{"return", std::to_string(user->level)},
                   {"message", ""},
                   {"upgrade", user->upgrade},
                   {"cookie", user->cookie}});
}

Reply diagnose(const Request&, Store&, const Context&) {
    return record({{"return", "1"}, {"message", "Connection OK"}});
}

Reply news(const Request&, Store&, const Context&) {
    return page("Kestrovane news", "Welcome back. The service runs normally.");
}
Reply terms(const Request&, Store&, const Context&) {
    return page("Terms of use", "Bids placed by the service are binding.");
}
Reply help(const Request&, Store&, const Context&) {
    return page("Help", "Choose a folder on the left to see your snipes.");
}
Reply privacy(const Request&, Store&, const Context&) {
    return page("Privacy", "Your details are only sent to eBay.");
}

bool inFolder(const Snipe& s, int status) {
    switch (status) {
    case 0:
        return true;
    case 10:
        return s.watched;
    case 11:
        return s.bidOn;
    default:
        return s.status == status;
    }
}

// One TAB-separated line per snipe under a line of column titles.
Reply textdump(const Request& req, Store& store, const Context& ctx) {
    Reply out{Reply::Kind::Text, {}, {}};
    User* user = accountUser(req, store);
    if (!user) return out;
    const int status = static_cast<int>(std::strtol(field(req, "status_id").c_str(), nullptr, 10));
    const std::string sort = field(req, "sort");
    std::vector<const Snipe*> rows;
    for (const Snipe& s : store.snipes) {
        if (s.userId == user->userId && inFolder(s, status)) rows.push_back(&s);
    }
    std::stable_sort(rows.begin(), rows.end(), [&](const Snipe* a, const Snipe* b) {
        if (sort == "seller") return a->seller < b->seller;
        if (sort == "bidgroup_name") return a->bidGroup < b->bidGroup;
        return a->itemNumber < b->itemNumber;
    });
    out.body = "Auction\tTitle\tMax Bid\tPrice\tSeller\tEnds\tTime Left\tDelay\tPaid\tReceived\t"
               "Ends Key\tDelay Key\tMax Key\tPrice Key\tBid Group\tStatus\n";
    for (const Snipe* s : rows) {
        const long secondsLeft = std::max(0L, static_cast<long>(s->endsAt - ctx.now));
        const std::string cells[] = {std::to_string(s->bidId) + "|" + s->itemNumber,
                                     s->title,
                                     money(s->maxBid),
                                     money(s->price),
                                     s->seller,
                                     dateText(s->endsAt),
                                     timeLeftText(secondsLeft),
                                     std::to_string(s->delaySeconds) + " secs",
                                     s->paid ? "Paid" : "",
                                     s->received ? "Received" : "",
                                     std::to_string(secondsLeft),
                                     std::to_string(s->delaySeconds),
                                     "",
                                     "",
                                     s->bidGroup,
                                     std::to_string(s->status)};
        std::string line;
        for (const std::string& c : cells)
            line += (line.empty() && &c == cells ? "" : "\t") + c;
        out.body += line + "\n";
    }
    return out;
}

Reply ok(const std::string& message = "") {
    return record({{"return", "1"}, {"message", message}});
}
Reply fail(const std::string& message) {
    return record({{"return", "0"}, {"message", message}});
}
Reply text(std::string body) {
    return Reply{Reply::Kind::Text, {}, std::move(body)};
}
bool numeric(const std::string& s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
}
// A snipe id: digits that fit a number; nothing for anything else.
std::optional<int> idOf(const std::string& s) {
    int n = 0;
    if (!numeric(s)) return std::nullopt;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
    return ec == std::errc() && end == s.data() + s.size() ? std::optional<int>(n) : std::nullopt;
}

// The bid history of one snipe: a title line, then one line per attempt whose first field
// is "bid id-attempt|time" and whose fourth is the auction site's response.
Reply history(const Request& req, Store& store, const Context&) {
    User* user = accountUser(req, store);
    const std::string id = field(req, "bid_id");
    const std::optional<int> bidId = idOf(id);
    if (!user || !bidId || !store.findSnipe(user->userId, *bidId)) return text("");
    std::string body = "Time\tAction\tAmount\tResponse\n";
    int n = 0;
    for (const HistoryEntry& h : store.history) {
        if (h.bidId != *bidId) continue;
        body += id + "-" + std::to_string(++n) + "|" + h.when + "\t" + h.action + "\t" + h.amount +
                "\t" + h.response + "\n";
    }
    return text(body);
}

// One line per favourite: the auction number, TAB, its title.
Reply favorites(const Request& req, Store& store, const Context&) {
    User* user = accountUser(req, store);
    if (!user) return text("");
    std::string body;
    for (const Favorite& f : store.favorites) {
        if (f.userId == user->userId) body += f.auctionId + "\t" + f.title + "\n";
    }
    return text(body);
}

std::vector<Favorite>::iterator findFavorite(Store& store, const User& user,
                                             const std::string& auction) {
    return std::find_if(store.favorites.begin(), store.favorites.end(), [&](const Favorite& f) {
        return f.userId == user.userId && f.auctionId == auction;
    });
}

Reply addfavorite(const Request& req, Store& store, const Context&) {
    User* user = accountUser(req, store);
    if (!user) return fail("Invalid user id or password.");
    const std::string auction = field(req, "auction_id");
    if (!numeric(auction)) return fail("Invalid auction number.");
    if (findFavorite(store, *user, auction) != store.favorites.end())
        return fail("That auction is already in your favorites.");
    store.favorites.push_back({user->userId, auction, "Item " + auction});
    return ok();
}

Reply rmfavorite(const Request& req, Store& store, const Context&) {
    User* user = accountUser(req, store);
    if (!user) return fail("Invalid user id or password.");
    const auto it = findFavorite(store, *user, field(req, "auction_id"));
    if (it == store.favorites.end()) return fail("That auction is not in your favorites.");
    store.favorites.erase(it);
    return ok();
}

// Imports the user's eBay watch and bid lists: each item not yet among the snipes becomes
// one, marked watched or bid on; items already there take the marks.
Reply myebay(const Request& req, Store& store, const Context&) {
    User* user = accountUser(req, store);
    if (!user) return fail("Invalid user id or password.");
    int imported = 0;
    for (const EbayItem& e : store.ebay) {
        if (e.userId != user->userId) continue;
        Snipe* found = nullptr;
        for (Snipe& s : store.snipes) {
            if (s.userId == user->userId && s.itemNumber == e.itemNumber) found = &s;
        }
        if (!found) {
            Snipe n;
            n.userId = user->userId;
            n.bidId = store.nextBidId++;
            n.itemNumber = e.itemNumber;
            n.title = e.title;
            n.seller = e.seller;
            n.endsAt = e.endsAt;
            n.price = e.price;
            store.snipes.push_back(n);
            found = &store.snipes.back();
            ++imported;
        }
        (e.bidOn ? found->bidOn : found->watched) = true;
    }
    return ok(std::to_string(imported) + " items imported.");
}

// Brings the snipes of one folder up to date with the auction site.
Reply refresh(const Request& req, Store& store, const Context&) {
    User* user = accountUser(req, store);
    if (!user) return fail("Invalid user id or password.");
    if (!numeric(field(req, "status_id"))) return fail("Invalid folder.");
    return ok();
}

// The snipes of a bidlist ("17|23|"): every id followed by a bar; null when an id is not
// one of the user's snipes.
std::optional<std::vector<Snipe*>> bidList(const Request& req, Store& store, User& user) {
    std::vector<Snipe*> out;
    const std::string list = field(req, "bidlist");
    std::size_t start = 0;
    for (std::size_t bar; (bar = list.find('|', start)) != std::string::npos; start = bar + 1) {
        const std::string id = list.substr(start, bar - start);
        const std::optional<int> n = idOf(id);
        Snipe* s = n ? store.findSnipe(user.userId, *n) : nullptr;
        if (!s) return std::nullopt;
        out.push_back(s);
    }
    if (out.empty() || start != list.size()) return std::nullopt;
    return out;
}

template <class Change> Reply batch(const Request& req, Store& store, Change change) {
    User* user = accountUser(req, store);
    if (!user) return fail("Invalid user id or password.");
    const auto snipes = bidList(req, store, *user);
    if (!snipes) return fail("The selection holds an unknown snipe.");
    for (Snipe* s : *snipes)
        change(*s);
    return ok();
}

Reply setdeleted(const Request& req, Store& store, const Context&) {
    Reply r = batch(req, store, [](Snipe& s) { s.removed = true; });
    std::erase_if(store.snipes, [](const Snipe& s) { return s.removed; });
    return r;
}
Reply dofeedback(const Request& req, Store& store, const Context&) {
    return batch(req, store, [](Snipe& s) { s.feedback = true; });
}
Reply setpaid(const Request& req, Store& store, const Context&) {
    return batch(req, store, [](Snipe& s) { s.paid = true; });
}
Reply setreceived(const Request& req, Store& store, const Context&) {
    return batch(req, store, [](Snipe& s) { s.received = true; });
}

// Cancels one snipe: it moves to the cancelled folder.
Reply cancel(const Request& req, Store& store, const Context&) {
    User* user = accountUser(req, store);
    if (!user) return fail("Invalid user id or password.");
    const std::string id = field(req, "bid_id");
    const std::optional<int> n = idOf(id);
    Snipe* s = n ? store.findSnipe(user->userId, *n) : nullptr;
    if (!s) return fail("No such snipe.");
    if (s->status != 1) return fail("Only an active snipe can be cancelled.");
    s->status = 5;
    return ok();
}

// A command and the field lists the client sends with it, each in the client's order.
struct Entry {
    Command run;
    std::vector<std::vector<std::string>> forms;
};
using Names = std::vector<std::string>;

const std::map<std::string, Entry>& table() {
    static const Names none;
    static const Names status{"status_id"};
    static const Names selection{"status_id", "bidlist"};
    // The login challenge, then the answer to a security code when one was asked for.
    static const std::vector<Names> challenge{{"chal"}, {"chal", "tokentext", "tokenstring"}};
    static const std::map<std::string, Entry> commands = {
        {"login", {&login, challenge}},
        {"diagnose", {&diagnose, challenge}},
        {"news", {&news, {none}}},
        {"terms", {&terms, {none}}},
        {"help", {&help, {none}}},
        {"privacy", {&privacy, {none}}},
        {"textdump", {&textdump, {{"status_id", "sort"}}}},
        {"history", {&history, {{"bid_id"}}}},
        {"favorites", {&favorites, {none}}},
        {"addfavorite", {&addfavorite, {{"auction_id"}}}},
        {"rmfavorite", {&rmfavorite, {{"auction_id"}}}},
        {"myebay", {&myebay, {none}}},
        {"refresh", {&refresh, {status}}},
        {"setdeleted", {&setdeleted, {selection}}},
        {"dofeedback", {&dofeedback, {selection}}},
        {"setpaid", {&setpaid, {selection}}},
        {"setreceived", {&setreceived, {selection}}},
        {"delete", {&cancel, {{"bid_id", "status_id"}}}},
    };
    return commands;
}

} // namespace

Command findCommand(const std::string& cmd) {
    const auto it = table().find(cmd);
    return it == table().end() ? nullptr : it->second.run;
}

bool fieldsInOrder(const Request& req, std::string& error) {
    const auto it = table().find(req.cmd);
    if (it == table().end()) return true;
    Names sent;
    for (const auto& [key, value] : req.fields)
        sent.push_back(key);
    for (const Names& form : it->second.forms) {
        if (sent == form) return true;
    }
    std::string got;
    for (const std::string& name : sent)
        got += (got.empty() ? "" : ",") + name;
    const Names& want = it->second.forms.back();
    std::string expected;
    for (const std::string& name : want)
        expected += (expected.empty() ? "" : ",") + name;
    error = "fields of " + req.cmd + " are (" + got + "), not (" + expected + ")";
    return false;
}

User* accountUser(const Request& req, Store& store) {
    User* user = store.findUser(req.userId);
    if (!user || req.plp != user->password) return nullptr;
    return user;
}

} // namespace kv::servicesim
