#include "client/service/web.h"

#include "client/service/pump.h"
#include "platform/net/http.h"

namespace kv::service {

std::optional<std::string> httpFetch(std::string_view Url) {
    auto session = kv::net::openSession("Kestrovane");
    auto request = kv::net::openUrl(*session, Url, kv::net::kFlagReload);
    kv::net::whileWaiting(*request, [] { repaintWindows(); });
    std::string body;
    char buffer[2048];
    bool whole = true;
    for (;;) {
        pumpMessages();
        std::size_t got = 0;
        whole = kv::net::read(*request, buffer, sizeof buffer, got);
        pumpMessages();
        body.append(buffer, got);
        pumpMessages();
        if (got == 0) break;
    }
    if (request) kv::net::close(request);
    if (session) kv::net::close(session);
    if (!whole) return std::nullopt;
    return body;
}

std::string httpGet(std::string_view Url) {
    return httpFetch(Url).value_or(std::string());
}

} // namespace kv::service
