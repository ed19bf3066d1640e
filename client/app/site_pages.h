#pragma once
// Addresses of the auction site's own pages that the browser panes open.

#include <string>
#include <string_view>

namespace kv::app {

// The item page of an auction.
std::string itemPageUrl(std::string_view itemNumber);

} // namespace kv::app
