#include "client/app/site_pages.h"

namespace kv::app {
namespace {

constexpr std::string_view kItemPageHost = "http://cgi.ebay.com";

} // namespace

std::string itemPageUrl(std::string_view itemNumber) {
    std::string url(kItemPageHost);
    url += "/ws/eBayISAPI.dll?ViewItem&item=";
    url += itemNumber;
    return url;
}

} // namespace kv::app
