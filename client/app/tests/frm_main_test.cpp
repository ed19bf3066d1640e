#include "client/app/frm_main.h"
#include "client/app/list_state.h"
#include "client/app/reset.h"
#include "client/app/settings_store.h"
#include "client/app/site_home.h"

#include "platform/registry/registry.h"
#include "platform/system/testing/temp_machine.h"
#include "platform/ui/application.h"
#include "platform/ui/control_properties.h"
#include "platform/ui/headless/headless.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace kv::app {
namespace {

using machine::testing::TempMachine;
using ui::WindowState;

// Records the node the folder tree scrolls to each time it changes.
class RecordingBackend : public ui::headless::HeadlessBackend {
public:
    void propertyChanged(ui::Widget& w, ui::Property p) override {
        HeadlessBackend::propertyChanged(w, p);
        auto* tree = dynamic_cast<ui::TreeView*>(&w);
        if (!tree || p != ui::prop::Expansion || tree->firstVisible() < 0) return;
        if (scrolledTo.empty() || scrolledTo.back() != tree->firstVisible())
            scrolledTo.push_back(tree->firstVisible());
    }
    std::vector<int> scrolledTo;
};

// frmMain with the layout's calls recorded.
class RecordingMain : public frmMain {
public:
    void SizeControls(float& x, float& y) override { layouts.emplace_back(x, y); }
    std::vector<std::pair<float, float>> layouts;
};

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override { startRun(); }
    void TearDown() override { ui::resetForTests(); }
    // A new run of the program on the same machine: nothing cached from the last one.
    void startRun() {
        registry::resetForTests();
        resetForTests();
        ui::resetForTests();
        auto owned = std::make_unique<RecordingBackend>();
        backend_ = owned.get();
        ui::app().setBackend(std::move(owned));
    }
    RecordingMain& loadMain() {
        auto& main = ui::app().create<RecordingMain>();
        ui::app().setMainForm(&main);
        return main;
    }
    RecordingMain& showMain() {
        auto& main = loadMain();
        main.show();
        ui::app().processMessages();
        return main;
    }
    static void store(const std::map<std::string, std::string>& values) {
        for (const auto& [key, value] : values)
            saveSetting(key, value);
    }
    void freshMachine() {
        machine_.reset();
        machine_.emplace();
    }
    std::optional<TempMachine> machine_{std::in_place};
    RecordingBackend* backend_ = nullptr;
};

TEST_F(MainWindow, AnEmptyStoreGivesTheFirstStartState) {
    auto& main = loadMain();
    EXPECT_EQ(main.geometry(), (ui::Rect{1000, 1000, 6500, 6500}));
    EXPECT_EQ(main.picSplitter2.left(), 2740);
    EXPECT_EQ(main.picSplitter4.top(), 3975);
    EXPECT_EQ(main.previewMode, 0);
    EXPECT_TRUE(showPaid());
    EXPECT_TRUE(main.mnuViewPaid.checked());
    EXPECT_FALSE(showReceived());
    EXPECT_FALSE(main.mnuViewReceipted.checked());
    EXPECT_EQ(currentGroupBy(), 0);
    EXPECT_FALSE(main.clickToEdit);
    EXPECT_EQ(main.homeUrl, homeUrlFor(kMainSiteName));
    ASSERT_EQ(main.cboSearch.listCount(), 10);
    EXPECT_EQ(main.cboSearch.text(), "<Enter your eBay search here>");
    EXPECT_TRUE(main.layouts.empty()); // the load lays nothing out
}

TEST_F(MainWindow, StoredValuesAreAppliedAndValuesThatDoNotConvertAreSkipped) {
    struct Case {
        std::map<std::string, std::string> stored;
        bool paid, received;
        std::int16_t groupBy;
        bool clickToEdit;
        std::string home;
    };
    const std::string main = homeUrlFor(kMainSiteName);
    const Case cases[] = {
        {{{"PaidFilter", ""}, {"ReceiptedFilter", ""}}, true, false, 0, false, main},
        {{{"PaidFilter", "False"}, {"ReceiptedFilter", "True"}}, false, true, 0, false, main},
        {{{"PaidFilter", "0"}, {"ReceiptedFilter", "-1"}}, false, true, 0, false, main},
        {{{"ClickToEdit", "2"}, {"GroupBy", "2"}}, true, false, 2, true, main},
        {{{"ClickToEdit", "0"}, {"GroupBy", "1"}}, true, false, 1, false, main},
        {{{"BrowserHome", "eBay Korea"}}, true, false, 0, false, "http://www.ebay.co.kr/"},
        {{{"BrowserHome", "ebay korea"}}, true, false, 0, false, main},
        {{{"PaidFilter", "maybe"}, {"GroupBy", "x"}, {"ClickToEdit", "yes"}},
         true,
         false,
         0,
         false,
         main},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored.begin()->first + "=" + c.stored.begin()->second);
        freshMachine();
        startRun();
        store(c.stored);
        auto& w = loadMain();
        EXPECT_EQ(showPaid(), c.paid);
        EXPECT_EQ(w.mnuViewPaid.checked(), c.paid);
        EXPECT_EQ(showReceived(), c.received);
        EXPECT_EQ(w.mnuViewReceipted.checked(), c.received);
        EXPECT_EQ(currentGroupBy(), c.groupBy);
        // The grouping items' marks follow the grouping.
        EXPECT_EQ(w.mnuViewGroupBySeller.checked(), c.groupBy == 1);
        EXPECT_EQ(w.mnuViewGroupByBidGroup.checked(), c.groupBy == 2);
        EXPECT_EQ(w.clickToEdit, c.clickToEdit);
        EXPECT_EQ(w.homeUrl, c.home);
    }
}

TEST_F(MainWindow, AValueThatDoesNotConvertLeavesThePropertyAsItWas) {
    auto& main = loadMain();
    main.move(1500, 1600);
    setShowPaid(false);
    setCurrentGroupBy(1);
    main.previewMode = 2;
    main.clickToEdit = true;
    store({{"MainLeft", "left"},
           {"MainTop", "1e40"},
           {"MainWidth", "-20"},
           {"MainHeight", "4000"},
           {"PaidFilter", "perhaps"},
           {"GroupBy", "99999"},
           {"ShowPreview", ""},
           {"ClickToEdit", "on"},
           {"XSplitter", "2000.4"},
           {"YSplitter", "y"}});
    main.getSettings();
    EXPECT_EQ(main.geometry(), (ui::Rect{1500, 1600, 6500, 4000}));
    EXPECT_FALSE(showPaid());
    EXPECT_EQ(currentGroupBy(), 1);
    EXPECT_EQ(main.previewMode, 2);
    EXPECT_TRUE(main.clickToEdit);
    EXPECT_EQ(main.picSplitter2.left(), 2000);
    EXPECT_EQ(main.picSplitter4.top(), 3975);
    // A maximised window covers the work area and cannot be moved or sized.
    main.setWindowState(WindowState::Maximized);
    const ui::Rect area = ui::app().workArea();
    const ui::Rect maximised{area.left * 15, area.top * 15, area.width * 15, area.height * 15};
    EXPECT_EQ(main.geometry(), maximised);
    store({{"MainLeft", "10"}, {"MainWidth", "9000"}});
    main.getSettings();
    EXPECT_EQ(main.geometry(), maximised);
    main.setWindowState(WindowState::Normal);
    EXPECT_EQ(main.geometry(), (ui::Rect{1500, 1600, 6500, 4000}));
}

TEST_F(MainWindow, TheFolderTreeHasNineNodesScrolledIntoViewAndNoneSelected) {
    auto& main = loadMain();
    const ui::TreeView& t = main.tvTreeView;
    struct Node {
        const char* text;
        const char* key;
        int parent;
        int icon;
    };
    const Node expected[] = {
        {"All Snipes", "k0", -1, 14},           {"Active snipes", "k1", 0, 9},
        {"Successful snipes", "k2", 0, 15},     {"Failed snipes", "k3", 0, 16},
        {"Cancelled snipes", "k5", 0, 17},      {"", "", -1, 0},
        {"My eBay", "myebay", -1, 18},          {"Items I'm Watching", "k10", 6, 10},
        {"Items I'm Bidding On", "k11", 6, 19},
    };
    ASSERT_EQ(t.nodeCount(), 9);
    for (int i = 0; i < 9; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(t.node(i).text, expected[i].text);
        EXPECT_EQ(t.node(i).key, expected[i].key);
        EXPECT_EQ(t.node(i).parent, expected[i].parent);
        EXPECT_EQ(t.node(i).image, expected[i].icon);
        EXPECT_TRUE(t.nodeVisible(i));
    }
    EXPECT_EQ(t.roots(), (std::vector<int>{0, 5, 6}));
    EXPECT_EQ(t.node(0).children, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(t.node(6).children, (std::vector<int>{7, 8}));
    EXPECT_EQ(t.find("k4"), -1);
    EXPECT_EQ(backend_->scrolledTo, (std::vector<int>{1, 2, 4, 7, 8}));
    EXPECT_EQ(t.selectedIndex(), -1);
    EXPECT_EQ(t.imageList(), &main.imlToolbarIcons);
    EXPECT_EQ(main.lvListView.smallIcons(), &main.imlToolbarIcons);
}

TEST_F(MainWindow, ResizeKeepsTheMinimumWidthAndTheDividers) {
    store({{"XSplitter", "2500"}, {"YSplitter", "4100"}});
    auto& main = showMain();
    ASSERT_FALSE(main.layouts.empty()); // the first show lays the window out
    EXPECT_EQ(main.layouts.back(), (std::pair<float, float>{2500.f, 4100.f}));
    main.resize(2000, 300);
    EXPECT_EQ(main.width(), 3000);
    EXPECT_EQ(main.height(), 300); // any height is accepted
    EXPECT_EQ(main.layouts.back(), (std::pair<float, float>{2500.f, 4100.f}));
    main.setWindowState(WindowState::Minimized);
    main.resize(1000, 300);
    EXPECT_EQ(main.width(), 1000); // a minimised window cannot be sized
}

TEST_F(MainWindow, ThePaintPutsTheListBackInReportView) {
    auto& main = showMain();
    EXPECT_EQ(main.lvListView.view(), ui::ListViewMode::Report);
    main.lvListView.setView(ui::ListViewMode::SmallIcon);
    main.refresh();
    ui::app().processMessages();
    EXPECT_EQ(main.lvListView.view(), ui::ListViewMode::Report);
}

TEST_F(MainWindow, ClosingUnloadsEveryOtherWindowBeforeStoringTheSettings) {
    saveSetting("GroupBy", "1");
    // The splash window is loaded before the main window, a dialog after it.
    auto& splash = ui::app().load(std::make_unique<ui::Form>("frmSplash"));
    auto& main = showMain();
    auto& dialog = ui::app().load(std::make_unique<ui::Form>("frmOptions"));
    std::vector<std::string> seen; // the stored grouping as each window unloads
    for (ui::Form* f : {&splash, &dialog})
        f->onUnload = [&seen, f](int&) {
            seen.push_back(f->name() + " " + getSetting("GroupBy", ""));
        };
    setCurrentGroupBy(2);
    ASSERT_TRUE(main.close());
    EXPECT_EQ(seen, (std::vector<std::string>{"frmOptions 1", "frmSplash 1"}));
    EXPECT_TRUE(ui::app().forms().empty());
    EXPECT_EQ(getSetting("GroupBy", ""), "2");
}

TEST_F(MainWindow, ClosingWhileMinimisedKeepsTheLastGeometry) {
    auto& main = showMain();
    main.setGeometry({300, 400, 7000, 5000});
    main.picSplitter4.move(0, 4500);
    ASSERT_TRUE(main.close());
    EXPECT_EQ(getSetting("MainLeft", ""), "300");

    startRun();
    auto& again = showMain();
    EXPECT_EQ(again.geometry(), (ui::Rect{300, 400, 7000, 5000}));
    EXPECT_EQ(again.picSplitter4.top(), 4500);
    auto& other = ui::app().load(std::make_unique<ui::Form>("frmSplash"));
    again.setWindowState(WindowState::Minimized);
    again.setGeometry({0, 0, 3000, 400});
    again.picSplitter4.move(0, 5000);
    again.previewMode = 2;
    setShowPaid(false);
    setShowReceived(true);
    setCurrentGroupBy(2);
    again.lvListView.setSortKey(4);
    again.lvListView.setSortOrder(ui::SortOrder::Descending);
    ASSERT_TRUE(again.close());
    EXPECT_FALSE(other.loaded());
    const std::map<std::string, std::string> kept = {
        {"MainLeft", "300"},     {"MainTop", "400"},          {"MainWidth", "7000"},
        {"MainHeight", "5000"},  {"YSplitter", "4500"},       {"ShowPreview", "0"},
        {"PaidFilter", "False"}, {"ReceiptedFilter", "True"}, {"GroupBy", "2"},
        {"SortKey", "4"},        {"SortOrder", "1"},          {"ViewMode", "3"}};
    for (const auto& [key, value] : kept)
        EXPECT_EQ(getSetting(key, "<none>"), value) << key;
}

TEST_F(MainWindow, WhatOneProcessStoresIsWhatTheNextOneReads) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        startRun();
        auto& main = showMain();
        main.setGeometry({120, 240, 8000, 6000});
        main.picSplitter2.move(1800, 0);
        main.picSplitter4.move(0, 4321);
        main.previewMode = 1;
        setShowPaid(false);
        setShowReceived(true);
        setCurrentGroupBy(1);
        main.close();
        ::_exit(0);
    }
    int status = -1;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    startRun();
    auto& main = loadMain();
    EXPECT_EQ(main.geometry(), (ui::Rect{120, 240, 8000, 6000}));
    EXPECT_EQ(main.picSplitter2.left(), 1800);
    EXPECT_EQ(main.picSplitter4.top(), 4321);
    EXPECT_EQ(main.previewMode, 1);
    EXPECT_FALSE(showPaid());
    EXPECT_FALSE(main.mnuViewPaid.checked());
    EXPECT_TRUE(showReceived());
    EXPECT_EQ(currentGroupBy(), 1);
    EXPECT_EQ(getSetting("XSplitter", ""), "1800");
}

} // namespace
} // namespace kv::app
