#include "client/app/site_pages.h"

namespace kv::app {

std::string itemPageUrl(std::string_view itemNumber) {
    std::string url(kItemPageHost);
    url += "/ws/eBayISAPI.dll?ViewItem&item=";
    url += itemNumber;
    return url;
}

std::string advancedSearchUrl() {
    return std::string(kPagesHost) + "/search/items/search_adv.html";
}

} // namespace kv::app
