#include "client/app/service_pages.h"

#include "client/service/pump.h"
#include "client/service/service_address.h"
#include "platform/net/http.h"

namespace kv::app {

std::optional<kv::ui::WebPage> ServicePages::fetchPage(const std::string& url) {
    const std::string base = kv::service::serviceUrl() + "/";
    if (url.compare(0, base.size(), base) != 0) return std::nullopt;
    auto session = kv::net::openSession("Kestrovane");
    auto request = kv::net::openUrl(*session, url, kv::net::kFlagReload);
    kv::net::whileWaiting(*request, [] { kv::service::repaintWindows(); });
    std::string html;
    char buffer[4096];
    while (std::size_t n = kv::net::read(*request, buffer, sizeof buffer))
        html.append(buffer, n);
    if (html.empty()) return std::nullopt;
    std::string title;
    const std::size_t open = html.find("<title>");
    const std::size_t close = html.find("</title>");
    if (open != std::string::npos && close != std::string::npos && close > open)
        title = html.substr(open + 7, close - open - 7);
    return kv::ui::WebPage{url, title, html};
}

} // namespace kv::app
