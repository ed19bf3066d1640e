#include "client/app/web_pages.h"

#include "client/protocol/base64.h"
#include "client/service/pump.h"
#include "platform/net/http.h"
#include "platform/ui/picture.h"

namespace kv::app {

namespace {

// The media type of an encoded picture, from its first bytes.
std::string pictureType(std::string_view bytes) {
    if (bytes.starts_with("BM")) return "image/bmp";
    if (bytes.starts_with("GIF8")) return "image/gif";
    if (bytes.starts_with("\x89PNG")) return "image/png";
    return "image/jpeg";
}

} // namespace

std::optional<kv::ui::WebPage> WebPages::fetchPage(const std::string& url) {
    if (!url.starts_with("http://") && !url.starts_with("https://")) return std::nullopt;
    auto session = kv::net::openSession("Kestrovane");
    auto request = kv::net::openUrl(*session, url, kv::net::kFlagReload);
    kv::net::whileWaiting(*request, [] { kv::service::repaintWindows(); });
    std::string html;
    char buffer[4096];
    std::size_t n = 0;
    bool whole = true;
    while ((whole = kv::net::read(*request, buffer, sizeof buffer, n)) && n > 0)
        html.append(buffer, n);
    // A page cut short is no page.
    if (!whole || html.empty()) return std::nullopt;
    // A picture (the security code's) is shown as one, alone on its page.
    if (const auto picture = kv::ui::decodePicture(html, url)) {
        return kv::ui::WebPage{
            url,
            {},
            "<html><body style=\"margin:0\"><img src=\"data:" + pictureType(html) + ";base64," +
                kv::protocol::Base64Encode(html) + "\" width=\"" + std::to_string(picture->width) +
                "\" height=\"" + std::to_string(picture->height) + "\"></body></html>"};
    }
    std::string title;
    const std::size_t open = html.find("<title>");
    const std::size_t close = html.find("</title>");
    if (open != std::string::npos && close != std::string::npos && close > open)
        title = html.substr(open + 7, close - open - 7);
    return kv::ui::WebPage{url, title, html};
}

} // namespace kv::app
