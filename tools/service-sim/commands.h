#pragma once
// The service's commands: one function per command, found by name in one table. A new
// command is a function and a line in the table (commands.cpp).

#include "tools/service-sim/store.h"
#include "tools/service-sim/wire.h"

#include <ctime>
#include <string>

namespace kv::servicesim {

// What a command answers: an enciphered record, or plain text (a list or a page).
struct Reply {
    enum class Kind { Record, Text, Html };
    Kind kind = Kind::Record;
    Fields fields;    // Record
    std::string body; // Text, Html
};

struct Context {
    std::string baseUrl; // "http://127.0.0.1:port", for addresses in replies
    std::time_t now = 0; // the time of the request, for the auctions' time left
};

using Command = Reply (*)(const Request&, Store&, const Context&);

// The command of that name, or null.
Command findCommand(const std::string& cmd);

// Whether the request carries the command's own fields, and only those, in the order the
// client sends them; says why not in error. An unknown command passes (it is answered as
// unknown).
bool fieldsInOrder(const Request& req, std::string& error);

// Whether the request's account (user id and password) belongs to a user of the store.
User* accountUser(const Request& req, Store& store);

} // namespace kv::servicesim
