#include "client/app/site_home.h"

#include <array>

namespace kv::app {
namespace {

constexpr std::array<SiteHome, 22> kSites{{
    {kMainSiteName, "http://www.ebay.com/"},
    {"eBay Motors", "http://www.motors.ebay.com/"},
    {"eBay Argentina", "http://www.ebay.com.ar/"},
    {"eBay Australia", "http://www.ebay.com.au/"},
    {"eBay Austria", "http://www.ebay.at/"},
    {"eBay Belgium", "http://www.ebay.be/"},
    {"eBay Brazil", "http://www.ebay.com.br/"},
    {"eBay Canada", "http://www.ebay.ca/"},
    {"eBay France", "http://www.ebay.fr/"},
    {"eBay Germany", "http://www.ebay.de/"},
    {"eBay Ireland", "http://www.ebay.ie/"},
    {"eBay Italy", "http://www.ebay.it/"},
    {"eBay Korea", "http://www.ebay.co.kr/"},
    {"eBay Mexico", "http://www.ebay.com.mx/"},
    {"eBay Netherlands", "http://www.ebay.nl/"},
    {"eBay New Zealand", "http://www.ebay.co.nz/"},
    {"eBay Singapore", "http://www.ebay.com.sg/"},
    {"eBay Spain", "http://www.ebay.es/"},
    {"eBay Sweden", "http://www.ebay.se/"},
    {"eBay Switzerland", "http://www.ebay.ch/"},
    {"eBay Taiwan", "http://www.ebay.com.tw/"},
    {"eBay United Kingdom", "http://www.ebay.co.uk/"},
}};

} // namespace

std::span<const SiteHome> siteHomeTable() {
    return kSites;
}

std::string homeUrlFor(std::string_view siteName) {
    for (const SiteHome& site : kSites)
        if (site.name == siteName) return std::string(site.url);
    return std::string(kSites.front().url);
}

} // namespace kv::app
