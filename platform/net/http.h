#pragma once
// HTTP GET the way the client's platform offered it: a session opened with an agent name, a
// URL opened with flags, the body read up to n bytes at a time, the handles closed.
// Failures are never raised: a host that cannot be reached, a refused connection or a body
// that breaks off ends the body, and the read that meets the end says it failed.

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace kv::net {

// openUrl flag: fetch from the server, never from a cache.
inline constexpr unsigned kFlagReload = 0x80000000u;

// An open session: the agent name sent with every request; the proxy is the one the
// environment configures (http_proxy, https_proxy, all_proxy, no_proxy).
class Session {
public:
    explicit Session(std::string agent) : agent_(std::move(agent)) {}
    const std::string& agent() const { return agent_; }

private:
    std::string agent_;
};

// One URL being fetched; its destructor closes the connection.
class Request {
public:
    struct Impl;
    explicit Request(std::unique_ptr<Impl> impl);
    ~Request();
    Request(const Request&) = delete;
    Request& operator=(const Request&) = delete;
    Impl& impl() { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};

// Opens a session; never null.
std::unique_ptr<Session> openSession(std::string_view agent);

// Starts a GET of url in the session; never null. A URL that cannot be fetched reads as an
// empty body. The HTTP status is not examined: an error page is a body like any other.
std::unique_ptr<Request> openUrl(Session& session, std::string_view url, unsigned flags = 0);

// Waits until n bytes of the body have arrived or the body has ended, copies them into
// buffer and sets count to their number; 0 once the body has ended. Returns false when the
// body did not arrive whole: the URL could not be fetched, the connection closed before the
// announced length or a chunked body's end, or no byte came within the receive time-out.
// The bytes that did arrive are still handed out first.
bool read(Request& request, char* buffer, std::size_t n, std::size_t& count);

// Calls `waiting` about every 50 ms while read() waits for the connection or for data, so
// the caller can keep its windows drawn; nothing else happens during the wait.
void whileWaiting(Request& request, std::function<void()> waiting);

// Closes the handle (each only when not null).
void close(std::unique_ptr<Request>& request);
void close(std::unique_ptr<Session>& session);

// Time-outs of every request opened after the change.
struct Timeouts {
    long connectMs;      // establishing the connection
    long receiveSeconds; // no byte received for this long ends the body
};
// The defaults: the platform's own, 60 s to connect and 30 s without data.
Timeouts defaultTimeouts();
void setTimeouts(Timeouts timeouts);
// Drops the library's process-wide state (the time-outs back to the defaults), for tests.
void resetForTests();

} // namespace kv::net
