#pragma once
// Addresses of the auction site's own pages that the browser panes open.

#include <string>
#include <string_view>

namespace kv::app {

// The item page of an auction.
std::string itemPageUrl(std::string_view itemNumber);
// The search server's results for the text (encoded twice, as query2 and query), before any
// search preference is appended.
std::string searchResultsUrl(std::string_view searchText);

} // namespace kv::app
