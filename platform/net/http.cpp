#include "platform/net/http.h"

#include "platform/cookies/cookie_jar.h"
#include "platform/system/machine.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <mutex>

namespace kv::net {

namespace {

// The platform's defaults: 60 seconds to connect; a receive that waits 30 seconds for a
// byte gives up. There is no limit on the whole transfer.
constexpr Timeouts kDefaultTimeouts{60000, 30};

std::mutex timeoutsMutex;
Timeouts currentTimeouts = kDefaultTimeouts;

Timeouts timeoutsNow() {
    std::lock_guard<std::mutex> lock(timeoutsMutex);
    return currentTimeouts;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

// Hands the machine's cookies to the transfer, which sends those matching each address
// it requests (redirects included). Every one goes as a cookie of the session, so that
// one the jar keeps past its expiry is sent too.
void loadJar(CURL* easy) {
    for (cookies::Cookie c : cookies::allCookies()) {
        c.expires = 0;
        std::string line = cookies::formatJar({c});
        line = line.substr(line.find('\n') + 1); // the file's heading line
        while (!line.empty() && line.back() == '\n')
            line.pop_back();
        curl_easy_setopt(easy, CURLOPT_COOKIELIST, line.c_str());
    }
}

void initCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

} // namespace

// A transfer driven by curl's multi interface on the caller's thread: nothing runs between
// reads, so the caller decides what happens while the body is on its way.
struct Request::Impl {
    CURLM* multi = nullptr;
    CURL* easy = nullptr;
    curl_slist* headers = nullptr;
    std::string pending; // bytes received and not yet read
    std::size_t readPos = 0;
    bool done = false;
    bool failed = false;           // the transfer ended in an error
    std::function<void()> waiting; // called between short waits for the socket

    ~Impl() {
        if (multi && easy) curl_multi_remove_handle(multi, easy);
        if (easy) curl_easy_cleanup(easy);
        if (multi) curl_multi_cleanup(multi);
        if (headers) curl_slist_free_all(headers);
    }

    std::size_t available() const { return pending.size() - readPos; }

    static std::size_t onData(char* data, std::size_t size, std::size_t count, void* self) {
        auto* impl = static_cast<Impl*>(self);
        impl->pending.append(data, size * count);
        return size * count;
    }

    // A cookie the page sets goes into the machine's jar, for the address that set it.
    static std::size_t onHeader(char* data, std::size_t size, std::size_t count, void* self) {
        auto* impl = static_cast<Impl*>(self);
        std::string_view line(data, size * count);
        constexpr std::string_view kName = "set-cookie:";
        if (line.size() > kName.size() && equalsIgnoringCase(line.substr(0, kName.size()), kName)) {
            line.remove_prefix(kName.size());
            while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
                line.remove_suffix(1);
            while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
                line.remove_prefix(1);
            const char* url = nullptr;
            curl_easy_getinfo(impl->easy, CURLINFO_EFFECTIVE_URL, &url);
            if (url) cookies::storeResponseCookie(url, line);
        }
        return size * count;
    }

    // Lets curl move the transfer on, waiting up to waitMs for the socket.
    void step(int waitMs) {
        int running = 0;
        if (curl_multi_perform(multi, &running) != CURLM_OK) {
            done = failed = true;
            return;
        }
        int queued = 0;
        while (CURLMsg* msg = curl_multi_info_read(multi, &queued)) {
            if (msg->msg != CURLMSG_DONE) continue;
            done = true; // a short body (CURLE_PARTIAL_FILE), a time-out, a refusal: failed
            if (msg->data.result != CURLE_OK) failed = true;
        }
        if (running == 0) {
            done = true;
            return;
        }
        if (!done && waitMs > 0) curl_multi_poll(multi, nullptr, 0, waitMs, nullptr);
    }
};

Request::Request(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Request::~Request() = default;

std::unique_ptr<Session> openSession(std::string_view agent) {
    initCurlOnce();
    return std::make_unique<Session>(std::string(agent));
}

std::unique_ptr<Request> openUrl(Session& session, std::string_view url, unsigned flags) {
    initCurlOnce();
    auto impl = std::make_unique<Request::Impl>();
    impl->easy = curl_easy_init();
    impl->multi = curl_multi_init();
    if (!impl->easy || !impl->multi) {
        impl->done = impl->failed = true;
        return std::make_unique<Request>(std::move(impl));
    }
    const Timeouts timeouts = timeoutsNow();
    CURL* easy = impl->easy;
    const std::string address(url);
    curl_easy_setopt(easy, CURLOPT_URL, address.c_str());
    curl_easy_setopt(easy, CURLOPT_USERAGENT, session.agent().c_str());
    curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, timeouts.connectMs);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, timeouts.receiveSeconds);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Request::Impl::onData);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, impl.get());
    // The machine's cookies, when a machine is open: sent, and those set kept.
    if (machine::isOpen()) {
        curl_easy_setopt(easy, CURLOPT_COOKIEFILE, ""); // the engine on, no file read
        loadJar(easy);
        curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &Request::Impl::onHeader);
        curl_easy_setopt(easy, CURLOPT_HEADERDATA, impl.get());
    }
    if (flags & kFlagReload) {
        // No cache of our own exists; ask proxies on the way not to answer from theirs.
        impl->headers = curl_slist_append(impl->headers, "Cache-Control: no-cache");
        impl->headers = curl_slist_append(impl->headers, "Pragma: no-cache");
        curl_easy_setopt(easy, CURLOPT_HTTPHEADER, impl->headers);
    }
    if (curl_multi_add_handle(impl->multi, easy) != CURLM_OK) impl->done = impl->failed = true;
    return std::make_unique<Request>(std::move(impl));
}

bool read(Request& request, char* buffer, std::size_t n, std::size_t& count) {
    Request::Impl& impl = request.impl();
    count = 0;
    if (n == 0 || !buffer) return true;
    while (impl.available() < n && !impl.done) {
        impl.step(impl.waiting ? 50 : 1000);
        if (impl.waiting && impl.available() < n && !impl.done) impl.waiting();
    }
    count = std::min(n, impl.available());
    if (count > 0) std::memcpy(buffer, impl.pending.data() + impl.readPos, count);
    impl.readPos += count;
    if (impl.readPos == impl.pending.size()) {
        impl.pending.clear();
        impl.readPos = 0;
    }
    // What arrived is handed out before the failure is told.
    return count > 0 || !impl.failed;
}

void whileWaiting(Request& request, std::function<void()> waiting) {
    request.impl().waiting = std::move(waiting);
}

void close(std::unique_ptr<Request>& request) {
    request.reset();
}
void close(std::unique_ptr<Session>& session) {
    session.reset();
}

Timeouts defaultTimeouts() {
    return kDefaultTimeouts;
}

void setTimeouts(Timeouts timeouts) {
    std::lock_guard<std::mutex> lock(timeoutsMutex);
    currentTimeouts = timeouts;
}

void resetForTests() {
    setTimeouts(kDefaultTimeouts);
}

} // namespace kv::net
