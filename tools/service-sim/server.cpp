#include "tools/service-sim/server.h"

#include "tools/service-sim/commands.h"
#include "tools/service-sim/wire.h"

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <mutex>
#include <thread>

namespace kv::servicesim {

namespace {

// A one-pixel GIF standing for the security-code picture.
const unsigned char kCodeImage[] = {
    0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00, 0x00, 0x00, 0x00,
    0x00, 0xff, 0xff, 0xff, 0x21, 0xf9, 0x04, 0x01, 0x00, 0x00, 0x00, 0x00, 0x2c, 0x00, 0x00,
    0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3b};

} // namespace

struct Server::Impl {
    httplib::Server http;
    std::thread thread;
    int port = -1;
    mutable std::mutex mutex;
    Store store;
    Switches switches;
    std::vector<std::string> log;

    void answer(const httplib::Request& hreq, httplib::Response& res) {
        const std::size_t q = hreq.target.find('?');
        const std::string raw = q == std::string::npos ? "" : hreq.target.substr(q + 1);
        std::string error;
        const std::optional<Request> req = readRequest(raw, error);
        Switches sw;
        Reply reply;
        {
            std::lock_guard<std::mutex> lock(mutex);
            sw = switches;
            if (req) log.push_back(req->query);
            if (req && sw.printRequests) std::printf("%s\n", req->query.c_str());
            if (!req) {
                res.status = 400;
                res.set_content("Bad request: " + error, "text/plain");
                return;
            }
            const Command command = findCommand(req->cmd);
            if (!sw.failCommand.empty() && req->cmd == sw.failCommand) {
                reply.fields = {{"return", "0"}};
                if (!sw.failCommandMessage.empty())
                    reply.fields.emplace_back("message", sw.failCommandMessage);
            } else if (!command) {
                reply.fields = {{"return", "0"}, {"message", "Unknown command " + req->cmd}};
            } else {
                reply = command(*req, store, Context{baseUrlLocked()});
            }
        }
        if (sw.printRequests) std::fflush(stdout);
        if (reply.kind == Reply::Kind::Record) {
            if (sw.refuseLogin && req->cmd == "login") {
                reply.fields = {{"return", "0"}, {"message", sw.refuseMessage}};
            } else if (!sw.failMessage.empty()) {
                reply.fields = {{"return", "0"}, {"message", sw.failMessage}};
            }
        }
        if (reply.kind == Reply::Kind::Text && !sw.listBody.empty()) reply.body = sw.listBody;
        std::string body =
            reply.kind == Reply::Kind::Record ? recordBody(reply.fields) : reply.body;
        if (sw.garbage) body = "<html><body>Service temporarily unavailable</body></html>";
        if (sw.slowMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(sw.slowMs));
        const char* type = reply.kind == Reply::Kind::Html ? "text/html" : "text/plain";
        if (sw.closeEarly) {
            const std::string half = body.substr(0, body.size() / 2);
            res.set_content_provider(
                body.size() + 1, type,
                [half](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                    if (offset > 0 || half.empty()) return false;
                    sink.write(half.data(), half.size());
                    return true;
                });
            return;
        }
        res.set_content(body, type);
    }

    std::string baseUrlLocked() const { return "http://127.0.0.1:" + std::to_string(port); }
};

Server::Server(Store store) : impl_(std::make_unique<Impl>()) {
    impl_->store = std::move(store);
    impl_->http.Get("/tx.cgi", [this](const httplib::Request& req, httplib::Response& res) {
        impl_->answer(req, res);
    });
    impl_->http.Get("/code.gif", [](const httplib::Request&, httplib::Response& res) {
        res.set_content(std::string(reinterpret_cast<const char*>(kCodeImage), sizeof kCodeImage),
                        "image/gif");
    });
}

Server::~Server() {
    stop();
}

int Server::start(int port) {
    if (impl_->thread.joinable()) return impl_->port;
    const int bound = port == 0 ? impl_->http.bind_to_any_port("127.0.0.1")
                                : (impl_->http.bind_to_port("127.0.0.1", port) ? port : -1);
    if (bound < 0) return -1;
    {
        std::lock_guard<std::mutex> lock(impl_->mutex);
        impl_->port = bound;
    }
    auto loopEnded = std::make_shared<std::atomic<bool>>(false);
    impl_->thread = std::thread([this, loopEnded] {
        impl_->http.listen_after_bind();
        *loopEnded = true;
    });
    // stop() only ends a loop that runs: wait for it to start, unless it ended at once.
    while (!impl_->http.is_running() && !*loopEnded)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (!impl_->http.is_running()) {
        impl_->thread.join();
        return -1;
    }
    return bound;
}

void Server::stop() {
    if (!impl_->thread.joinable()) return;
    impl_->http.stop();
    impl_->thread.join();
}

std::string Server::baseUrl() const {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    return impl_->baseUrlLocked();
}

void Server::setSwitches(const Switches& switches) {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    impl_->switches = switches;
}

void Server::withStore(const std::function<void(Store&)>& f) {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    f(impl_->store);
}

std::vector<std::string> Server::requests() const {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    return impl_->log;
}

void Server::clearRequests() {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    impl_->log.clear();
}

} // namespace kv::servicesim
