#include "platform/ui/headless/headless.h"
#include "platform/ui/list_view.h"
#include "platform/ui/user_controls.h"

#include <gtest/gtest.h>

namespace kv::ui {
namespace {

struct Lists : Form {
    Lists() : Form("frmMain") {
        lv.setView(ListViewMode::Report);
        lv.setCheckBoxes(true);
        lv.onItemCheck = [this](int row) { checks.push_back(row); };
        lv.onItemClick = [this](int row) { itemClicks.push_back(row); };
        lv.onClick = [this] { ++clicks; };
        lv.onColumnClick = [this](int column) { columnClicks.push_back(column); };
    }
    ListView& lv = add<ListView>("lvListView");
    std::vector<int> checks, itemClicks, columnClicks;
    int clicks = 0;
};

std::vector<std::string> column(const ListView& lv, int cell) {
    std::vector<std::string> out;
    for (int i = 0; i < lv.itemCount(); ++i)
        out.push_back(lv.text(i, cell));
    return out;
}

TEST(ListView, SortsAsTextBySubItemAndOrder) {
    headless::install();
    auto& f = app().form<Lists>();
    auto& lv = f.lv;
    // A shown number in cell 1 and its sort-key text in cell 2: 9 sorts before 10 only by key.
    for (auto [n, key] : {std::pair{"10", "000000000010.00"},
                          {"9", "000000000009.00"},
                          {"100", "000000000100.00"}}) {
        int r = lv.addItem(std::string("item") + n, "tag");
        lv.setText(r, 1, n);
        lv.setText(r, 2, key);
    }
    lv.setSortKey(1);
    lv.setSorted(true);
    EXPECT_EQ(column(lv, 1), (std::vector<std::string>{"10", "100", "9"})); // as text
    lv.setSortKey(2);
    EXPECT_EQ(column(lv, 1), (std::vector<std::string>{"9", "10", "100"}));
    lv.setSortOrder(SortOrder::Descending);
    EXPECT_EQ(column(lv, 1), (std::vector<std::string>{"100", "10", "9"}));

    // Sorting by the row text ignores case; a row added while sorting is on takes its place.
    lv.setSortKey(0);
    lv.setSortOrder(SortOrder::Ascending);
    lv.clear();
    lv.addItem("beta");
    lv.addItem("Gamma");
    EXPECT_EQ(lv.addItem("ALPHA"), 0);
    EXPECT_EQ(lv.addItem("Delta"), 2);
    EXPECT_EQ(column(lv, 0), (std::vector<std::string>{"ALPHA", "beta", "Delta", "Gamma"}));
    // The selection follows its row through a re-sort.
    lv.setSelectedIndex(1);
    lv.setSortOrder(SortOrder::Descending);
    EXPECT_EQ(lv.item(lv.selectedIndex()).text(), "beta");
    // Off: rows keep the order they are added in.
    lv.setSorted(false);
    lv.addItem("Aardvark");
    EXPECT_EQ(lv.text(lv.itemCount() - 1), "Aardvark");
}

TEST(ListView, UserChecksRaiseItemCheckButCodeDoesNot) {
    headless::install();
    auto& f = app().form<Lists>();
    f.lv.addItem("1001", "7");
    f.lv.addItem("");
    f.lv.setChecked(0, true); // from code: no event
    EXPECT_TRUE(f.checks.empty());
    EXPECT_FALSE(user::checkRow(f.lv, 0, false)); // the form is not shown yet
    f.show();
    EXPECT_TRUE(user::checkRow(f.lv, 0, false));
    EXPECT_TRUE(user::checkRow(f.lv, 0, false)); // no change: no event
    EXPECT_TRUE(user::checkRow(f.lv, 1, true));
    EXPECT_EQ(f.checks, (std::vector<int>{0, 1}));
    EXPECT_FALSE(f.lv.checked(0));
    EXPECT_TRUE(f.lv.checked(1));
    EXPECT_FALSE(user::checkRow(f.lv, 5, true));
    f.lv.setCheckBoxes(false);
    EXPECT_FALSE(user::checkRow(f.lv, 0, true));

    EXPECT_TRUE(user::clickRow(f.lv, 1));
    EXPECT_EQ(f.lv.selectedIndex(), 1);
    EXPECT_EQ(f.itemClicks, (std::vector<int>{1}));
    EXPECT_EQ(f.clicks, 1);
    EXPECT_FALSE(user::clickColumn(f.lv, 0)); // no columns
    f.lv.addColumn("Item");
    EXPECT_TRUE(user::clickColumn(f.lv, 0));
    EXPECT_EQ(f.columnClicks, (std::vector<int>{0}));
}

TEST(ListView, CellsColumnsAndRowColours) {
    headless::install();
    auto& f = app().form<Lists>();
    auto& lv = f.lv;
    lv.addColumn("Item");
    lv.addColumn("Price", 500, Alignment::Right);
    int r = lv.addItem("1001", "7", 9, 9);
    lv.setText(r, 3, "12.00"); // cells in between come into being empty
    lv.setBold(r, 3, true);
    lv.setCellColor(r, 1, 255);
    EXPECT_EQ(lv.text(r, 2), "");
    EXPECT_TRUE(lv.item(r).cells[3].bold);
    EXPECT_EQ(lv.item(r).cells[1].foreColor, 255u);
    EXPECT_EQ(lv.text(7, 1), ""); // out of range reads empty
    lv.setText(7, 1, "x");        // and is ignored
    EXPECT_EQ(lv.itemCount(), 1);

    lv.setColumnWidth(0, 0);
    lv.autoSizeColumn(1);
    EXPECT_GT(lv.column(1).width, 0);
    lv.autoSizeColumn(0);
    int fitted = lv.column(0).width;
    lv.setText(r, 0, "a much longer item text");
    lv.autoSizeColumn(0);
    EXPECT_GT(lv.column(0).width, fitted);
    EXPECT_EQ(lv.column(1).alignment, Alignment::Right);

    lv.addItem("1002");
    EXPECT_EQ(lv.rowColors(0).background, kWindowBackground);
    lv.onDrawRow = [](int row, RowColors& c) {
        c.text = kBlack;
        c.background = row % 2 == 0 ? 0x0000FF : 0xFF0000;
    };
    EXPECT_EQ(lv.rowColors(0).background, 0x0000FFu);
    EXPECT_EQ(lv.rowColors(1).background, 0xFF0000u);
    lv.setRedraw(false);
    EXPECT_FALSE(lv.redraw());
}

} // namespace
} // namespace kv::ui
