#include "client/app/service_pages.h"

#include "client/service/service_address.h"
#include "platform/net/http.h"

namespace kv::app {

std::optional<kv::ui::WebPage> ServicePages::fetchPage(const std::string& url) {
    const std::string base = kv::service::serviceUrl() + "/";
    if (url.compare(0, base.size(), base) != 0) return std::nullopt;
    auto session = kv::net::openSession("Kestrovane");
    auto request = kv::net::openUrl(*session, url, kv::net::kFlagReload);
    std::string html;
    char buffer[4096];
    std::size_t n = 0;
    bool whole = true;
    while ((whole = kv::net::read(*request, buffer, sizeof buffer, n)) && n > 0)
        html.append(buffer, n);
    // A page cut short is no page.
    if (!whole || html.empty()) return std::nullopt;
    std::string title;
    const std::size_t open = html.find("<title>");
    const std::size_t close = html.find("</title>");
    if (open != std::string::npos && close != std::string::npos && close > open)
        title = html.substr(open + 7, close - open - 7);
    return kv::ui::WebPage{url, title, html};
}

} // namespace kv::app
