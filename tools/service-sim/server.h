#pragma once
// The stand-in service: an HTTP server on loopback that answers "/tx.cgi" in the client's
// wire format from an in-memory store, with switches for the awkward cases. It refuses a
// request the client would not send (wire.h, commands.h) with a failure reply, and a
// failure it answers leaves its store as it was. "/code.bmp?t=TOKEN" is the picture of the
// security code that the login reply's token stands for.

#include "tools/service-sim/store.h"
#include "tools/service-sim/wire.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kv::servicesim {

struct Switches {
    bool refuseLogin = false; // every login refused with refuseMessage
    std::string refuseMessage = "Your account is suspended.";
    std::string failMessage;        // non-empty: every record command fails with it
    std::string failCommand;        // this one command fails, the store untouched, with...
    std::string failCommandMessage; // ...this message (empty: a reply without message),
    Fields failCommandFields;       // ...or, when not empty, exactly these fields
    std::string listCommand;        // non-empty: listBody answers only this list command
    bool garbage = false;           // answer text that is no cipher text
    std::string listBody;           // non-empty: every list command answers with this text
    int slowMs = 0;                 // wait this long before answering
    bool closeEarly = false;        // send half the body, then drop the connection
    bool repeatKeys = false;        // each record field twice: first empty, then its value
    bool status500 = false;         // HTTP status 500, the body as always
    int paceMs = 0;                 // the body in small pieces, this long apart
    bool printRequests = false;     // print each deciphered request on standard output
};

class Server {
public:
    explicit Server(Store store = seededStore());
    ~Server();
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    // Listens on 127.0.0.1 (port 0: a free one) and answers from a thread of its own;
    // returns the port, or -1 when it cannot listen.
    int start(int port = 0);
    void stop();
    // "http://127.0.0.1:port".
    std::string baseUrl() const;

    void setSwitches(const Switches& switches);
    // Runs f on the store under the server's lock.
    void withStore(const std::function<void(Store&)>& f);
    // Every request's deciphered query text, in arrival order.
    std::vector<std::string> requests() const;
    void clearRequests();
    // Why each refused request was refused (also written to standard error), in order.
    std::vector<std::string> refusals() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace kv::servicesim
