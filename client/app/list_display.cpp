#include "client/app/list_display.h"

#include "client/app/commands.h"
#include "client/app/frm_main.h"
#include "client/app/internal/reset.h"
#include "client/app/list_state.h"
#include "client/app/session.h"
#include "client/app/setting_conversions.h"
#include "client/app/settings_store.h"
#include "client/app/startup.h"
#include "platform/text/ansi.h"
#include "platform/ui/application.h"
#include "platform/ui/list_view.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kv::app {
namespace {

struct DisplayState {
    bool sortSettingsLoaded = false;
    bool listJustRefreshed = false;
    bool hooked = false; // the row colours are hooked into the main list
};

DisplayState& state() {
    static DisplayState s;
    return s;
}

constexpr std::size_t kFieldCount = 16;
constexpr kv::ui::Color kRed = 255;

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> fields;
    for (std::string_view field : text::splitAt(line, '\t'))
        fields.emplace_back(field);
    return fields;
}

// The leading number of a text ("." as decimal point), 0 when there is none.
double leadingNumber(const std::string& text) {
    const char* begin = text.c_str();
    while (*begin == ' ' || *begin == '\t')
        ++begin;
    if (*begin != '-' && *begin != '+' && *begin != '.' && (*begin < '0' || *begin > '9')) return 0;
    char* end = nullptr;
    const double v = std::strtod(begin, &end);
    return end == begin || !std::isfinite(v) ? 0 : v;
}

// Field 0's "tag|text": the part before the first bar is the tag; without a bar the whole
// field is the text.
void splitKey(const std::string& field, std::string& tag, std::string& text) {
    const std::size_t bar = field.find('|');
    if (bar == std::string::npos) {
        tag.clear();
        text = field;
    } else {
        tag = field.substr(0, bar);
        text = field.substr(bar + 1);
    }
}

int statusIcon(const std::string& status) {
    if (status == "1") return 9;
    if (status == "2") return 15;
    if (status == "3") return 16;
    if (status == "5") return 17;
    return 0;
}

struct ColumnRule {
    int minWidth;
    kv::ui::Alignment alignment;
};

// Columns 1 to 20 (fields 0 to 19); a minimum width of 0 hides the column.
std::array<ColumnRule, 20> columnRules(bool grouped) {
    using kv::ui::Alignment;
    std::array<ColumnRule, 20> r{};
    r[0] = {1600, Alignment::Left};
    r[1] = {1700, Alignment::Left};
    r[2] = {850, Alignment::Right};
    r[3] = {grouped ? 1100 : 850, Alignment::Right};
    for (int i : {4, 5, 6})
        r[i] = {1000, Alignment::Left};
    for (int i : {7, 8, 9})
        r[i] = {700, Alignment::Left};
    for (int i : {10, 11, 12, 13})
        r[i] = {0, Alignment::Left};
    r[14] = {1400, Alignment::Left};
    for (int i : {15, 16, 17, 18, 19})
        r[i] = {0, Alignment::Left};
    return r;
}

void layColumns(kv::ui::ListView& list, bool grouped) {
    const auto rules = columnRules(grouped);
    for (int i = 0; i < static_cast<int>(rules.size()) && i < list.columnCount(); ++i) {
        if (rules[i].minWidth == 0) {
            list.setColumnWidth(i, 0);
            continue;
        }
        if (list.column(i).width == 0) continue;
        list.autoSizeColumn(i);
        if (list.column(i).width < rules[i].minWidth) list.setColumnWidth(i, rules[i].minWidth);
        if (i != 0) list.setColumnAlignment(i, rules[i].alignment);
    }
}

// Rewrites a data line's hidden sort-key fields from the shown numbers; true when the price
// is above the maximum bid (drawn red).
bool setSortKeys(std::vector<std::string>& f) {
    for (std::size_t cell : {10, 11}) {
        if (const auto v = toNumber(f[cell])) f[cell] = sortKeyText(*v);
    }
    if (const auto v = toNumber(f[2])) f[12] = sortKeyText(*v);
    if (const auto v = toNumber(f[3])) f[13] = sortKeyText(*v);
    return leadingNumber(f[3]) > leadingNumber(f[2]);
}

} // namespace

std::string sortKeyText(double value) {
    char buf[400]; // the longest double in fixed notation with two decimals fits
    const double magnitude = std::fabs(value);
    if (!std::isfinite(magnitude)) {
        std::snprintf(buf, sizeof buf, "%s%015.2f", value < 0 ? "-" : "", magnitude);
        return buf;
    }
    // to_chars rounds like printf's "%.2f" and is several times faster; the list fill
    // writes four keys per row.
    const auto r = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::fixed, 2);
    const auto digits = static_cast<std::size_t>(r.ptr - buf);
    std::string out = value < 0 ? "-" : "";
    if (digits < 15) out.append(15 - digits, '0');
    out.append(buf, digits);
    return out;
}

void refreshAuctionList(std::int16_t& status, std::int16_t& groupBy) {
    if (status == -1) status = currentStatus();
    if (groupBy == -1) groupBy = currentGroupBy();

    kv::protocol::Hash args;
    args.Add("status_id", static_cast<std::int64_t>(status));
    int groupField = 0;
    std::string groupTitle;
    if (groupBy == 1) {
        args.Add("sort", "seller");
        groupField = 4;
        groupTitle = "Seller";
    } else if (groupBy == 2) {
        args.Add("sort", "bidgroup_name");
        groupField = 14;
        groupTitle = "Bid Group";
    } else {
        args.Add("sort", "auction_id");
    }
    setCurrentStatus(status);
    bool noResponse = false;
    const std::vector<std::string> lines =
        security().queryKestrovaneMulti("textdump", args, &noResponse);

    frmMain& main = mainForm();
    if (!state().sortSettingsLoaded) {
        const std::string key = getSetting("SortKey", "");
        if (const auto v = toInteger(key); !key.empty() && v && *v >= 0)
            main.lvListView.setSortKey(*v);
        const std::string order = getSetting("SortOrder", "");
        if (const auto v = toInteger(order); !order.empty() && v && (*v == 0 || *v == 1))
            main.lvListView.setSortOrder(static_cast<kv::ui::SortOrder>(*v));
        state().sortSettingsLoaded = true;
    }

    fillAuctionList(main.lvListView, lines, groupField, groupTitle);
    // A list that did not come whole is shown empty and said to have failed.
    if (noResponse)
        kv::ui::app().messageBox(kNoResponseText, kv::ui::mb::OkOnly | kv::ui::mb::IconError);

    const kv::ui::TreeView& tree = main.tvTreeView;
    for (int i = 0; i < tree.nodeCount(); ++i) {
        const std::string& key = tree.node(i).key;
        if (key.size() < 2) continue;
        const auto number = toNumber(key.substr(1));
        if (number && *number == status) main.tvTreeView.setSelectedIndex(i);
    }
    state().listJustRefreshed = true;
}

void reloadAuctionList() {
    std::int16_t status = -1;
    std::int16_t groupBy = -1;
    refreshAuctionList(status, groupBy);
}

void fillAuctionList(kv::ui::ListView& list, const std::vector<std::string>& lines, int groupField,
                     const std::string& groupTitle) {
    const bool grouped = groupField != 0;
    list.setRedraw(false);
    if (state().hooked) {
        list.onDrawRow = nullptr;
        state().hooked = false;
    }
    const int height = list.height();
    list.resize(list.width(), 1);
    list.setSorted(false);

    list.clearColumns();
    list.clear();
    int count = 0; // wide enough for any list
    double sum = 0;
    std::string previous = groupTitle;
    int lineNumber = 0;
    const auto gf = static_cast<std::size_t>(groupField);
    for (const std::string& line : lines) {
        if (line.empty()) continue;
        std::vector<std::string> f = splitTabs(line);
        const bool header = lineNumber == 0;
        if (!header) {
            // A short line is malformed: it cannot fill the row's cells, so it is left out.
            if (f.size() < kFieldCount) continue;
            if (!f[8].empty() && !showPaid()) continue;
            if (!f[9].empty() && !showReceived()) continue;
        }
        ++lineNumber;
        const std::string group = gf < f.size() ? f[gf] : std::string();
        if (header) {
            for (const std::string& title : f)
                list.addColumn(title);
            previous = group;
            continue;
        }
        if (grouped && previous != groupTitle && group != previous) {
            addGroupTotalRow(list, previous, sum, count);
            sum = 0;
            count = 0;
        }
        sum += leadingNumber(f[3]);
        ++count;
        previous = group;

        const int icon = currentStatus() == 0 ? statusIcon(f[15]) : 0;
        std::string tag, text;
        splitKey(f[0], tag, text);
        const bool overMax = setSortKeys(f);
        const int row = list.addItem(std::move(text), std::move(tag), icon, icon);
        for (std::size_t i = 1; i < f.size(); ++i)
            list.setText(row, static_cast<int>(i), std::move(f[i]));
        if (overMax) list.setCellColor(row, 2, kRed);
    }

    layColumns(list, grouped);
    addGroupTotalRow(list, grouped ? previous : std::string(), sum, count);

    if (const int selected = list.selectedIndex(); selected >= 0) list.setSelectedIndex(-1);
    if (!grouped) list.setSorted(true);
    if (list.itemCount() > 0) list.setSelectedIndex(0); // the top row

    list.resize(list.width(), height);
    list.setRedraw(true);
    list.onDrawRow = &listViewWndProc;
    state().hooked = true;
}

void addGroupTotalRow(kv::ui::ListView& list, const std::string& groupValue, double total,
                      int count) {
    const int row = list.addItem("");
    list.setText(row, 1, groupValue.empty() ? " TOTAL" : " TOTAL for " + groupValue);
    list.setText(row, 2, "");
    char amount[64];
    std::snprintf(amount, sizeof amount, "%.2f", total);
    list.setText(row, 3, amount);
    list.setText(row, 4, count == 1 ? "(1 item)" : "(" + std::to_string(count) + " items)");
    for (int cell : {1, 3, 4})
        list.setBold(row, cell, true);
}

void fillHistoryList(kv::ui::ListView& list, const std::vector<std::string>& lines) {
    list.clearColumns();
    list.clear();
    bool header = true;
    for (const std::string& line : lines) {
        if (line.empty()) continue;
        const std::vector<std::string> f = splitTabs(line);
        if (header) {
            for (const std::string& title : f)
                list.addColumn(title);
            header = false;
            continue;
        }
        std::string tag, text;
        splitKey(f[0], tag, text);
        const int row = list.addItem(text, tag);
        for (std::size_t i = 1; i < f.size(); ++i)
            list.setText(row, static_cast<int>(i), f[i]);
    }
    for (int i = 0; i < list.columnCount(); ++i) {
        if (list.column(i).width != 0) list.autoSizeColumn(i);
    }
}

void listViewWndProc(int row, kv::ui::RowColors& colors) {
    colors.text = kv::ui::kBlack;
    colors.background = row % 2 == 0 ? 0x0000FF : 0xFF0000;
}

bool sortSettingsLoaded() {
    return state().sortSettingsLoaded;
}
void setSortSettingsLoaded(bool loaded) {
    state().sortSettingsLoaded = loaded;
}
bool listJustRefreshed() {
    return state().listJustRefreshed;
}
void setListJustRefreshed(bool on) {
    state().listJustRefreshed = on;
}
void internal::resetListDisplay() {
    state() = DisplayState{};
}

} // namespace kv::app
