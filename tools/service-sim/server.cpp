#include "tools/service-sim/server.h"

#include "tools/service-sim/code_picture.h"
#include "tools/service-sim/commands.h"
#include "tools/service-sim/wire.h"

#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <memory>
#include <mutex>
#include <thread>

namespace kv::servicesim {

namespace {

bool succeeded(const Reply& reply) {
    for (const auto& [key, value] : reply.fields) {
        if (key == "return") return value != "0";
    }
    return false;
}

// The record's plain text with every field sent twice, first with an empty value: the
// client keeps each key's first place and last value.
Fields repeated(const Fields& fields) {
    Fields out;
    for (const auto& [key, value] : fields)
        out.emplace_back(key, "");
    out.insert(out.end(), fields.begin(), fields.end());
    return out;
}

} // namespace

struct Server::Impl {
    httplib::Server http;
    std::thread thread;
    int port = -1;
    mutable std::mutex mutex;
    Store store;
    Switches switches;
    std::vector<std::string> log;
    std::vector<std::string> refused;

    // Runs the request's command. A failure, the command's own or one a switch makes,
    // leaves the store as it was: the command works on a copy kept only on success.
    Reply run(const Request& req, const Switches& sw) {
        if (!sw.failCommand.empty() && req.cmd == sw.failCommand) {
            Reply reply;
            reply.fields = {{"return", "0"}};
            if (!sw.failCommandFields.empty())
                reply.fields = sw.failCommandFields;
            else if (!sw.failCommandMessage.empty())
                reply.fields.emplace_back("message", sw.failCommandMessage);
            return reply;
        }
        const Command command = findCommand(req.cmd);
        if (!command) {
            Reply reply;
            reply.fields = {{"return", "0"}, {"message", "Unknown command " + req.cmd}};
            return reply;
        }
        Store scratch = store;
        Reply reply = command(req, scratch, Context{baseUrlLocked(), std::time(nullptr)});
        if (reply.kind != Reply::Kind::Record) {
            store = std::move(scratch);
            return reply;
        }
        if (sw.refuseLogin && req.cmd == "login") {
            reply.fields = {{"return", "0"}, {"message", sw.refuseMessage}};
        } else if (!sw.failMessage.empty()) {
            reply.fields = {{"return", "0"}, {"message", sw.failMessage}};
        }
        if (succeeded(reply)) store = std::move(scratch);
        return reply;
    }

    void answer(const httplib::Request& hreq, httplib::Response& res) {
        const std::size_t q = hreq.target.find('?');
        const std::string raw = q == std::string::npos ? "" : hreq.target.substr(q + 1);
        std::string error;
        std::optional<Request> req = readRequest(raw, error);
        if (req && req->enciphered && !fieldsInOrder(*req, error)) req.reset();
        Switches sw;
        Reply reply;
        {
            std::lock_guard<std::mutex> lock(mutex);
            sw = switches;
            if (!req) {
                // Refused: said on standard error, kept for tests, answered with a failure.
                refused.push_back(error);
                std::fprintf(stderr, "service-sim: refused request (%s): %s\n", error.c_str(),
                             raw.c_str());
                res.status = 400;
                res.set_content(recordBody({{"return", "0"}, {"message", "Bad request: " + error}}),
                                "text/plain");
                return;
            }
            log.push_back(req->query);
            if (sw.printRequests) std::printf("%s\n", req->query.c_str());
            reply = run(*req, sw);
        }
        if (sw.printRequests) std::fflush(stdout);
        if (reply.kind == Reply::Kind::Text && !sw.listBody.empty() &&
            (sw.listCommand.empty() || sw.listCommand == req->cmd))
            reply.body = sw.listBody;
        std::string body = reply.kind == Reply::Kind::Record
                               ? recordBody(sw.repeatKeys ? repeated(reply.fields) : reply.fields)
                               : reply.body;
        if (sw.garbage) body = "<html><body>Service temporarily unavailable</body></html>";
        if (sw.slowMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(sw.slowMs));
        if (sw.status500) res.status = 500;
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
        if (sw.paceMs > 0) {
            // A few bytes at a time, each piece its own write with a pause before it.
            const int pause = sw.paceMs;
            res.set_content_provider(
                body.size(), type,
                [body, pause](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(pause));
                    const std::size_t n = std::min<std::size_t>(7, body.size() - offset);
                    return sink.write(body.data() + offset, n);
                });
            return;
        }
        res.set_content(body, type);
    }

    // The security-code picture of the user whose login token is token; empty when none.
    std::string codePictureFor(const std::string& token) {
        std::lock_guard<std::mutex> lock(mutex);
        for (const User& u : store.users) {
            if (!u.securityCode.empty() && "TK-" + u.userId == token)
                return codePicture(u.securityCode);
        }
        return {};
    }

    std::string baseUrlLocked() const { return "http://127.0.0.1:" + std::to_string(port); }
};

Server::Server(Store store) : impl_(std::make_unique<Impl>()) {
    impl_->store = std::move(store);
    impl_->http.Get("/tx.cgi", [this](const httplib::Request& req, httplib::Response& res) {
        impl_->answer(req, res);
    });
    impl_->http.Get("/code.bmp", [this](const httplib::Request& req, httplib::Response& res) {
        const std::string picture = impl_->codePictureFor(req.get_param_value("t"));
        if (picture.empty()) {
            res.status = 404;
            res.set_content("No such security code", "text/plain");
            return;
        }
        res.set_content(picture, "image/bmp");
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

std::vector<std::string> Server::refusals() const {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    return impl_->refused;
}

} // namespace kv::servicesim
