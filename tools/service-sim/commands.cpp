#include "tools/service-sim/commands.h"

#include <algorithm>
#include <cstdio>
#include <map>

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
                           {"image", ctx.baseUrl + "/code.gif?t=" + token},
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
Reply textdump(const Request& req, Store& store, const Context&) {
    Reply out{Reply::Kind::Text, {}, {}};
    User* user = accountUser(req, store);
    if (!user) return out;
    const int status = std::atoi(field(req, "status_id").c_str());
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
        const std::string left = std::to_string(s->timeLeftSeconds / 3600) + "h " +
                                 std::to_string(s->timeLeftSeconds % 3600 / 60) + "m";
        const std::string cells[] = {std::to_string(s->bidId) + "|" + s->itemNumber,
                                     s->title,
                                     money(s->maxBid),
                                     money(s->price),
                                     s->seller,
                                     s->ends,
                                     left,
                                     std::to_string(s->delaySeconds) + " secs",
                                     s->paid ? "Paid" : "",
                                     s->received ? "Received" : "",
                                     std::to_string(s->timeLeftSeconds),
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

const std::map<std::string, Command>& table() {
    static const std::map<std::string, Command> commands = {
        {"login", &login}, {"diagnose", &diagnose}, {"news", &news},         {"terms", &terms},
        {"help", &help},   {"privacy", &privacy},   {"textdump", &textdump},
    };
    return commands;
}

} // namespace

Command findCommand(const std::string& cmd) {
    const auto it = table().find(cmd);
    return it == table().end() ? nullptr : it->second;
}

User* accountUser(const Request& req, Store& store) {
    User* user = store.findUser(req.userId);
    if (!user || req.plp != user->password) return nullptr;
    return user;
}

} // namespace kv::servicesim
