#include "platform/ui/list_view.h"

#include "platform/text/ansi.h"
#include "platform/ui/application.h"
#include "platform/ui/control_properties.h"

#include <algorithm>

namespace kv::ui {
namespace {

const ColumnHeader kNoColumn{};
const ListItem kNoRow{};
constexpr int kCellPadding = 12; // pixels around a column's widest text

} // namespace

ListView::ListView(Form& form, std::string name, int index)
    : Control(form, std::move(name), index) {
    initBackColor(kWindowBackground);
}

void ListView::setView(ListViewMode mode) {
    if (mode == view_) return;
    view_ = mode;
    changed(prop::View);
}

void ListView::setCheckBoxes(bool on) {
    if (on == checkBoxes_) return;
    checkBoxes_ = on;
    changed(prop::View);
}

const ColumnHeader& ListView::column(int i) const {
    if (i < 0 || i >= columnCount()) return kNoColumn;
    return columns_[static_cast<std::size_t>(i)];
}

int ListView::addColumn(std::string text, int width, Alignment alignment) {
    ColumnHeader c;
    c.text = std::move(text);
    if (width >= 0) c.width = width;
    c.alignment = alignment;
    columns_.push_back(std::move(c));
    changed(prop::Columns);
    return columnCount() - 1;
}

void ListView::clearColumns() {
    columns_.clear();
    changed(prop::Columns);
}

void ListView::setColumnWidth(int i, int width) {
    if (i < 0 || i >= columnCount()) return;
    columns_[static_cast<std::size_t>(i)].width = std::max(0, width);
    changed(prop::Columns);
}

void ListView::setColumnAlignment(int i, Alignment alignment) {
    if (i < 0 || i >= columnCount()) return;
    columns_[static_cast<std::size_t>(i)].alignment = alignment;
    changed(prop::Columns);
}

void ListView::setColumnIcon(int i, int icon) {
    if (i < 0 || i >= columnCount()) return;
    columns_[static_cast<std::size_t>(i)].icon = icon;
    changed(prop::Columns);
}

void ListView::autoSizeColumn(int i) {
    if (i < 0 || i >= columnCount()) return;
    Backend& b = app().backend();
    Font bold = font();
    bold.bold = true;
    int pixels = b.measureText(columns_[static_cast<std::size_t>(i)].text, font()).width;
    for (const auto& r : rows_) {
        if (static_cast<std::size_t>(i) >= r.cells.size()) continue;
        const ListCell& c = r.cells[static_cast<std::size_t>(i)];
        pixels = std::max(pixels, b.measureText(c.text, c.bold ? bold : font()).width);
    }
    pixels += kCellPadding;
    setColumnWidth(i, form()->units() == Units::Twips ? pixels * kTwipsPerPixel : pixels);
}

const ListItem& ListView::item(int row) const {
    if (row < 0 || row >= itemCount()) return kNoRow;
    return rows_[static_cast<std::size_t>(row)];
}

int ListView::addItem(std::string caption, std::string tag, int icon, int smallIcon) {
    ListItem r;
    r.cells.front().text = std::move(caption);
    r.tag = std::move(tag);
    r.icon = icon;
    r.smallIcon = smallIcon;
    auto at = rows_.end();
    if (sorted_) {
        // The new row has no sub-items yet: its key is its text or empty.
        std::string key = sortKey_ == 0 ? r.text() : std::string();
        at = std::find_if(rows_.begin(), rows_.end(), [&](const ListItem& other) {
            int c = text::compareNoCase(other.cells.size() > static_cast<std::size_t>(sortKey_)
                                            ? other.cells[static_cast<std::size_t>(sortKey_)].text
                                            : std::string(),
                                        key);
            return sortOrder_ == SortOrder::Ascending ? c > 0 : c < 0;
        });
    }
    int row = static_cast<int>(at - rows_.begin());
    rows_.insert(at, std::move(r));
    changed(prop::Rows);
    return row;
}

void ListView::removeItem(int row) {
    if (row < 0 || row >= itemCount()) return;
    rows_.erase(rows_.begin() + row);
    changed(prop::Rows);
}

void ListView::clear() {
    rows_.clear();
    changed(prop::Rows);
}

ListCell* ListView::cell(int row, int cell) {
    if (row < 0 || row >= itemCount() || cell < 0) return nullptr;
    auto& cells = rows_[static_cast<std::size_t>(row)].cells;
    if (static_cast<std::size_t>(cell) >= cells.size())
        cells.resize(static_cast<std::size_t>(cell) + 1);
    return &cells[static_cast<std::size_t>(cell)];
}

std::string ListView::text(int row, int cell) const {
    const auto& cells = item(row).cells;
    if (cell < 0 || static_cast<std::size_t>(cell) >= cells.size()) return {};
    return cells[static_cast<std::size_t>(cell)].text;
}

void ListView::setText(int row, int column, std::string value) {
    if (ListCell* c = cell(row, column)) {
        c->text = std::move(value);
        changed(prop::Rows);
    }
}

void ListView::setBold(int row, int column, bool on) {
    if (ListCell* c = cell(row, column)) {
        c->bold = on;
        changed(prop::Rows);
    }
}

void ListView::setCellColor(int row, int column, std::optional<Color> color) {
    if (ListCell* c = cell(row, column)) {
        c->foreColor = color;
        changed(prop::Rows);
    }
}

void ListView::setTag(int row, std::string tag) {
    if (row < 0 || row >= itemCount()) return;
    rows_[static_cast<std::size_t>(row)].tag = std::move(tag);
    changed(prop::Rows);
}

void ListView::setIcon(int row, int icon, int smallIcon) {
    if (row < 0 || row >= itemCount()) return;
    rows_[static_cast<std::size_t>(row)].icon = icon;
    rows_[static_cast<std::size_t>(row)].smallIcon = smallIcon;
    changed(prop::Rows);
}

void ListView::setChecked(int row, bool on) {
    if (row < 0 || row >= itemCount()) return;
    rows_[static_cast<std::size_t>(row)].checked = on;
    changed(prop::Checks);
}

int ListView::selectedIndex() const {
    for (int i = 0; i < itemCount(); ++i)
        if (rows_[static_cast<std::size_t>(i)].selected) return i;
    return -1;
}

void ListView::setSelectedIndex(int row) {
    if (row < -1 || row >= itemCount()) return;
    for (int i = 0; i < itemCount(); ++i)
        rows_[static_cast<std::size_t>(i)].selected = i == row;
    changed(prop::Selection);
}

void ListView::setSorted(bool on) {
    if (on == sorted_) return;
    sorted_ = on;
    if (sorted_) sortRows();
    changed(prop::Sorting);
}

void ListView::setSortKey(int column) {
    if (column < 0) return;
    sortKey_ = column;
    if (sorted_) sortRows();
    changed(prop::Sorting);
}

void ListView::setSortOrder(SortOrder order) {
    sortOrder_ = order;
    if (sorted_) sortRows();
    changed(prop::Sorting);
}

void ListView::sortRows() {
    auto key = static_cast<std::size_t>(sortKey_);
    auto keyOf = [key](const ListItem& r) -> std::string_view {
        return key < r.cells.size() ? std::string_view(r.cells[key].text) : std::string_view();
    };
    bool ascending = sortOrder_ == SortOrder::Ascending;
    std::stable_sort(rows_.begin(), rows_.end(), [&](const ListItem& a, const ListItem& b) {
        int c = text::compareNoCase(keyOf(a), keyOf(b));
        return ascending ? c < 0 : c > 0;
    });
    changed(prop::Rows);
}

void ListView::setRedraw(bool on) {
    if (on == redraw_) return;
    redraw_ = on;
    changed(prop::Redraw);
}

RowColors ListView::rowColors(int row) const {
    RowColors colors{foreColor(), backColor()};
    if (row >= 0 && row < itemCount() && onDrawRow) onDrawRow(row, colors);
    return colors;
}

} // namespace kv::ui
