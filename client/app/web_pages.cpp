#include "client/app/web_pages.h"

#include "client/protocol/base64.h"
#include "client/service/pump.h"
#include "platform/net/http.h"
#include "platform/ui/picture.h"

#include <cctype>
#include <string>

namespace kv::app {

namespace {

// The media type of an encoded picture, from its first bytes.
std::string pictureType(std::string_view bytes) {
    if (bytes.starts_with("BM")) return "image/bmp";
    if (bytes.starts_with("GIF8")) return "image/gif";
    if (bytes.starts_with("\x89PNG")) return "image/png";
    return "image/jpeg";
}

// The text of the page's title element; tag names are read in any case, and the opening
// tag may carry attributes. Empty when the page has no whole title element.
std::string pageTitle(const std::string& html) {
    std::string lower = html;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (std::size_t open = lower.find("<title"); open != std::string::npos;
         open = lower.find("<title", open + 1)) {
        const char after = open + 6 < lower.size() ? lower[open + 6] : '\0';
        if (after != '>' && after != ' ' && after != '\t' && after != '\r' && after != '\n')
            continue;
        const std::size_t start = lower.find('>', open);
        if (start == std::string::npos) return {};
        const std::size_t close = lower.find("</title", start);
        if (close == std::string::npos) return {};
        return html.substr(start + 1, close - start - 1);
    }
    return {};
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
    return kv::ui::WebPage{url, pageTitle(html), html};
}

} // namespace kv::app
