// frmMain's search bar: searches of the marketplace shown in wb1, the favourite searches and
// the search preferences.

#include "client/app/banner.h"
#include "client/app/favorite_searches.h"
#include "client/app/frm_main.h"
#include "client/app/internal/command_support.h"
#include "client/app/numeric_text.h"
#include "client/app/options_command.h"
#include "client/app/settings_store.h"
#include "client/app/site_pages.h"
#include "client/protocol/url_encoding.h"
#include "platform/ui/application.h"
#include "platform/ui/design.h"
#include "platform/ui/message_box.h"

#include <string>

namespace kv::app {
namespace {

constexpr const char* kPrompt = "<Enter your eBay search here>";
constexpr const char* kNoSearchText = "Please enter your search text in the space provided.";
constexpr char kEnter = 13;

// The preferences a search appends, always in this order.
constexpr const char* kSearchPreferences[] = {
    "category0",  "SortProperty", "maxRecordsPerPage", "region",   "available_to",
    "located_in", "ebaycurr",     "minPrice",          "maxPrice", "pt",
};

// The prompt, or any text that starts like it, is no search.
bool isPrompt(const std::string& text) {
    return !text.empty() && text.front() == '<';
}

// The stored preference as the search server takes it; empty when it adds nothing.
std::string preferenceValue(const std::string& setting, const std::string& value) {
    static constexpr const char* kSortNames[] = {"MetaEndSort", "MetaNewSort",
                                                 "MetaLowestPriceSort", "MetaHighestPriceSort"};
    if (setting == "SortProperty" && value.size() == 1 && value[0] >= '0' && value[0] <= '3')
        return kSortNames[value[0] - '0'];
    if ((setting == "ebaycurr" || setting == "category0") && value == "0") return {};
    return value;
}

} // namespace

void frmMain::applySearchBarDesign() {
    using namespace kv::ui;
    // Inside the bar, in twips: the label, the box, then the three buttons side by side.
    applyDesign({
        {.widget = &cboSearch,
         .parent = &searchBar,
         .geometry = {700, 45, 3000, 315},
         .text = kPrompt},
        {.widget = &lblSearch,
         .parent = &searchBar,
         .caption = "Search:",
         .geometry = {60, 90, 620, 255}},
        {.widget = &cmdSearch, .parent = &searchBar, .geometry = {3760, 23, 375, 360}},
        {.widget = &cmdFavoriteSearches, .parent = &searchBar, .geometry = {4175, 23, 375, 360}},
        {.widget = &cmdSearchPrefs, .parent = &searchBar, .geometry = {4590, 23, 375, 360}},
    });
    cmdSearch.setToolTip("Search for an auction");
    cmdSearch.setPicture(searchButtonPicture(SearchButton::Search));
    cmdFavoriteSearches.setToolTip("Add to favorite searches");
    cmdFavoriteSearches.setPicture(searchButtonPicture(SearchButton::AddFavorite));
    cmdSearchPrefs.setToolTip("Change search preferences");
    cmdSearchPrefs.setPicture(searchButtonPicture(SearchButton::Preferences));
}

void frmMain::AppendSetting(std::string& uri, const std::string& setting) {
    const std::string value = preferenceValue(setting, getSetting(setting, ""));
    if (value.empty()) return;
    uri += "&" + setting + "=" + kv::protocol::urlEncode(value, false);
    // The motors category lives on the motors site.
    if (setting == "category0" && value == "6000") uri += "&siteID=100";
}

void frmMain::cboSearch_GotFocus() {
    if (isPrompt(cboSearch.text())) cboSearch.setText("");
}

void frmMain::cboSearch_KeyPress(int& keyAscii) {
    if (keyAscii == kEnter) cmdSearch_Click();
}

void frmMain::cboSearch_Click() {
    // The row chosen is the box's text now.
    cmdSearch_Click();
}

void frmMain::cboSearch_Change() {}

bool frmMain::haveSearchText() {
    const std::string& text = cboSearch.text();
    if (!text.empty() && !isPrompt(text)) return true;
    kv::ui::app().messageBox(kNoSearchText, kv::ui::mb::OkOnly | kv::ui::mb::IconExclamation,
                             std::string(kProgramTitle));
    cboSearch.setFocus();
    return false;
}

void frmMain::cmdSearch_Click() {
    if (!haveSearchText()) return;
    internal::WaitCursor wait(true);
    const std::string text = cboSearch.text();
    std::string url;
    if (isNumeric(text)) {
        url = itemPageUrl(text);
    } else {
        url = searchResultsUrl(text);
        for (const char* setting : kSearchPreferences)
            AppendSetting(url, setting);
    }
    wb1.navigate(url);
    wbShow(wb1, true);
}

void frmMain::cmdFavoriteSearches_Click() {
    if (!haveSearchText()) return;
    for (int n = kFavoriteSearchCount - 1; n >= 1; --n)
        saveSetting("Fav" + std::to_string(n + 1), getSetting("Fav" + std::to_string(n), ""));
    saveSetting("Fav1", cboSearch.text());
    GetFavoriteSearches();
}

void frmMain::cmdSearchPrefs_Click() {
    // Stored first, so that getSettings puts back the window as it is now.
    SaveWindowSettings();
    editOptions(3);
    getSettings();
}

} // namespace kv::app
