#pragma once
// List views: view modes, report columns, rows with text, tag, icons, check box and
// selection, sub-items with bold and colour, automatic sorting as text by a column, and the
// row-drawing hook. Rows, columns and sub-items count from 0 (sub-item 0 is the row text).

#include "platform/ui/control.h"

#include <optional>
#include <vector>

namespace kv::ui {

class ImageList;

enum class ListViewMode { Icon = 0, SmallIcon = 1, List = 2, Report = 3 };
enum class SortOrder { Ascending = 0, Descending = 1 };

struct ColumnHeader {
    std::string text;
    int width = 1440; // form units
    Alignment alignment = Alignment::Left;
    int icon = 0; // image of the column-title image list, 0 for none
};

// One cell: sub-item 0 is the row's own text.
struct ListCell {
    std::string text;
    bool bold = false;
    std::optional<Color> foreColor; // none: the list's colour
};

struct ListItem {
    std::vector<ListCell> cells{ListCell{}};
    std::string tag;
    int icon = 0;      // large icon, 0 for none
    int smallIcon = 0; // small icon, 0 for none
    bool checked = false;
    bool selected = false;
    const std::string& text() const { return cells.front().text; }
};

// The colours a row is drawn in; the row-drawing hook may change them.
struct RowColors {
    Color text = kBlack;
    Color background = kWindowBackground;
};

class ListView : public Control {
public:
    ListView(Form& form, std::string name, int index);
    std::string_view kind() const override { return "ListView"; }

    ListViewMode view() const { return view_; }
    void setView(ListViewMode mode);
    bool checkBoxes() const { return checkBoxes_; }
    void setCheckBoxes(bool on);
    // Image lists for large icons, small icons and column titles (not owned).
    ImageList* icons() const { return icons_; }
    void setIcons(ImageList* list) { icons_ = list; }
    ImageList* smallIcons() const { return smallIcons_; }
    void setSmallIcons(ImageList* list) { smallIcons_ = list; }
    ImageList* columnHeaderIcons() const { return headerIcons_; }
    void setColumnHeaderIcons(ImageList* list) { headerIcons_ = list; }

    // Columns.
    int columnCount() const { return static_cast<int>(columns_.size()); }
    const ColumnHeader& column(int i) const; // an empty column out of range
    int addColumn(std::string text, int width = -1, Alignment alignment = Alignment::Left);
    void clearColumns();
    // Each setter ignores a column out of range.
    void setColumnWidth(int i, int width);
    void setColumnAlignment(int i, Alignment alignment);
    void setColumnIcon(int i, int icon);
    // Sizes a column to fit its title and every row's text in it.
    void autoSizeColumn(int i);

    // Rows. Out-of-range rows and cells read as empty and are ignored by setters.
    int itemCount() const { return static_cast<int>(rows_.size()); }
    const std::vector<ListItem>& items() const { return rows_; }
    const ListItem& item(int row) const;
    // Adds a row at the end (in sorted place while sorting is on); returns its index.
    int addItem(std::string text, std::string tag = {}, int icon = 0, int smallIcon = 0);
    void removeItem(int row);
    void clear();
    std::string text(int row, int cell = 0) const;
    void setText(int row, int cell, std::string text);
    void setBold(int row, int cell, bool on);
    void setCellColor(int row, int cell, std::optional<Color> color);
    void setTag(int row, std::string tag);
    void setIcon(int row, int icon, int smallIcon);
    // Check marks set from code raise no item-check event.
    bool checked(int row) const { return item(row).checked; }
    void setChecked(int row, bool on);
    // The selected row, -1 for none; selecting from code raises no event.
    int selectedIndex() const;
    void setSelectedIndex(int row);

    // Automatic sorting as text (without regard to case) by column `sortKey`.
    bool sorted() const { return sorted_; }
    void setSorted(bool on);
    int sortKey() const { return sortKey_; }
    void setSortKey(int column);
    SortOrder sortOrder() const { return sortOrder_; }
    void setSortOrder(SortOrder order);

    // Drawing on and off (a fill turns it off); backends repaint when it comes back on.
    bool redraw() const { return redraw_; }
    void setRedraw(bool on);

    // The colours of a row as drawn: the list's colours, then the row-drawing hook.
    RowColors rowColors(int row) const;

    // Events (rows by index). Click, double-click, key and mouse-down come from Widget.
    std::function<void(int row)> onItemCheck;
    std::function<void(int row)> onItemClick;
    std::function<void(int column)> onColumnClick;
    // Row-drawing hook: sets a row's text and background colours before it is drawn.
    std::function<void(int row, RowColors& colors)> onDrawRow;

    // Raised by user actions and backends.
    void raiseItemCheck(int row) { raise(onItemCheck, row); }
    void raiseItemClick(int row) { raise(onItemClick, row); }
    void raiseColumnClick(int column) { raise(onColumnClick, column); }

private:
    ListCell* cell(int row, int cell);
    void sortRows();
    ListViewMode view_ = ListViewMode::Icon;
    bool checkBoxes_ = false;
    ImageList* icons_ = nullptr;
    ImageList* smallIcons_ = nullptr;
    ImageList* headerIcons_ = nullptr;
    std::vector<ColumnHeader> columns_;
    std::vector<ListItem> rows_;
    bool sorted_ = false;
    int sortKey_ = 0;
    SortOrder sortOrder_ = SortOrder::Ascending;
    bool redraw_ = true;
};

} // namespace kv::ui
