#include "client/app/site_pages.h"

#include "client/protocol/url_encoding.h"

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

std::string searchResultsUrl(std::string_view searchText) {
    const std::string encoded = kv::protocol::urlEncode(searchText, false);
    std::string url(kSearchResultsHost);
    url += "/search/search.dll?MfcISAPICommand=GetResult&ht=1&query2=";
    url += encoded;
    url += "&query=";
    url += encoded;
    return url;
}

} // namespace kv::app
