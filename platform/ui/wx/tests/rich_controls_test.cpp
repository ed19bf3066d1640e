// The wx backend's list views, tree views, menus, toolbars, status bars, tab strips and
// rich-text boxes on a real (virtual) display.

#include "platform/ui/wx/wx_backend.h"

#include "platform/ui/wx/tests/wx_form_test.h"

#include "platform/ui/application.h"
#include "platform/ui/bars.h"
#include "platform/ui/image_list.h"
#include "platform/ui/list_view.h"
#include "platform/ui/menu.h"
#include "platform/ui/picture.h"
#include "platform/ui/rich_text.h"
#include "platform/ui/tab_strip.h"
#include "platform/ui/tree_view.h"
#include "platform/ui/web_browser.h"

#include <wx/frame.h>
#include <wx/image.h>
#include <wx/imaglist.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>
#include <wx/treectrl.h>
#include <wx/uiaction.h>
#include <wx/webview.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace kv::ui {
namespace {

using testing::pump;

constexpr Rect at(int x, int y, int w, int h) {
    return Rect{x * kTwipsPerPixel, y * kTwipsPerPixel, w * kTwipsPerPixel, h * kTwipsPerPixel};
}

struct MainWindow : Form {
    MainWindow() : Form("frmMain") {
        setCaption("Kestrovane");
        setGeometry(at(20, 20, 640, 420));
        mnuFile.setCaption("&File");
        mnuNew.setCaption("&New snipe");
        mnuNew.setShortcut("Ctrl+N");
        mnuNew.onClick = [this] { ++newClicks; };
        mnuSep.setCaption("-");
        mnuExit.setCaption("E&xit");
        mnuView.setCaption("&View");
        mnuBar.setCaption("&Toolbar");
        mnuBar.setChecked(true);
        tbrMain.setGeometry(at(0, 0, 640, 36));
        tbrMain.addButton(ToolButton{"new", "New", "New snipe"});
        tbrMain.addButton(ToolButton{"", "", "", "", 0, ToolButtonStyle::Separator});
        tbrMain.addButton(ToolButton{"refresh", "Refresh", "Refresh"});
        tbrMain.onButtonClick = [this](int b) { lastButton = b; };
        tvwFolders.setGeometry(at(0, 40, 180, 300));
        int all = tvwFolders.addNode("All snipes", "all");
        tvwFolders.addNode("Active", "active", all);
        tvwFolders.addNode("Won", "won", all);
        tvwFolders.setExpanded(all, true);
        tvwFolders.onNodeClick = [this](int n) { lastNode = n; };
        tabView.setGeometry(at(186, 40, 450, 26));
        tabView.addTab(Tab{"Snipes"});
        tabView.addTab(Tab{"Bid groups"});
        lvwSnipes.setGeometry(at(186, 70, 450, 200));
        lvwSnipes.setView(ListViewMode::Report);
        lvwSnipes.addColumn("Item", 200 * kTwipsPerPixel);
        lvwSnipes.addColumn("Bid", 100 * kTwipsPerPixel, Alignment::Right);
        for (const char* item : {"Camera", "Lens", "Tripod"})
            lvwSnipes.addItem(item);
        lvwSnipes.setText(0, 1, "120.00");
        lvwSnipes.setBold(1, 0, true);
        lvwSnipes.onItemClick = [this](int row) { lastRow = row; };
        rtfNotes.setGeometry(at(186, 274, 450, 66));
        rtfNotes.setText("Bold part and plain part");
        rtfNotes.setBold(0, 9);
        sbrStatus.setGeometry(at(0, 344, 640, 24));
        sbrStatus.addPanel("Ready");
        sbrStatus.addPanel("3 snipes");
    }
    Menu& mnuFile = add<Menu>("mnuFile");
    Menu& mnuNew = add<Menu>("mnuNew", -1, &mnuFile);
    Menu& mnuSep = add<Menu>("mnuSep", -1, &mnuFile);
    Menu& mnuExit = add<Menu>("mnuExit", -1, &mnuFile);
    Menu& mnuView = add<Menu>("mnuView");
    Menu& mnuBar = add<Menu>("mnuBar", -1, &mnuView);
    Toolbar& tbrMain = add<Toolbar>("tbrMain");
    TreeView& tvwFolders = add<TreeView>("tvwFolders");
    TabStrip& tabView = add<TabStrip>("tabView");
    ListView& lvwSnipes = add<ListView>("lvwSnipes");
    RichTextBox& rtfNotes = add<RichTextBox>("rtfNotes");
    StatusBar& sbrStatus = add<StatusBar>("sbrStatus");
    int newClicks = 0, lastButton = 0, lastNode = -1, lastRow = -1;
};

class WxMainWindow : public testing::WxFormTest<MainWindow> {
protected:
    void SetUp() override {
        WxFormTest::SetUp();
        main = form;
    }
    void clickAt(wxPoint screen) { WxFormTest::clickAt(screen, 200); }
    MainWindow* main = nullptr;
};

TEST_F(WxMainWindow, ShowsTheRichKindsFromTheModel) {
    MainWindow& m = *main;
    auto* frame = as<wxFrame>(m);
    ASSERT_NE(frame, nullptr);
    ASSERT_NE(frame->GetMenuBar(), nullptr);
    EXPECT_EQ(frame->GetMenuBar()->GetMenuCount(), 2u);
    int bar = frame->GetMenuBar()->FindMenuItem("View", "Toolbar");
    ASSERT_NE(bar, wxNOT_FOUND);
    EXPECT_TRUE(frame->GetMenuBar()->IsChecked(bar));
    auto* list = as<wxListCtrl>(m.lvwSnipes);
    ASSERT_NE(list, nullptr) << (win(m.lvwSnipes) ? win(m.lvwSnipes)->GetClassInfo()->GetClassName()
                                                  : L"none");
    EXPECT_EQ(list->GetItemCount(), 3);
    EXPECT_EQ(list->GetColumnCount(), 2);
    EXPECT_EQ(list->GetItemText(0, 1), "120.00");
    EXPECT_TRUE(list->GetItemFont(1).GetWeight() >= wxFONTWEIGHT_BOLD);
    auto* tree = as<wxTreeCtrl>(m.tvwFolders);
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(tree->GetCount(), 3u);
    EXPECT_EQ(as<wxStatusBar>(m.sbrStatus)->GetStatusText(1), "3 snipes");
    EXPECT_EQ(as<wxToolBar>(m.tbrMain)->GetToolsCount(), 3u);
    auto* rich = as<wxTextCtrl>(m.rtfNotes);
    ASSERT_NE(rich, nullptr);
    wxTextAttr style;
    ASSERT_TRUE(rich->GetStyle(2, style));
    EXPECT_TRUE(style.GetFont().GetWeight() >= wxFONTWEIGHT_BOLD);

    // Changes of the model show at once.
    m.sbrStatus.setPanelText(1, "Busy");
    EXPECT_EQ(as<wxStatusBar>(m.sbrStatus)->GetStatusText(0), "Busy");
    m.lvwSnipes.addItem("Filter");
    EXPECT_EQ(list->GetItemCount(), 4);
    m.mnuBar.setChecked(false);
    pump(200);
    bar = frame->GetMenuBar()->FindMenuItem("View", "Toolbar");
    ASSERT_NE(bar, wxNOT_FOUND);
    wxMenuItem* item = frame->GetMenuBar()->FindItem(bar);
    EXPECT_FALSE(item->IsCheckable() && item->IsChecked());

    if (const char* docs = std::getenv("KV_SCREENSHOT_DIR")) {
        std::string shot = std::string(docs) + "/rich-controls.png";
        wxRect r = frame->GetChildren().front()->GetScreenRect();
        std::string crop = std::to_string(r.width) + "x" + std::to_string(r.height) + "+" +
                           std::to_string(r.x) + "+" + std::to_string(r.y);
        EXPECT_EQ(std::system(("import -window root -crop " + crop + " +repage " + shot).c_str()),
                  0);
    }
}

TEST_F(WxMainWindow, MenuItemsChangeInPlace) {
    MainWindow& m = *main;
    wxMenuBar* bar = as<wxFrame>(m)->GetMenuBar();
    ASSERT_NE(bar, nullptr);
    const int id = backend->menuId(m.mnuBar);
    ASSERT_NE(id, wxID_NONE);
    for (int i = 0; i < 100; ++i) {
        m.mnuBar.setChecked(i % 2 == 1);
        wxMenuItem* item = bar->FindItem(id);
        ASSERT_NE(item, nullptr) << i;
        EXPECT_EQ(item->IsCheckable() && item->IsChecked(), m.mnuBar.checked()) << i;
        EXPECT_EQ(backend->menuId(m.mnuBar), id) << i;
    }
    pump(100);
    // Caption, enabled and visible state: the same bar, the same ids, the same places.
    m.mnuNew.setCaption("&Add snipe");
    m.mnuNew.setEnabled(false);
    const int exitId = backend->menuId(m.mnuExit);
    m.mnuNew.setVisible(false);
    EXPECT_EQ(bar->FindMenuItem("File", "Add snipe"), wxNOT_FOUND);
    EXPECT_EQ(backend->menuId(m.mnuNew), wxID_NONE);
    m.mnuNew.setVisible(true);
    pump(100);
    EXPECT_EQ(as<wxFrame>(m)->GetMenuBar(), bar);
    wxMenu* file = bar->GetMenu(0);
    ASSERT_EQ(file->GetMenuItemCount(), 3u);
    EXPECT_EQ(file->FindItemByPosition(0)->GetItemLabelText(), "Add snipe");
    EXPECT_FALSE(file->FindItemByPosition(0)->IsEnabled());
    EXPECT_EQ(backend->menuId(m.mnuExit), exitId);
    // A title hidden and shown again returns to its place; a removed item can't be picked.
    m.mnuFile.setVisible(false);
    EXPECT_EQ(bar->GetMenuCount(), 1u);
    m.mnuFile.setVisible(true);
    ASSERT_EQ(bar->GetMenuCount(), 2u);
    EXPECT_EQ(bar->GetMenuLabelText(0), "File");
    int exits = 0;
    m.mnuExit.onClick = [&] { ++exits; };
    m.remove(m.mnuExit);
    wxCommandEvent command(wxEVT_MENU, exitId);
    as<wxFrame>(m)->ProcessWindowEvent(command);
    EXPECT_EQ(exits, 0);
    EXPECT_EQ(bar->GetMenu(0)->GetMenuItemCount(), 2u);
}

// The report list draws its rows from the model: a sort, a check mark and a refill show at
// once, and a click on a row's check box reaches the model.
TEST_F(WxMainWindow, TheReportListShowsTheModelsRowsChecksAndOrder) {
    MainWindow& m = *main;
    auto* list = as<wxListCtrl>(m.lvwSnipes);
    ASSERT_NE(list, nullptr);
    m.lvwSnipes.setCheckBoxes(true);
    list = as<wxListCtrl>(m.lvwSnipes); // the check boxes may need a new widget
    ASSERT_NE(list, nullptr);
    int checks = 0;
    m.lvwSnipes.onItemCheck = [&](int) { ++checks; };
    m.lvwSnipes.setSortOrder(SortOrder::Descending);
    m.lvwSnipes.setSorted(true);
    EXPECT_EQ(list->GetItemText(0), "Tripod");
    EXPECT_EQ(list->GetItemText(2), "Camera");
    EXPECT_EQ(list->GetItemText(2, 1), "120.00");
    m.lvwSnipes.setChecked(1, true);
    EXPECT_TRUE(list->IsItemChecked(1));
    EXPECT_EQ(checks, 0); // a mark set from code raises no event
    m.lvwSnipes.setSelectedIndex(2);
    EXPECT_EQ(list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED), 2);
    m.lvwSnipes.clear();
    EXPECT_EQ(list->GetItemCount(), 0);
    for (const char* item : {"Camera", "Lens"})
        m.lvwSnipes.addItem(item);
    EXPECT_EQ(list->GetItemCount(), 2);
    EXPECT_EQ(list->GetItemText(0), "Lens");
    pump(200);

    wxRect row;
    ASSERT_TRUE(list->GetItemRect(1, row));
    clickAt(list->ClientToScreen(row.GetPosition() + wxPoint(10, row.height / 2)));
    EXPECT_TRUE(pump(1000, [&] { return m.lvwSnipes.checked(1); }));
    EXPECT_EQ(checks, 1);
    EXPECT_TRUE(list->IsItemChecked(1));

    // A change of the rows keeps the place the user scrolled to.
    for (int i = 0; i < 200; ++i)
        m.lvwSnipes.addItem("Row " + std::to_string(1000 + i));
    m.lvwSnipes.setSelectedIndex(0);
    list->EnsureVisible(150);
    pump(100);
    const long top = list->GetTopItem();
    ASSERT_GT(top, 0);
    m.lvwSnipes.setChecked(120, true);
    m.lvwSnipes.setText(140, 1, "9.99");
    pump(100);
    EXPECT_EQ(list->GetTopItem(), top);
    EXPECT_EQ(list->GetItemText(140, 1), "9.99");
}

TEST_F(WxMainWindow, MenuToolbarTreeTabAndListInputReachesTheModel) {
    MainWindow& m = *main;
    auto* frame = as<wxFrame>(m);
    // A menu command, as the menu bar sends it.
    int id = frame->GetMenuBar()->FindMenuItem("File", "New snipe");
    ASSERT_NE(id, wxNOT_FOUND);
    wxCommandEvent command(wxEVT_MENU, id);
    frame->ProcessWindowEvent(command);
    EXPECT_EQ(m.newClicks, 1);
    // A toolbar button.
    wxCommandEvent tool(wxEVT_TOOL, as<wxToolBar>(m.tbrMain)->GetToolByPos(2)->GetId());
    tool.SetEventObject(win(m.tbrMain));
    win(m.tbrMain)->ProcessWindowEvent(tool);
    EXPECT_EQ(m.lastButton, 3);

    // Mouse clicks through the X server: a node, a tab, a row.
    auto* tree = as<wxTreeCtrl>(m.tvwFolders);
    wxTreeItemIdValue cookie;
    wxTreeItemId all = tree->GetFirstChild(tree->GetRootItem(), cookie);
    wxTreeItemId won = tree->GetLastChild(all);
    wxRect node;
    ASSERT_TRUE(tree->GetBoundingRect(won, node, true));
    clickAt(tree->ClientToScreen(node.GetPosition() + wxPoint(5, node.height / 2)));
    EXPECT_TRUE(pump(1000, [&] { return m.lastNode == 2; })) << m.lastNode;
    EXPECT_EQ(m.tvwFolders.selectedIndex(), 2);

    clickAt(win(m.tabView)->GetScreenPosition() + wxPoint(110, 12));
    EXPECT_TRUE(pump(1000, [&] { return m.tabView.selectedIndex() == 2; }));

    auto* list = as<wxListCtrl>(m.lvwSnipes);
    wxRect row;
    ASSERT_TRUE(list->GetItemRect(2, row));
    clickAt(list->ClientToScreen(row.GetPosition() + wxPoint(20, row.height / 2)));
    EXPECT_TRUE(pump(1000, [&] { return m.lastRow == 2; })) << m.lastRow;
    EXPECT_EQ(m.lvwSnipes.selectedIndex(), 2);
}

} // namespace
} // namespace kv::ui

namespace kv::ui {
namespace {

using testing::pump;

class ShopPages : public ControlHost {
public:
    std::optional<WebPage> fetchPage(const std::string& url) override {
        if (url == "http://shop.test/item")
            return WebPage{url, "Item 42",
                           "<html><head><title>Item 42</title></head><body><h1>Camera</h1>"
                           "<a id='next' href='http://shop.test/next'>Next</a></body></html>"};
        if (url == "http://shop.test/next")
            return WebPage{url, "Next", "<html><body>Next item</body></html>"};
        return std::nullopt;
    }
};

// Icons from the model's image lists: the tree's nodes, the rows and the column titles'
// arrows (after the rows' icons in the toolkit's one list); a report whose columns are gone
// keeps its rows for when they come back.
TEST_F(WxMainWindow, IconsOfNodesRowsAndTitlesAndAReportWithoutColumns) {
    const Picture icon = *decodePicture(
        std::string("BM\x3a\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\x01\0\0\0\x01\0\0\0\x01\0"
                    "\x18\0\0\0\0\0\x04\0\0\0\x13\x0b\0\0\x13\x0b\0\0\0\0\0\0\0\0\0\0"
                    "\x20\x40\xC0\0",
                    58),
        "test");
    ImageList& icons = main->add<ImageList>("imlIcons");
    ImageList& arrows = main->add<ImageList>("imlArrows");
    for (int i = 0; i < 3; ++i)
        icons.add(icon);
    arrows.add(icon);
    arrows.add(icon);
    main->tvwFolders.setImageList(&icons);
    main->tvwFolders.setImage(1, 2);
    main->lvwSnipes.setSmallIcons(&icons);
    main->lvwSnipes.setColumnHeaderIcons(&arrows);
    main->lvwSnipes.setIcon(0, 3, 3);
    main->lvwSnipes.setColumnIcon(1, 2);
    pump(300);
    auto* tree = as<wxTreeCtrl>(main->tvwFolders);
    auto* list = as<wxListCtrl>(main->lvwSnipes);
    ASSERT_TRUE(tree && list);
    ASSERT_NE(tree->GetImageList(), nullptr);
    EXPECT_EQ(tree->GetImageList()->GetImageCount(), 3);
    ASSERT_NE(list->GetImageList(wxIMAGE_LIST_SMALL), nullptr);
    EXPECT_EQ(list->GetImageList(wxIMAGE_LIST_SMALL)->GetImageCount(), 5);
    wxListItem row;
    row.SetId(0);
    row.SetMask(wxLIST_MASK_IMAGE);
    ASSERT_TRUE(list->GetItem(row));
    EXPECT_EQ(row.GetImage(), 2);
    wxListItem title;
    title.SetMask(wxLIST_MASK_IMAGE);
    ASSERT_TRUE(list->GetColumn(1, title));
    EXPECT_EQ(title.GetImage(), 3 + 2 - 1);
    wxListItem plain; // without an arrow: so an unchanged title is seen as unchanged
    plain.SetMask(wxLIST_MASK_IMAGE);
    ASSERT_TRUE(list->GetColumn(0, plain));
    EXPECT_EQ(plain.GetImage(), -1);

    main->lvwSnipes.clearColumns();
    main->lvwSnipes.addItem("Strap");
    pump(200);
    main->lvwSnipes.addColumn("Item");
    pump(200);
    EXPECT_EQ(list->GetItemCount(), 4);
}

struct Shop : Form {
    Shop() : Form("frmShop") {
        setGeometry(at(60, 60, 400, 300));
        brwPage.setGeometry(at(0, 0, 400, 300));
        brwPage.onNavigateComplete = [this](const std::string& url) { loaded.push_back(url); };
        brwPage.onDocumentContextMenu = [this] {
            ++menus;
            return false;
        };
    }
    WebBrowser& brwPage = add<WebBrowser>("brwPage");
    std::vector<std::string> loaded;
    int menus = 0;
};

TEST(WxBrowser, ShowsTheModelsPagesAndFollowsLinksThroughIt) {
    wx::WxBackend* backend = wx::install();
    if (!backend) GTEST_SKIP() << "no display";
    setControlHost(std::make_unique<wx::PopupHost>(std::make_unique<ShopPages>()));
    auto& shop = app().form<Shop>();
    shop.show();
    shop.brwPage.navigate("http://shop.test/item", nav::NoReadFromCache);
    ASSERT_TRUE(pump(5000, [&] { return !shop.loaded.empty(); }));
    auto* view = dynamic_cast<wxWebView*>(backend->window(shop.brwPage));
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(pump(5000, [&] { return view->GetCurrentTitle() == "Item 42"; }))
        << view->GetCurrentTitle();

    // A right click raises the document's context-menu event.
    wxUIActionSimulator sim;
    sim.MouseMove(view->GetScreenPosition() + wxPoint(200, 200));
    pump(100);
    sim.MouseClick(wxMOUSE_BTN_RIGHT);
    EXPECT_TRUE(pump(2000, [&] { return shop.menus == 1; }));

    // A link followed in the page is loaded by the model.
    view->RunScriptAsync("document.getElementById('next').click();");
    EXPECT_TRUE(pump(5000, [&] { return shop.loaded.size() == 2; }));
    EXPECT_EQ(shop.brwPage.locationURL(), "http://shop.test/next");
    EXPECT_TRUE(shop.brwPage.canGoBack());
    resetApplication();
    resetControlHost();
}

} // namespace
} // namespace kv::ui
