#pragma once
// Addresses of the auction site's own pages that the browser panes open, and the site's
// hosts, all in one place.

#include <string>
#include <string_view>

namespace kv::app {

// The hosts of the item pages, of the site's other pages (advanced search) and of its
// search results.
inline constexpr std::string_view kItemPageHost = "http://cgi.ebay.com";
inline constexpr std::string_view kPagesHost = "http://pages.ebay.com";
inline constexpr std::string_view kSearchResultsHost = "http://search.ebay.com";
// The main site's domain: an address holding it (case-sensitive) is the auction site's.
inline constexpr std::string_view kMainSiteDomain = "ebay.com";

// The item page of an auction.
std::string itemPageUrl(std::string_view itemNumber);
// The search server's results for the text (encoded twice, as query2 and query), before any
// search preference is appended.
std::string searchResultsUrl(std::string_view searchText);
// The site's advanced search page.
std::string advancedSearchUrl();

} // namespace kv::app
