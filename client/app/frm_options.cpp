#include "client/app/frm_options.h"

#include "client/app/banner.h"
#include "client/app/numeric_text.h"
#include "client/app/setting_conversions.h"
#include "client/app/settings_store.h"
#include "client/app/site_home.h"
#include "client/app/time_controls.h"
#include "platform/ui/application.h"
#include "platform/ui/design.h"
#include "platform/ui/message_box.h"

#include <array>
#include <optional>
#include <string>

namespace kv::app {
namespace {

constexpr int kPageLeft = 230;      // twips: where the shown page sits
constexpr int kPageAway = -20000;   // twips: where the other pages wait
constexpr int kStripHeight = 480;   // twips
constexpr int kTwipsPerPixel = 15;  // at the platform's 96 dots per inch
constexpr int kPercentEntries = 30; // "Maximum percentage" 1 to 30
constexpr int kFriendlyEntries = 5; // "Maximum number of bids" 1 to 5
constexpr int kTabKey = 9;
constexpr int kCtrlMask = 2;

void fillNumbers(kv::ui::ComboBox& list, int count) {
    list.clear();
    for (int n = 1; n <= count; ++n) {
        list.addItem(std::to_string(n));
        list.setItemData(list.newIndex(), n);
    }
}

// Writes the selected entry's item value under the key; a list without selection keeps
// the stored value.
void SaveCboSetting(std::string_view setting, const kv::ui::ComboBox& list) {
    if (list.listIndex() < 0) return;
    saveSetting(setting, std::to_string(list.itemData(list.listIndex())));
}

} // namespace

frmOptions::frmOptions() : kv::ui::Form("frmOptions") {
    using namespace kv::ui;
    // The design layout, in twips: the tab strip with its four pages (each page a picture
    // box laid over the strip, the shown one at the left edge of the first), the banner
    // strip with the buttons along the bottom edge.
    constexpr Rect kPage{kPageLeft, 500, 6600, 4300};
    applyDesign({
        {.widget = this, .caption = "Options", .geometry = {0, 0, 7170, 6000}},
        {.widget = &tbsOptions, .geometry = {120, 120, 6840, 4800}},
        {.widget = &picOptions0, .geometry = kPage},
        {.widget = &fraSample1,
         .parent = &picOptions0,
         .caption = "Sniping",
         .geometry = {120, 120, 6360, 900}},
        {.widget = &lblDefaultTime,
         .parent = &fraSample1,
         .caption = "Default time to bid",
         .geometry = {240, 420, 2000, 300}},
        {.widget = &txtTime, .parent = &fraSample1, .geometry = {2400, 380, 900, 315}},
        {.widget = &txtTimeType, .parent = &fraSample1, .geometry = {3420, 380, 1380, 315}},
        {.widget = &isAgent,
         .parent = &picOptions0,
         .caption = "Bidding agent",
         .geometry = {120, 1180, 3000, 300}},
        {.widget = &lblAgent,
         .parent = &picOptions0,
         .caption = "Employ an electronic bidding agent to snipe your auctions, even when your "
                    "computer is turned off.",
         .geometry = {420, 1500, 6060, 480},
         .state = kWordWrap},
        {.widget = &Frame1,
         .parent = &picOptions0,
         .caption = "Friendly bidding",
         .geometry = {120, 2100, 6360, 1300}},
        {.widget = &lblMaxPercent,
         .parent = &Frame1,
         .caption = "Maximum percentage",
         .geometry = {240, 420, 2400, 300}},
        {.widget = &cboMaxPercent, .parent = &Frame1, .geometry = {2760, 380, 900, 315}},
        {.widget = &lblMaxFriendly,
         .parent = &Frame1,
         .caption = "Maximum number of bids",
         .geometry = {240, 840, 2400, 300}},
        {.widget = &cboMaxFriendly, .parent = &Frame1, .geometry = {2760, 800, 900, 315}},

        {.widget = &picOptions1, .geometry = kPage},
        {.widget = &lblMessage0,
         .parent = &picOptions1,
         .caption = "Message 1:",
         .geometry = {120, 280, 1200, 300}},
        {.widget = &txtFeedback0, .parent = &picOptions1, .geometry = {1380, 240, 5100, 315}},
        {.widget = &lblMessage1,
         .parent = &picOptions1,
         .caption = "Message 2:",
         .geometry = {120, 880, 1200, 300}},
        {.widget = &txtFeedback1, .parent = &picOptions1, .geometry = {1380, 840, 5100, 315}},
        {.widget = &lblMessage2,
         .parent = &picOptions1,
         .caption = "Message 3:",
         .geometry = {120, 1480, 1200, 300}},
        {.widget = &txtFeedback2, .parent = &picOptions1, .geometry = {1380, 1440, 5100, 315}},
        {.widget = &lblMessage3,
         .parent = &picOptions1,
         .caption = "Message 4:",
         .geometry = {120, 2080, 1200, 300}},
        {.widget = &txtFeedback3, .parent = &picOptions1, .geometry = {1380, 2040, 5100, 315}},

        {.widget = &picOptions2, .geometry = kPage},
        {.widget = &lblCategory,
         .parent = &picOptions2,
         .caption = "Category",
         .geometry = {120, 200, 1800, 300}},
        {.widget = &cboCategory0, .parent = &picOptions2, .geometry = {2040, 160, 4440, 315}},
        {.widget = &lblPrice,
         .parent = &picOptions2,
         .caption = "Price Range",
         .geometry = {120, 650, 1800, 300}},
        {.widget = &minPrice, .parent = &picOptions2, .geometry = {2040, 610, 1200, 315}},
        {.widget = &lblPriceTo,
         .parent = &picOptions2,
         .caption = "to",
         .geometry = {3390, 650, 300, 300}},
        {.widget = &maxPrice, .parent = &picOptions2, .geometry = {3840, 610, 1200, 315}},
        {.widget = &lblSortProperty,
         .parent = &picOptions2,
         .caption = "Sort by",
         .geometry = {120, 1100, 1800, 300}},
        {.widget = &cboSortProperty, .parent = &picOptions2, .geometry = {2040, 1060, 3000, 315}},
        {.widget = &lblMaxRecords,
         .parent = &picOptions2,
         .caption = "Results per page",
         .geometry = {120, 1550, 1800, 300}},
        {.widget = &cboMaxRecordsPerPage,
         .parent = &picOptions2,
         .geometry = {2040, 1510, 3000, 315}},
        {.widget = &lblRegion,
         .parent = &picOptions2,
         .caption = "Region",
         .geometry = {120, 2000, 1800, 300}},
        {.widget = &cboRegion, .parent = &picOptions2, .geometry = {2040, 1960, 3000, 315}},
        {.widget = &lblAvailableTo,
         .parent = &picOptions2,
         .caption = "Items available to",
         .geometry = {120, 2450, 1800, 300}},
        {.widget = &cboAvailableTo, .parent = &picOptions2, .geometry = {2040, 2410, 3000, 315}},
        {.widget = &lblLocatedIn,
         .parent = &picOptions2,
         .caption = "Items located in",
         .geometry = {120, 2900, 1800, 300}},
        {.widget = &cboLocatedIn, .parent = &picOptions2, .geometry = {2040, 2860, 3000, 315}},
        {.widget = &lblCurrency,
         .parent = &picOptions2,
         .caption = "Currency",
         .geometry = {120, 3350, 1800, 300}},
        {.widget = &cboCurrency, .parent = &picOptions2, .geometry = {2040, 3310, 3000, 315}},
        {.widget = &chkPayPal,
         .parent = &picOptions2,
         .caption = "Accepts PayPal",
         .geometry = {2040, 3800, 1800, 300}},
        {.widget = &Picture5, .parent = &picOptions2, .geometry = {3900, 3740, 420, 420}},
        {.widget = &PicturePP, .parent = &picOptions2, .geometry = {4440, 3740, 1200, 420}},

        {.widget = &picOptions3, .geometry = kPage},
        {.widget = &lblShowPreview,
         .parent = &picOptions3,
         .caption = "Show Preview Pane:",
         .geometry = {120, 280, 2000, 300}},
        {.widget = &showPreview, .parent = &picOptions3, .geometry = {2240, 240, 2400, 315}},
        {.widget = &Frame2,
         .parent = &picOptions3,
         .caption = "Double Click on Auction in List",
         .geometry = {120, 780, 6360, 1100}},
        {.widget = &dblClickOnAuction1,
         .parent = &Frame2,
         .caption = "Edit snipe",
         .geometry = {240, 360, 3000, 300}},
        {.widget = &dblClickOnAuction0,
         .parent = &Frame2,
         .caption = "Open auction web page",
         .geometry = {240, 700, 3000, 300}},
        {.widget = &lblHome,
         .parent = &picOptions3,
         .caption = "Auction Home Page:",
         .geometry = {120, 2160, 2000, 300}},
        {.widget = &eBayHome, .parent = &picOptions3, .geometry = {2240, 2120, 2400, 315}},

        {.widget = &Picture2, .geometry = {0, 5500 - kStripHeight, 7080, kStripHeight}},
        {.widget = &cmdOK,
         .parent = &Picture2,
         .caption = "OK",
         .geometry = {4320, 60, 1215, 360},
         .state = kDefaultButton},
        {.widget = &cmdCancel,
         .parent = &Picture2,
         .caption = "Cancel",
         .geometry = {5700, 60, 1215, 360},
         .state = kCancelButton},
    });
    setBorderStyle(BorderStyle::FixedDialog);
    setKeyPreview(true);
    Picture2.setAlign(Align::Bottom);
    Picture2.setBorderStyle(BorderStyle::None);
    for (PictureBox* page : {&picOptions0, &picOptions1, &picOptions2, &picOptions3})
        page->setBorderStyle(BorderStyle::None);
    Picture5.setBorderStyle(BorderStyle::None);
    PicturePP.setBorderStyle(BorderStyle::None);
    tbsOptions.addTab({.caption = "General", .toolTip = "Kestrovane General Options"});
    tbsOptions.addTab({.caption = "Feedback", .toolTip = "Feedback preferences"});
    tbsOptions.addTab({.caption = "Search", .toolTip = "Search Preferences"});
    tbsOptions.addTab({.caption = "Browser", .toolTip = "Browser Settings"});
    for (int i = 0; i < 4; ++i)
        txtFeedback(i).setMaxLength(80);
    for (ComboBox* list :
         {&cboMaxPercent, &cboMaxFriendly, &cboCategory0, &cboSortProperty, &cboMaxRecordsPerPage,
          &cboRegion, &cboAvailableTo, &cboLocatedIn, &cboCurrency, &showPreview, &eBayHome})
        list->setStyle(ComboStyle::DropDownList);
    for (const char* entry : {"No preview", "At top of page", "At bottom of page"})
        showPreview.addItem(entry);
    for (const SiteHome& site : siteHomeTable())
        eBayHome.addItem(std::string(site.name));
    tbsOptions_Click();

    onLoad = [this] { Form_Load(); };
    onKeyDown = [this](int& keyCode, int shift) { Form_KeyDown(keyCode, shift); };
    tbsOptions.onClick = [this] { tbsOptions_Click(); };
    Picture5.onClick = [this] { Picture5_Click(); };
    cmdOK.onClick = [this] { cmdOK_Click(); };
    cmdCancel.onClick = [this] { unload(); };
}

kv::ui::TextBox& frmOptions::txtFeedback(int index) {
    const std::array<kv::ui::TextBox*, 4> boxes{&txtFeedback0, &txtFeedback1, &txtFeedback2,
                                                &txtFeedback3};
    return *boxes.at(static_cast<std::size_t>(index));
}

void frmOptions::Form_Load() {
    Picture2.setPicture(bannerPicture());
    const kv::ui::Size screen = kv::ui::app().screenSize();
    move((screen.width * kTwipsPerPixel - width()) / 2,
         (screen.height * kTwipsPerPixel - height()) / 2);
    fillTimeCombos(*this, 1);
    fillNumbers(cboMaxPercent, kPercentEntries);
    fillNumbers(cboMaxFriendly, kFriendlyEntries);
    cboMaxPercent.setListIndex(5);
    cboMaxFriendly.setListIndex(4);
    getLists();
    minPrice.setText(getSetting("minPrice", ""));
    maxPrice.setText(getSetting("maxPrice", ""));
    // A stored value that does not convert leaves its control as it is.
    if (const auto pt = toNumber(getSetting("pt", "0"))) chkPayPal.setChecked(*pt != 0);
    if (const auto edit = toNumber(getSetting("ClickToEdit", "0")))
        (*edit != 0 ? dblClickOnAuction1 : dblClickOnAuction0).setValue(true);
    if (const auto preview = toInteger(getSetting("ShowPreview", "0"));
        preview && *preview >= 0 && *preview < showPreview.listCount())
        showPreview.setListIndex(*preview);
    // Compared exactly: the list's own lookup ignores case.
    const std::string home = getSetting("BrowserHome", kMainSiteName);
    int found = -1;
    for (int i = 0; i < eBayHome.listCount() && found < 0; ++i)
        if (eBayHome.list(i) == home) found = i;
    eBayHome.setListIndex(found);
}

void frmOptions::selectTab(int tab) {
    tbsOptions.setSelectedIndex(tab);
    tbsOptions_Click();
}

void frmOptions::Form_KeyDown(int& keyCode, int shift) {
    if (keyCode != kTabKey || shift != kCtrlMask) return;
    const int count = tbsOptions.tabCount();
    if (count == 0) return;
    selectTab(tbsOptions.selectedIndex() % count + 1);
}

void frmOptions::tbsOptions_Click() {
    const int shown = tbsOptions.selectedIndex() - 1;
    const int top = picOptions0.top();
    for (kv::ui::Control* page : controlArray("picOptions")) {
        const bool selected = page->index() == shown;
        page->move(selected ? kPageLeft : kPageAway, selected ? top : page->top());
        page->setEnabled(selected);
        page->setVisible(selected);
    }
}

void frmOptions::Picture5_Click() {
    chkPayPal.setChecked(!chkPayPal.checked());
}

void frmOptions::refuse(const char* message, kv::ui::Control& focus) {
    kv::ui::app().messageBox({this, "Options", message, kv::ui::mb::OkOnly});
    focus.setFocus();
}

void frmOptions::cmdOK_Click() {
    if (txtTime.listIndex() < 0) {
        refuse("Invalid time, try again!", txtTimeType);
        return;
    }
    time = chosenTime(*this);
    if (time < 1) {
        refuse("Invalid time, try again!", txtTime);
        return;
    }
    const std::optional<double> low = numericValue(minPrice.text());
    const std::optional<double> high = numericValue(maxPrice.text());
    const bool hasLow = !minPrice.text().empty();
    const bool hasHigh = !maxPrice.text().empty();
    if (hasLow && !low) {
        refuse("Invalid minimum price, try again!", minPrice);
        return;
    }
    if (hasHigh && !high) {
        refuse("Invalid maximum price, try again!", maxPrice);
        return;
    }
    if (hasLow && *low < 0) {
        refuse("Invalid minimum price, try again!", minPrice);
        return;
    }
    if (hasHigh && *high < 0) {
        refuse("Invalid maximum price, try again!", maxPrice);
        return;
    }
    if (hasLow && hasHigh && *high < *low) {
        refuse("Invalid minimum price, try again!", minPrice);
        return;
    }

    SaveCboSetting("category0", cboCategory0);
    SaveCboSetting("SortProperty", cboSortProperty);
    SaveCboSetting("maxRecordsPerPage", cboMaxRecordsPerPage);
    SaveCboSetting("region", cboRegion);
    SaveCboSetting("available_to", cboAvailableTo);
    SaveCboSetting("located_in", cboLocatedIn);
    SaveCboSetting("ebaycurr", cboCurrency);
    saveSetting("minPrice", minPrice.text());
    saveSetting("maxPrice", maxPrice.text());
    saveSetting("pt", chkPayPal.checked() ? "2" : "0");
    saveSetting("ClickToEdit", dblClickOnAuction1.value() ? "1" : "0");
    saveSetting("ShowPreview", std::to_string(showPreview.listIndex()));
    if (eBayHome.listIndex() >= 0) saveSetting("BrowserHome", eBayHome.text());
    setSucceeded = true;
    hide();
}

} // namespace kv::app
