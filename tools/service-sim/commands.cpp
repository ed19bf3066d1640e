#include "tools/service-sim/commands.h"

#include "platform/text/ansi.h"

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

// A whole number within [low, high], or nothing.
std::optional<int> wholeIn(const std::string& s, int low, int high) {
    const std::optional<int> n = idOf(s);
    return n && *n >= low && *n <= high ? n : std::nullopt;
}

// An amount as the user typed it: digits with at most one decimal mark ("." or ","),
// blanks round it allowed.
std::optional<double> amountOf(const std::string& typed) {
    const std::size_t first = typed.find_first_not_of(' ');
    if (first == std::string::npos) return std::nullopt;
    std::string s = typed.substr(first, typed.find_last_not_of(' ') - first + 1);
    const std::size_t mark = s.find_first_of(".,");
    if (mark != std::string::npos) s[mark] = '.';
    const std::string digits =
        mark == std::string::npos ? s : s.substr(0, mark) + s.substr(mark + 1);
    if (!numeric(digits)) return std::nullopt;
    return std::strtod(s.c_str(), nullptr);
}

std::string flag(bool on) {
    return on ? "1" : "0";
}

// The fetch reply of a snipe on an auction, in the order the client applies it.
Fields snipeRecord(const Auction& a, const Snipe* s) {
    return {{"return", "1"},
            {"message", ""},
            {"title", a.title},
            {"auction_house_id", std::to_string(a.houseId)},
            {"auction_id", a.auctionId},
            {"closed", a.closed ? "True" : "False"},
            {"bid_amount", s ? money(s->maxBid) : ""},
            {"max_bid", money(a.maxBid)},
            {"min_bid", money(a.minBid)},
            {"max_qty", std::to_string(a.maxQty)},
            {"qty", std::to_string(s ? s->qty : 1)},
            {"bid_offset", std::to_string(s ? s->delaySeconds : 8)},
            {"bidgroup_id", std::to_string(s ? s->bidGroupId : 0)},
            {"friendly_bid", flag(s && s->friendly)},
            {"currency", a.currency},
            {"paid", flag(s && s->paid)},
            {"received", flag(s && s->received)},
            {"status_id", std::to_string(s ? s->status : 0)}};
}

// "g1": the auction a new snipe is for; an empty number gives an empty record for the
// user to type one.
Reply g1(const Request& req, Store& store, const Context&) {
    if (!accountUser(req, store)) return fail("Invalid user id or password.");
    const std::string auction = field(req, "auction_id");
    if (auction.empty()) {
        Fields f = snipeRecord(Auction{}, nullptr);
        for (auto& [key, value] : f) {
            if (key == "auction_house_id") value = "0";
            if (key == "auction_id" || key == "currency") value.clear();
        }
        return record(f);
    }
    const Auction* a = store.findAuction(auction);
    if (!a) return fail("No such auction.");
    return record(snipeRecord(*a, nullptr));
}

// "g2": one of the user's snipes with its auction.
Reply g2(const Request& req, Store& store, const Context&) {
    User* user = accountUser(req, store);
    if (!user) return fail("Invalid user id or password.");
    const std::optional<int> id = idOf(field(req, "bid_id"));
    const Snipe* s = id ? store.findSnipe(user->userId, *id) : nullptr;
    const Auction* a = s ? store.findAuction(s->itemNumber) : nullptr;
    if (!a) return fail("No such snipe.");
    return record(snipeRecord(*a, s));
}

// The fields "m1" and "m2" share, checked against the auction and written to the snipe.
std::optional<std::string> storeSnipe(const Request& req, Store& store, const User& user,
                                      const Auction& a, Snipe& s) {
    const std::optional<int> group = idOf(field(req, "bidgroup_id"));
    const BidGroup* g = nullptr;
    for (const BidGroup& b : store.groups) {
        if (group && b.userId == user.userId && b.id == *group) g = &b;
    }
    if (!group || (*group != 0 && !g)) return "No such bid group.";
    const std::optional<int> paid = wholeIn(field(req, "paid"), 0, 1);
    const std::optional<int> received = wholeIn(field(req, "received"), 0, 1);
    const std::optional<int> friendly = wholeIn(field(req, "friendly"), 0, 1);
    if (!paid || !received || !friendly) return "Invalid flags.";
    s.paid = *paid != 0;
    s.received = *received != 0;
    if (a.closed) return std::nullopt; // an ended auction keeps its bid
    const std::optional<double> amount = amountOf(field(req, "bid_amount"));
    if (!amount || *amount <= 0) return "Invalid bid amount.";
    if (*amount < a.minBid || (a.maxBid > 0 && *amount > a.maxBid)) return "Bid out of range.";
    const std::optional<int> qty = wholeIn(field(req, "qty"), 1, a.maxQty > 0 ? a.maxQty : 999);
    if (!qty) return "Invalid quantity.";
    const std::optional<int> delay = wholeIn(field(req, "delay"), 1, 216000);
    if (!delay) return "Invalid time.";
    s.maxBid = *amount;
    s.qty = *qty;
    s.delaySeconds = *delay;
    s.friendly = *friendly != 0;
    s.bidGroupId = *group;
    s.bidGroup = g ? g->name : "";
    return std::nullopt;
}

// "m1": a new snipe on an open auction of the catalogue.
Reply m1(const Request& req, Store& store, const Context&) {
    User* user = accountUser(req, store);
    if (!user) return fail("Invalid user id or password.");
    const Auction* a = store.findAuction(field(req, "auction_id"));
    if (!a) return fail("No such auction.");
    if (a->closed) return fail("This auction has ended.");
    if (field(req, "auction_house_id") != std::to_string(a->houseId))
        return fail("Wrong auction house.");
    Snipe s;
    s.userId = user->userId;
    s.bidId = store.nextBidId++;
    s.itemNumber = a->auctionId;
    s.title = a->title;
    s.seller = a->seller;
    s.endsAt = a->endsAt;
    s.houseId = a->houseId;
    if (const auto error = storeSnipe(req, store, *user, *a, s)) return fail(*error);
    store.snipes.push_back(s);
    return ok();
}

// "m2": changes one of the user's snipes.
Reply m2(const Request& req, Store& store, const Context&) {
    User* user = accountUser(req, store);
    if (!user) return fail("Invalid user id or password.");
    const std::optional<int> id = idOf(field(req, "bid_id"));
    Snipe* s = id ? store.findSnipe(user->userId, *id) : nullptr;
    const Auction* a = s ? store.findAuction(s->itemNumber) : nullptr;
    if (!a) return fail("No such snipe.");
    if (const auto error = storeSnipe(req, store, *user, *a, *s)) return fail(*error);
    return ok();
}

// One line per bid group of the user's: its id, TAB, its name.
Reply getbidgroups(const Request& req, Store& store, const Context&) {
    User* user = accountUser(req, store);
    if (!user) return text("");
    std::string body;
    for (const BidGroup& g : store.groups) {
        if (g.userId == user->userId) body += std::to_string(g.id) + "\t" + g.name + "\n";
    }
    return text(body);
}

// A new bid group; its id is the reply's return.
Reply addbidgroup(const Request& req, Store& store, const Context&) {
    User* user = accountUser(req, store);
    if (!user) return fail("Invalid user id or password.");
    const std::string name = field(req, "bidgroup_name");
    if (name.empty()) return fail("A bid group needs a name.");
    for (const BidGroup& g : store.groups) {
        if (g.userId == user->userId && kv::text::equalsNoCase(g.name, name))
            return fail("You already have a bid group of that name.");
    }
    const int id = store.nextGroupId++;
    store.groups.push_back({user->userId, id, name});
    return record({{"return", std::to_string(id)}, {"message", ""}});
}

// "getoptions": the user's account options.
Reply getoptions(const Request& req, Store& store, const Context&) {
    User* user = accountUser(req, store);
    if (!user) return fail("Invalid user id or password.");
    const AccountOptions& o = store.optionsOf(user->userId);
    return record({{"return", "1"},
                   {"message", ""},
                   {"default_offset", std::to_string(o.defaultOffset)},
                   {"friendly_pct", std::to_string(o.friendlyPct)},
                   {"friendly_offset", std::to_string(o.friendlyOffset)},
                   {"feedback1", o.feedback[0]},
                   {"feedback2", o.feedback[1]},
                   {"feedback3", o.feedback[2]},
                   {"feedback4", o.feedback[3]}});
}

// "setoptions": changes them all, or none when one is out of range.
Reply setoptions(const Request& req, Store& store, const Context&) {
    User* user = accountUser(req, store);
    if (!user) return fail("Invalid user id or password.");
    const std::optional<int> offset = wholeIn(field(req, "friendly_offset"), 0, 5);
    const std::optional<int> pct = wholeIn(field(req, "friendly_pct"), 0, 30);
    const std::optional<int> delay = wholeIn(field(req, "default_offset"), 1, 216000);
    if (!offset || !pct) return fail("Invalid friendly bidding limits.");
    if (!delay) return fail("Invalid time.");
    std::string feedback[4];
    for (int i = 0; i < 4; ++i) {
        feedback[i] = field(req, "feedback" + std::to_string(i + 1));
        if (feedback[i].size() > 80) return fail("A feedback message is too long.");
    }
    AccountOptions& o = store.optionsOf(user->userId);
    o.friendlyOffset = *offset;
    o.friendlyPct = *pct;
    o.defaultOffset = *delay;
    for (int i = 0; i < 4; ++i)
        o.feedback[i] = feedback[i];
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
        {"g1", {&g1, {{"auction_id", "auction_house_id"}}}},
        {"g2", {&g2, {{"bid_id"}}}},
        {"m1",
         {&m1,
          {{"auction_id", "auction_house_id", "bid_amount", "qty", "delay", "friendly", "paid",
            "received", "bidgroup_id"}}}},
        {"m2",
         {&m2,
          {{"bid_id", "bid_amount", "qty", "delay", "friendly", "paid", "received",
            "bidgroup_id"}}}},
        {"getbidgroups", {&getbidgroups, {none}}},
        {"addbidgroup", {&addbidgroup, {{"bidgroup_name"}}}},
        {"getoptions", {&getoptions, {none}}},
        {"setoptions",
         {&setoptions,
          {{"friendly_offset", "friendly_pct", "default_offset", "feedback1", "feedback2",
            "feedback3", "feedback4"}}}},
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
