#pragma once
// The marketplace sites a browser home can be set to, each with its home page address.

#include <span>
#include <string>
#include <string_view>

namespace kv::app {

struct SiteHome {
    std::string_view name; // as the options dialog lists it
    std::string_view url;  // the site's home page
};

// The main (United States) site's name: the first entry and the default browser home.
inline constexpr std::string_view kMainSiteName = "eBay United States";

// Every site, the main site first, then the others in the options dialog's order.
std::span<const SiteHome> siteHomeTable();
// The home page of the named site (exact, case-sensitive name); the main site's home page
// for any name not in the table.
std::string homeUrlFor(std::string_view siteName);

} // namespace kv::app
