#include "client/service/web.h"

#include "client/service/pump.h"
#include "platform/net/http.h"

namespace kv::service {

std::string httpGet(std::string_view Url) {
    auto session = kv::net::openSession("Kestrovane");
    auto request = kv::net::openUrl(*session, Url, kv::net::kFlagReload);
    kv::net::whileWaiting(*request, [] { repaintWindows(); });
    std::string body;
    char buffer[2048];
    for (;;) {
        pumpMessages();
        const std::size_t got = kv::net::read(*request, buffer, sizeof buffer);
        pumpMessages();
        body.append(buffer, got);
        pumpMessages();
        if (got == 0) break;
    }
    if (request) kv::net::close(request);
    if (session) kv::net::close(session);
    return body;
}

} // namespace kv::service
