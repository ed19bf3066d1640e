#include "platform/ui/bars.h"
#include "platform/ui/headless/controls.h"
#include "platform/ui/headless/headless.h"
#include "platform/ui/menu.h"
#include "platform/ui/tab_strip.h"
#include "platform/ui/tree_view.h"
#include "platform/ui/user_controls.h"

#include <gtest/gtest.h>

namespace kv::ui {
namespace {

struct Main : Form {
    Main() : Form("frmMain") {
        tv.onNodeClick = [this](int n) { nodeClicks.push_back(n); };
        tv.onDblClick = [this] { ++dblClicks; };
        for (Menu* m : {&mnuWatchedItem0, &mnuPropBack, &mnuPropSelect})
            m->onClick = [this, m] { picked.push_back(m->displayName()); };
        mnuProperties.setVisible(false);
        mnuWatchedItem0.setVisible(false);
        ts1.onMouseUp = [this](const MouseEvent&) { ++tabMouseUps; };
    }
    TreeView& tv = add<TreeView>("tvTreeView");
    Menu& mnuWatch = add<Menu>("mnuWatch");
    Menu& mnuWatchAdd = add<Menu>("mnuWatchAdd", -1, &mnuWatch);
    Menu& mnuWatchedItem0 = add<Menu>("mnuWatchedItem", 0, &mnuWatch);
    Menu& mnuWatchBottom = add<Menu>("mnuWatchBottom", -1, &mnuWatch);
    Menu& mnuProperties = add<Menu>("mnuProperties");
    Menu& mnuPropBack = add<Menu>("mnuPropBack", -1, &mnuProperties);
    Menu& mnuPropSelect = add<Menu>("mnuPropSelect", -1, &mnuProperties);
    TabStrip& ts1 = add<TabStrip>("ts1");
    std::vector<int> nodeClicks;
    std::vector<std::string> picked;
    int dblClicks = 0;
    int tabMouseUps = 0;
};

TEST(TreeView, NodesChildrenExpansionAndClicks) {
    headless::install();
    auto& f = app().form<Main>();
    auto& tv = f.tv;
    int all = tv.addNode("All Snipes", "k0");
    int active = tv.addNode("Active snipes", "k1", all);
    tv.addNode("", "", -1); // a spacer root
    int ebay = tv.addNode("My eBay", "myebay");
    int watching = tv.addNode("Items I'm Watching", "k10", ebay);
    EXPECT_EQ(tv.addNode("again", "k1"), -1); // keys are unique
    EXPECT_EQ(tv.addNode("orphan", "", 42), -1);
    EXPECT_EQ(tv.roots(), (std::vector<int>{all, 2, ebay}));
    EXPECT_EQ(tv.node(all).children, (std::vector<int>{active}));
    EXPECT_EQ(tv.find("k10"), watching);
    EXPECT_EQ(tv.find("K10"), -1);

    f.show();
    EXPECT_FALSE(tv.nodeVisible(watching));
    EXPECT_FALSE(user::clickNode(tv, watching)); // collapsed parent: cannot be clicked
    tv.ensureVisible(watching);
    EXPECT_TRUE(tv.node(ebay).expanded);
    EXPECT_EQ(tv.firstVisible(), watching);
    EXPECT_TRUE(user::clickNode(tv, watching));
    EXPECT_EQ(tv.selectedIndex(), watching);
    tv.setSelectedIndex(active); // from code: no event
    EXPECT_EQ(f.nodeClicks, (std::vector<int>{watching}));
    EXPECT_TRUE(user::doubleClickNode(tv, ebay)); // a parent: toggles, then the event
    EXPECT_FALSE(tv.node(ebay).expanded);
    EXPECT_EQ(f.dblClicks, 1);
}

TEST(Menu, CaptionsAccessKeysAndShortcuts) {
    struct Case {
        const char* caption;
        const char* shown;
        char key;
    } cases[] = {{"&New Snipe...", "New Snipe...", 'N'},
                 {"C&hange Snipe...", "Change Snipe...", 'H'},
                 {"Leave &Feedback && Mark Received", "Leave Feedback & Mark Received", 'F'},
                 {"Snipe History...", "Snipe History...", '\0'},
                 {"&&&Both", "&Both", 'B'},
                 {"trailing&", "trailing", '\0'}};
    for (const auto& c : cases) {
        EXPECT_EQ(menuText(c.caption), c.shown) << c.caption;
        EXPECT_EQ(accessKey(c.caption), c.key) << c.caption;
    }
}

TEST(Menu, ArrayGrowsInPlaceAndPopupRunsThePick) {
    headless::install();
    auto& host = headless::installControls();
    auto& f = app().form<Main>();
    f.mnuWatchedItem0.setCaption("(none)");
    std::vector<int> clicked;
    f.mnuWatchedItem0.onElementClick = [&](int index) { clicked.push_back(index); };
    Menu& one = f.mnuWatchedItem0.loadElement(1);
    one.setCaption("Red lamp");
    one.setTag("1001");
    one.setVisible(true);
    Menu& two = f.mnuWatchedItem0.loadElement(2);
    EXPECT_EQ(&f.mnuWatchedItem0.loadElement(2), &two);
    EXPECT_EQ(two.caption(), "(none)");
    EXPECT_FALSE(two.visible()); // like element 0
    one.click();                 // the array's click, with the element's index
    EXPECT_EQ(clicked, std::vector<int>{1});
    std::vector<std::string> order;
    for (Menu* m : f.mnuWatch.items())
        order.push_back(m->displayName());
    EXPECT_EQ(order,
              (std::vector<std::string>{"mnuWatchAdd", "mnuWatchedItem(0)", "mnuWatchedItem(1)",
                                        "mnuWatchedItem(2)", "mnuWatchBottom"}));
    // An unloaded element leaves its menu; an item moved to another menu follows.
    f.remove(two);
    f.mnuWatchBottom.setContainer(&f.mnuWatchedItem0);
    order.clear();
    for (Menu* m : f.mnuWatch.items())
        order.push_back(m->displayName());
    EXPECT_EQ(order,
              (std::vector<std::string>{"mnuWatchAdd", "mnuWatchedItem(0)", "mnuWatchedItem(1)"}));
    ASSERT_EQ(f.mnuWatchedItem0.items().size(), 1u);
    EXPECT_EQ(f.mnuWatchedItem0.items().front(), &f.mnuWatchBottom);
    f.mnuWatchBottom.setContainer(&f.mnuWatch);

    f.show();
    EXPECT_FALSE(user::pickMenu(f.mnuWatchedItem0)); // hidden element
    EXPECT_TRUE(user::pickMenu(one));
    one.onClick = [&] { f.picked.push_back("one"); };
    EXPECT_TRUE(user::pickMenu(one));
    EXPECT_FALSE(user::pickMenu(f.mnuWatch)); // a menu title with items is not a command

    // The context menu is hidden from the bar but can be popped up; its items are picked
    // while it is shown, and hidden or disabled items cannot be.
    EXPECT_FALSE(user::pickMenu(f.mnuPropBack));
    f.mnuPropSelect.setEnabled(false);
    host.onPopup("mnuProperties", [&](Menu& m) {
        EXPECT_EQ(host.currentPopup(), &m);
        EXPECT_FALSE(user::pickMenu(f.mnuPropSelect, &m));
        EXPECT_TRUE(user::pickMenu(f.mnuPropBack, &m));
    });
    f.mnuProperties.popup();
    f.mnuProperties.popup(); // no turn left: dismissed, recorded
    EXPECT_EQ(f.picked, (std::vector<std::string>{"one", "mnuPropBack"}));
    EXPECT_EQ(host.popups().size(), 2u);
    EXPECT_EQ(host.unexpectedPopups(), (std::vector<std::string>{"mnuProperties"}));
    EXPECT_EQ(host.currentPopup(), nullptr);
}

TEST(TabStrip, SelectingFromCodeRaisesNoMouseEvent) {
    headless::install();
    auto& f = app().form<Main>();
    f.ts1.addTab({.tag = "ebay", .toolTip = "Show web browser"});
    f.ts1.addTab({.tag = "snipes", .toolTip = "Show Snipes"});
    EXPECT_EQ(f.ts1.selectedIndex(), 1);
    f.show();
    f.ts1.setSelectedIndex(2);
    EXPECT_EQ(f.tabMouseUps, 0);
    EXPECT_EQ(f.ts1.tab(f.ts1.selectedIndex()).tag, "snipes");
    EXPECT_TRUE(user::selectTab(f.ts1, 2)); // already selected: the user's click still counts
    EXPECT_TRUE(user::selectTab(f.ts1, 1));
    EXPECT_EQ(f.tabMouseUps, 2);
    EXPECT_FALSE(user::selectTab(f.ts1, 3));
}

TEST(Toolbar, ButtonsByKeyWithStatesAndPanels) {
    headless::install();
    auto& f = app().form<Main>();
    auto& tb = f.add<Toolbar>("tbToolbar");
    auto& sb = f.add<StatusBar>("sbStatusBar");
    std::vector<std::string> clicked;
    tb.onButtonClick = [&](int i) { clicked.push_back(tb.button(i).key); };
    tb.addButton({.style = ToolButtonStyle::Separator});
    int back = tb.addButton({.key = "Back", .toolTip = "Back", .image = 1});
    int preview = tb.addButton({.key = "Preview", .style = ToolButtonStyle::Check});
    EXPECT_EQ(tb.find("Preview"), preview);
    EXPECT_EQ(tb.find("preview"), 0);
    f.show();
    EXPECT_FALSE(user::clickButton(tb, 1)); // a separator
    tb.setButtonEnabled(back, false);
    EXPECT_FALSE(user::clickButton(tb, back));
    tb.setButtonEnabled(back, true);
    EXPECT_TRUE(user::clickButton(tb, back));
    EXPECT_TRUE(user::clickButton(tb, preview)); // a check button toggles its pressed state
    EXPECT_TRUE(tb.button(preview).pressed);
    EXPECT_EQ(clicked, (std::vector<std::string>{"Back", "Preview"}));
    tb.setButtonPressed(preview, false); // from code: no event
    EXPECT_EQ(clicked.size(), 2u);

    sb.addPanel();
    sb.setPanelText(1, "Currently viewing Active snipes");
    sb.setPanelText(2, "ignored");
    EXPECT_EQ(sb.panelText(1), "Currently viewing Active snipes");
    EXPECT_EQ(sb.panelCount(), 1);
}

} // namespace
} // namespace kv::ui
