// frmMain's settings: what getSettings reads and applies and SaveWindowSettings stores.

#include "client/app/frm_main.h"
#include "client/app/list_state.h"
#include "client/app/setting_conversions.h"
#include "client/app/settings_store.h"
#include "client/app/site_home.h"

#include <cmath>
#include <limits>
#include <optional>

namespace kv::app {
namespace {

// A single-precision position or size as the window's whole units; nullopt when it does
// not fit (the property keeps its value).
std::optional<int> toUnits(std::optional<float> value, bool size) {
    if (!value) return std::nullopt;
    double v = std::nearbyint(static_cast<double>(*value));
    if (v < (size ? 0.0 : std::numeric_limits<int>::min()) || v > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(v);
}

std::optional<int> readUnits(std::string_view key, std::string_view defaultValue, bool size) {
    return toUnits(toSingle(getSetting(key, defaultValue)), size);
}

} // namespace

void frmMain::getSettings() {
    // The platform refuses to move or size a minimised or maximised window.
    if (windowState() == kv::ui::WindowState::Normal) {
        if (auto v = readUnits("MainLeft", "1000", false)) move(*v, top());
        if (auto v = readUnits("MainTop", "1000", false)) move(left(), *v);
        if (auto v = readUnits("MainWidth", "6500", true)) resize(*v, height());
        if (auto v = readUnits("MainHeight", "6500", true)) resize(width(), *v);
    }
    if (!getSetting("PaidFilter", "").empty()) {
        if (auto on = toBoolean(getSetting("PaidFilter", ""))) {
            setShowPaid(*on);
            mnuViewPaid.setChecked(*on);
        }
    }
    if (!getSetting("ReceiptedFilter", "").empty()) {
        if (auto on = toBoolean(getSetting("ReceiptedFilter", ""))) {
            setShowReceived(*on);
            mnuViewReceipted.setChecked(*on);
        }
    }
    if (auto v = toInteger(getSetting("GroupBy", "0"))) setCurrentGroupBy(*v);
    // The grouping items' marks follow the grouping, so a first click never does nothing.
    mnuViewGroupBySeller.setChecked(currentGroupBy() == 1);
    mnuViewGroupByBidGroup.setChecked(currentGroupBy() == 2);
    if (auto v = toNumber(getSetting("ClickToEdit", "0"))) clickToEdit = *v != 0;
    if (auto v = toInteger(getSetting("ShowPreview", "0"))) previewMode = *v;
    homeUrl = homeUrlFor(getSetting("BrowserHome", kMainSiteName));
    if (auto v = readUnits("XSplitter", "2740", false)) picSplitter2.move(*v, picSplitter2.top());
    if (auto v = readUnits("YSplitter", "3975", false)) picSplitter4.move(picSplitter4.left(), *v);
}

void frmMain::SaveWindowSettings() {
    // A minimised window keeps the geometry of the last normal or maximised one.
    if (windowState() != kv::ui::WindowState::Minimized) {
        saveSetting("MainLeft", std::to_string(left()));
        saveSetting("MainTop", std::to_string(top()));
        saveSetting("MainWidth", std::to_string(width()));
        saveSetting("MainHeight", std::to_string(height()));
        saveSetting("XSplitter", std::to_string(picSplitter2.left()));
        saveSetting("YSplitter", std::to_string(picSplitter4.top()));
        saveSetting("ShowPreview", std::to_string(previewMode));
    }
    saveSetting("PaidFilter", booleanText(showPaid()));
    saveSetting("ReceiptedFilter", booleanText(showReceived()));
    saveSetting("GroupBy", std::to_string(currentGroupBy()));
    saveSetting("SortKey", std::to_string(lvListView.sortKey()));
    saveSetting("SortOrder", std::to_string(static_cast<int>(lvListView.sortOrder())));
    saveSetting("ViewMode", std::to_string(static_cast<int>(lvListView.view())));
}

} // namespace kv::app
