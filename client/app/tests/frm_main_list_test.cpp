// The main window's folder tree and snipe list as the user works them, against the stand-in
// service: folder clicks, row clicks and keys, check marks on total rows, column clicks,
// the auction the commands mean, and the double click.
#include "client/app/settings_store.h"
#include "client/app/tests/app_fixture.h"

#include "platform/ui/control_host.h"
#include "platform/ui/message_box.h"
#include "platform/ui/user_controls.h"
#include "platform/ui/user_input.h"

#include <map>
#include <memory>

namespace kv::app {
namespace {

using Requests = std::vector<std::string>;

// Pages of the fake web by address.
class Pages : public kv::ui::ControlHost {
public:
    explicit Pages(std::map<std::string, std::string> titles) : titles_(std::move(titles)) {}
    std::optional<kv::ui::WebPage> fetchPage(const std::string& url) override {
        const auto it = titles_.find(url);
        if (it == titles_.end()) return std::nullopt;
        return kv::ui::WebPage{url, it->second, "<html></html>"};
    }
    void popupMenu(kv::ui::Menu& menu) override { popups.push_back(menu.name()); }
    std::vector<std::string> popups;

private:
    std::map<std::string, std::string> titles_;
};

class MainList : public testing::AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        main_->show();
    }
    kv::ui::ListView& list() { return main_->lvListView; }
    kv::ui::TreeView& tree() { return main_->tvTreeView; }
    int node(const std::string& key) { return tree().find(key); }
    // The row of an item number, or of the total row whose label is given.
    int row(const std::string& text, int cell = 0) {
        for (int i = 0; i < list().itemCount(); ++i)
            if (list().text(i, cell) == text) return i;
        ADD_FAILURE() << "no row " << text;
        return -1;
    }
    void show(std::int16_t status, std::int16_t groupBy) {
        setCurrentGroupBy(groupBy);
        refreshAuctionList(status, groupBy);
        sim_.clearRequests();
    }
    std::vector<bool> marks() {
        std::vector<bool> out;
        for (int i = 0; i < list().itemCount(); ++i)
            out.push_back(list().checked(i));
        return out;
    }
    bool checkedMenus() {
        EXPECT_EQ(main_->mnuAuctionSelected.enabled(), main_->mnuPropSelected.enabled());
        return main_->mnuAuctionSelected.enabled();
    }
    // What GetSelectedItemNumber finds, starting from empty values.
    std::tuple<std::string, std::int32_t, std::int16_t> selected() {
        std::string item;
        std::int32_t bid = 0;
        std::int16_t site = 0;
        main_->GetSelectedItemNumber(item, bid, site);
        return {item, bid, site};
    }
};

TEST_F(MainList, AFolderClickListsItsStatusKeepingTheGrouping) {
    setCurrentGroupBy(1);
    struct Case {
        const char* key;
        const char* status;
        const char* text;
    };
    const Case cases[] = {{"k0", "0", "All Snipes"},
                          {"k1", "1", "Active snipes"},
                          {"k2", "2", "Successful snipes"},
                          {"k3", "3", "Failed snipes"},
                          {"k5", "5", "Cancelled snipes"},
                          {"k10", "10", "Items I'm Watching"},
                          {"k11", "11", "Items I'm Bidding On"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        sim_.clearRequests();
        main_->wb1.setVisible(true);
        // The click expands the holding folder that a user may have collapsed.
        const bool snipes = c.key[1] < '9' && std::string(c.key).size() == 2;
        tree().setExpanded(node(snipes ? "myebay" : "k0"), false);
        ASSERT_TRUE(kv::ui::user::clickNode(tree(), node(c.key)));
        EXPECT_EQ(sent(),
                  Requests{std::string("0=0&cmd=textdump&status_id=") + c.status + "&sort=seller"});
        EXPECT_EQ(currentGroupBy(), 1);
        EXPECT_FALSE(main_->wb1.visible());
        EXPECT_EQ(main_->sbStatusBar.panelText(1), std::string("Currently viewing ") + c.text);
        EXPECT_TRUE(tree().node(node("k0")).expanded);
        EXPECT_TRUE(tree().node(node("myebay")).expanded);
        EXPECT_EQ(main_->mousePointer(), kv::ui::MousePointer::Default);
    }

    // The spacer loads nothing; "My eBay" asks about the import every time.
    sim_.clearRequests();
    ASSERT_TRUE(kv::ui::user::clickNode(tree(), 5));
    EXPECT_EQ(sent(), Requests{});
    EXPECT_EQ(main_->sbStatusBar.panelText(1), "Currently viewing Items I'm Bidding On");
    for (int i = 0; i < 2; ++i) {
        ui_->expectBox({.caption = "Kestrovane",
                        .text = "Do you want to import your watch list and bids from eBay?",
                        .answer = kv::ui::id::No});
        tree().setSelectedIndex(-1);
        ASSERT_TRUE(kv::ui::user::clickNode(tree(), node("myebay")));
    }
    EXPECT_EQ(sent(), Requests{});
    // Enter in the tree clicks the selected folder.
    tree().setSelectedIndex(node("k3"));
    ASSERT_TRUE(kv::ui::user::pressKey(tree(), kv::ui::kKeyReturn));
    EXPECT_EQ(sent(), Requests{"0=0&cmd=textdump&status_id=3&sort=seller"});
    // A double click leaves neither holding folder collapsed.
    tree().setExpanded(node("myebay"), false);
    ASSERT_TRUE(kv::ui::user::doubleClickNode(tree(), node("k3")));
    EXPECT_TRUE(tree().node(node("myebay")).expanded);
}

TEST_F(MainList, ARowClickEnablesThePaidItemsOnlyInSuccessfulSnipes) {
    const std::vector<kv::ui::Menu*> paid{
        &main_->mnuSelectedPaid,         &main_->mnuSelectedReceived,
        &main_->mnuSelectedFeedback,     &main_->mnuPropSelectedPaid,
        &main_->mnuPropSelectedReceived, &main_->mnuPropSelectedFeedback};
    for (std::int16_t status : {2, 1}) {
        SCOPED_TRACE(status);
        show(status, 0);
        ASSERT_TRUE(kv::ui::user::clickRow(list(), row(status == 2 ? "3001122336" : "3001122334")));
        for (kv::ui::Menu* m : paid)
            EXPECT_EQ(m->enabled(), status == 2) << m->name();
        EXPECT_TRUE(main_->mnuAuctionProperties.enabled());
    }
    // The total row is no snipe: the snipe commands go off.
    ASSERT_TRUE(kv::ui::user::clickRow(list(), row(" TOTAL", 1)));
    EXPECT_FALSE(main_->mnuAuctionProperties.enabled());
    EXPECT_FALSE(main_->tbToolbar.button(13).enabled);
}

TEST_F(MainList, ATotalRowsCheckBoxFlipsItsGroup) {
    // Ungrouped: the " TOTAL" row flips every snipe row and keeps no mark.
    show(0, 0);
    const int total = row(" TOTAL", 1);
    ASSERT_TRUE(kv::ui::user::checkRow(list(), row("3001122335"), true));
    ASSERT_TRUE(kv::ui::user::checkRow(list(), total, true));
    std::vector<bool> want(static_cast<std::size_t>(list().itemCount()), true);
    want[static_cast<std::size_t>(total)] = false;
    want[static_cast<std::size_t>(row("3001122335"))] = false;
    EXPECT_EQ(marks(), want);
    EXPECT_TRUE(checkedMenus());

    // Grouped by seller: the rows of that seller flip, and flip back.
    show(0, 1);
    const int oldtime = row(" TOTAL for oldtime", 1);
    ASSERT_TRUE(kv::ui::user::checkRow(list(), oldtime, true));
    for (int i = 0; i < list().itemCount(); ++i)
        EXPECT_EQ(list().checked(i), list().text(i, 4) == "oldtime") << i;
    ASSERT_TRUE(kv::ui::user::checkRow(list(), oldtime, true));
    EXPECT_EQ(marks(), std::vector<bool>(static_cast<std::size_t>(list().itemCount()), false));
    EXPECT_FALSE(checkedMenus());

    // By bid group, with the context menu's toggle; the last uncheck turns the menus off.
    show(0, 2);
    ASSERT_TRUE(kv::ui::user::checkRow(list(), row(" TOTAL for Clocks", 1), true));
    int clocks = 0;
    for (int i = 0; i < list().itemCount(); ++i)
        if (list().checked(i)) {
            ++clocks;
            EXPECT_EQ(list().text(i, 14), "Clocks");
        }
    EXPECT_EQ(clocks, 3);
    list().setSelectedIndex(row("3001122336"));
    main_->mnuPropSelect.onClick(); // "Select", from the context menu
    EXPECT_FALSE(list().checked(row("3001122336")));
    EXPECT_TRUE(checkedMenus());
    ASSERT_TRUE(kv::ui::user::checkRow(list(), row("3001122337"), false));
    ASSERT_TRUE(kv::ui::user::checkRow(list(), row("3001122338"), false));
    EXPECT_FALSE(checkedMenus());
}

TEST_F(MainList, AColumnClickSortsOrUngroups) {
    show(0, 0);
    auto items = [&] {
        std::vector<std::string> out;
        for (int i = 0; i < list().itemCount(); ++i)
            if (!list().text(i).empty()) out.push_back(list().text(i));
        return out;
    };
    // The price column sorts by its hidden key: up, then down; its icon follows.
    ASSERT_TRUE(kv::ui::user::clickColumn(list(), 3));
    EXPECT_EQ(list().sortKey(), 13);
    EXPECT_EQ(list().sortOrder(), kv::ui::SortOrder::Ascending);
    EXPECT_EQ(items(), (std::vector<std::string>{"3001122338", "3001122335", "3001122337",
                                                 "3001122334", "3001122336"}));
    ASSERT_TRUE(kv::ui::user::clickColumn(list(), 3));
    EXPECT_EQ(list().sortOrder(), kv::ui::SortOrder::Descending);
    EXPECT_EQ(items().front(), "3001122336");
    for (int c = 0; c < list().columnCount(); ++c)
        EXPECT_EQ(list().column(c).icon, c == 3 ? 2 : 0) << c;
    // The sort is kept at close.
    ASSERT_TRUE(main_->unload());
    EXPECT_EQ(getSetting("SortKey", ""), "13");
    EXPECT_EQ(getSetting("SortOrder", ""), "1");
}

TEST_F(MainList, AColumnClickUngroupsAGroupedList) {
    main_->mnuViewGroupBySeller.setChecked(true);
    show(1, 1);
    main_->wb1.setVisible(true);
    ASSERT_TRUE(kv::ui::user::clickColumn(list(), 1));
    EXPECT_FALSE(main_->mnuViewGroupBySeller.checked());
    EXPECT_FALSE(main_->mnuViewGroupByBidGroup.checked());
    EXPECT_EQ(currentGroupBy(), 0);
    EXPECT_EQ(sent(), Requests{"0=0&cmd=textdump&status_id=1&sort=auction%5Fid"});
    EXPECT_FALSE(main_->wb1.visible());
    for (int c = 0; c < list().columnCount(); ++c)
        EXPECT_EQ(list().column(c).icon, 0) << c;
}

TEST_F(MainList, TheSelectedAuctionComesFromTheClickedRowOrThePageShown) {
    show(0, 0);
    // Right after a reload a selected row means nothing.
    ASSERT_GE(list().selectedIndex(), 0);
    EXPECT_EQ(selected(), std::make_tuple(std::string(), 0, std::int16_t{0}));
    ASSERT_TRUE(kv::ui::user::clickRow(list(), row("3001122336")));
    EXPECT_EQ(selected(), std::make_tuple(std::string("3001122336"), 103, std::int16_t{0}));

    kv::ui::setControlHost(std::make_unique<Pages>(std::map<std::string, std::string>{
        {"http://a.test/1", "eBay item 3001122335 (Ends Dec-12)"},
        {"http://a.test/2?Xbid_id=104&x=1", "eBay Motors item 3001122337 - Van"},
        {"http://a.test/3?Xbid_id=x", "eBay Motors items 3001122337"},
        {"http://a.test/4", "eBay item 30011x"}}));
    struct Case {
        const char* url;
        std::tuple<std::string, std::int32_t, std::int16_t> found;
    };
    const Case cases[] = {
        {"http://a.test/1", {"3001122335", 0, 1}},
        {"http://a.test/2?Xbid_id=104&x=1", {"3001122337", 104, 2}},
        {"http://a.test/3?Xbid_id=x", {"", 0, 0}},
        {"http://a.test/4", {"", 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        main_->wb1.navigate(c.url);
        kv::ui::app().processMessages();
        main_->wb1.setVisible(true);
        EXPECT_EQ(selected(), c.found);
    }
}

TEST_F(MainList, TheDoubleClickEditsOrOpensByClickToEdit) {
    show(0, 0);
    const int mantel = row("3001122336");
    // Off: the auction's page in the browser pane.
    const std::string page = "http://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&item=3001122336";
    auto host = std::make_unique<Pages>(std::map<std::string, std::string>{{page, "Mantel clock"}});
    Pages* pages = host.get();
    kv::ui::setControlHost(std::move(host));
    main_->clickToEdit = false;
    ASSERT_TRUE(kv::ui::user::doubleClickRow(list(), mantel));
    kv::ui::app().processMessages();
    EXPECT_EQ(main_->wb1.locationURL(), page);
    EXPECT_TRUE(main_->wb1.visible());
    EXPECT_EQ(sent(), Requests{});
    // Enter in the list does the same; the right button pops up the context menu.
    main_->wb1.navigate("about:blank");
    kv::ui::app().processMessages();
    main_->wb1.setVisible(false);
    ASSERT_TRUE(kv::ui::user::pressKey(list(), kv::ui::kKeyReturn));
    kv::ui::app().processMessages();
    EXPECT_EQ(main_->wb1.locationURL(), page);
    main_->wb1.setVisible(false);
    kv::ui::user::mouseClick(list(), {kv::ui::kRightButton, 0, 300, 300});
    EXPECT_EQ(pages->popups, std::vector<std::string>{"mnuProperties"});

    // On: the snipe editor for its bid id, then the list reloaded.
    main_->wb1.setVisible(false);
    main_->clickToEdit = true;
    int edits = 0;
    ui_->onModal("frmSnipe", [&](kv::ui::Form& f) {
        ++edits;
        f.hide();
    });
    ASSERT_TRUE(kv::ui::user::doubleClickRow(list(), row("3001122336")));
    EXPECT_EQ(edits, 1);
    ASSERT_EQ(sent().size(), 3u);
    EXPECT_EQ(sent()[0], "0=0&cmd=g2&bid_id=103");
    EXPECT_EQ(sent()[2], "0=0&cmd=textdump&status_id=0&sort=auction%5Fid");
}

TEST_F(MainList, CtrlEDoesNothingWhileItsItemIsDisabled) {
    show(0, 0);
    ASSERT_TRUE(kv::ui::user::clickRow(list(), row(" TOTAL", 1)));
    ASSERT_FALSE(main_->mnuAuctionProperties.enabled());
    kv::ui::user::pressKey(list(), 'E', kv::ui::kCtrlMask);
    EXPECT_EQ(sent(), Requests{});

    int edits = 0;
    ui_->onModal("frmSnipe", [&](kv::ui::Form& f) {
        ++edits;
        f.hide();
    });
    ASSERT_TRUE(kv::ui::user::clickRow(list(), row("3001122334")));
    kv::ui::user::pressKey(list(), 'E', kv::ui::kCtrlMask);
    EXPECT_EQ(edits, 1);
}

} // namespace
} // namespace kv::app
