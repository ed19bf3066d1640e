// The main window's layout around its two dividers, played by UI scripts against the
// stand-in service: the first-start layout, the clamps, the drags, the folders pane, the bar
// toggles and the dividers kept from one run to the next. Geometry is in twips.

#include "client/app/frm_main.h"
#include "client/app/list_display.h"
#include "client/app/reset.h"
#include "client/app/settings_store.h"
#include "client/app/site_home.h"
#include "client/app/startup.h"
#include "client/app/tests/service_test.h"
#include "platform/ui/application.h"
#include "platform/ui/script/ui_script.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

namespace kv::app {
namespace {

// alice logged in, the main window shown as at a start (its settings applied) with the
// active snipes listed, and a UI script playing the user.
class Layout : public testing::ServiceTest {
protected:
    // Runs before (with the window shown), then the script until the window closes; what
    // did not go as the script says. Each call is a run of its own on the same machine.
    std::string play(const std::string& script, const std::function<void(frmMain&)>& before = {}) {
        kv::ui::script::resetForTests();
        resetForTests();
        return playLoggedIn(script, [&] {
            frmMain& main = mainForm();
            main.show();
            std::int16_t status = 1;
            std::int16_t groupBy = -1;
            refreshAuctionList(status, groupBy);
            if (before) before(main);
            kv::ui::app().run();
        });
    }
    // A machine of its own for the next case: no settings stored yet.
    void nextMachine() {
        dropMachine();
        freshMachine();
    }
};

// A snipe's row clicked, then the toolbar's "Preview": with no placement stored, the preview
// opens below the list.
constexpr const char* kPreviewAtTheBottom = R"(  row frmMain.lvListView "3001122334"
  button frmMain.tbToolbar Preview
  expect frmMain.previewPane visible "true"
)";
// A snipe's row clicked while the window's placement is at the top: the preview opens above
// the list.
constexpr const char* kPreviewAtTheTop = R"(  row frmMain.lvListView "3001122334"
  expect frmMain.previewPane visible "true"
)";
void placeAtTheTop(frmMain& main) {
    main.previewMode = 1;
}

// The expect lines of a control's geometry.
std::string at(const std::string& control, int left, int top, int width, int height) {
    const std::string c = "  expect frmMain." + control + " ";
    return c + "left \"" + std::to_string(left) + "\"\n" + c + "top \"" + std::to_string(top) +
           "\"\n" + c + "width \"" + std::to_string(width) + "\"\n" + c + "height \"" +
           std::to_string(height) + "\"\n";
}

// The folders pane's state: open (the gripper hidden, "Folders" pressed, the close button
// shown when there is room) or collapsed at x = 100.
std::string folders(bool open, bool closeButton) {
    const std::string o = open ? "true" : "false";
    const std::string c = open ? "false" : "true";
    return "  expect frmMain.picGripper visible \"" + c + "\"\n" +
           "  expect frmMain.tbToolbar button Folders pressed \"" + o + "\"\n" +
           "  expect frmMain.closeFolders visible \"" + (closeButton ? "true" : "false") + "\"\n";
}
std::string folders(bool open) {
    return folders(open, open);
}

TEST_F(Layout, FirstStartLayoutClampsYInAWindowShorterThanTwiceTheLeastYAndStoresIt) {
    // 6500 x 6500 with a client area 5810 high (border, caption and menu bar), a toolbar of
    // 420 and a status bar of 300: y = 3975 is pulled back to 6500 - 3975 = 2525.
    const std::string script =
        "idle\n" + at("tvTreeView", 20, 930, 2740, 4535) + at("lvListView", 2880, 930, 3520, 4535) +
        at("picSplitter2", 2740, 930, 120, 4535) + at("ts1", 0, 420, 6500, 4535) +
        at("tbToolbar", 0, 0, 6380, 420) + at("sbStatusBar", 0, 5510, 6380, 300) +
        at("wb1", 2880, 930, 3520, 4535) + "  expect frmMain.picSplitter4 top \"2525\"\n" +
        "  expect frmMain.searchBar top \"445\"\n" +
        "  expect frmMain.closeFolders left \"2490\"\n" +
        "  expect frmMain.closeFolders top \"960\"\n" +
        "  expect frmMain.previewPane height \"0\"\n" + folders(true) + "  close frmMain\nend\n";
    EXPECT_EQ(play(script), "");
    EXPECT_EQ(getSetting("XSplitter", ""), "2740");
    EXPECT_EQ(getSetting("YSplitter", ""), "2525");
}

TEST_F(Layout, FoldersPaneCollapsesAndReopensAtItsDefaultWidth) {
    // The pane dragged to 4000, closed, then reopened by the gripper, its picture and the
    // toolbar's "Folders", which collapses it again while it is open.
    const std::string script = R"(idle
  press frmMain.picSplitter2 left 30 100
  move frmMain.picSplitter2 1260 100
  release frmMain.picSplitter2 left 1260 100
  expect frmMain.tvTreeView width "4000"
  click frmMain.closeFolders
)" + at("tvTreeView", 20, 930, 100, 4535) +
                               at("picGripper", 20, 930, 100, 4535) + folders(false) +
                               "  expect frmMain.lvListView left \"240\"\n" +
                               R"(  click frmMain.picGripper
  expect frmMain.tvTreeView width "2740"
)" + folders(true) + R"(  button frmMain.tbToolbar Folders
)" + folders(false) + R"(  click frmMain.Picture2
  expect frmMain.tvTreeView width "2740"
  button frmMain.tbToolbar Folders
  button frmMain.tbToolbar Folders
  expect frmMain.tvTreeView width "2740"
)" + folders(true) + "  close frmMain\nend\n";
    EXPECT_EQ(play(script), "");
}

TEST_F(Layout, VerticalDragClampsTheGhostAndLaysOutOnRelease) {
    struct Case {
        const char* name;
        int moveTo; // relative to the divider at 2740; none when 0
        int ghost;  // the ghost's left before the release
        int x;      // the tree's width after it
        bool open;
        bool closeButton; // shown while x > 240 + 60
    };
    const Case cases[] = {
        {"left of 10: collapsed", -2735, 10, 100, false, false},
        {"at 100: collapsed", -2640, 100, 100, false, false},
        {"just right of 100", -2639, 101, 101, true, false},
        {"room for the close button", -2439, 301, 301, true, true},
        {"right of W - 500", 5000, 6000, 6000, true, true},
        {"press and release only", 0, 2740, 2740, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        nextMachine();
        std::string script = "idle\n  press frmMain.picSplitter2 left 30 100\n";
        script += "  expect frmMain.picSplitter1 visible \"true\"\n";
        script += at("picSplitter1", 2740, 930, 60, 4515);
        if (c.moveTo)
            script += "  move frmMain.picSplitter2 " + std::to_string(c.moveTo) + " 100\n";
        script += "  expect frmMain.picSplitter1 left \"" + std::to_string(c.ghost) + "\"\n";
        script += "  expect frmMain.tvTreeView width \"2740\"\n";
        script += "  release frmMain.picSplitter2 left 0 0\n";
        script += "  expect frmMain.picSplitter1 visible \"false\"\n";
        script += "  expect frmMain.tvTreeView width \"" + std::to_string(c.x) + "\"\n";
        script += "  expect frmMain.picSplitter2 left \"" + std::to_string(c.x) + "\"\n";
        script += "  expect frmMain.picSplitter4 top \"2525\"\n";
        script += folders(c.open, c.closeButton);
        // Moves after the release do nothing.
        script += "  move frmMain.picSplitter2 -2000 100\n";
        script += "  expect frmMain.picSplitter1 left \"" + std::to_string(c.ghost) + "\"\n";
        script += "  close frmMain\nend\n";
        EXPECT_EQ(play(script), "");
    }
}

TEST_F(Layout, XIsPulledBackInsideANarrowerWindow) {
    // x at 6000 in a window 6500 wide; the window made 5000 wide: x = 5000 - 100.
    const std::string script = R"(idle
  press frmMain.picSplitter2 left 30 100
  move frmMain.picSplitter2 3260 100
  release frmMain.picSplitter2 left 3260 100
  expect frmMain.picSplitter2 left "6000"
  resize frmMain 5000 6500
  expect frmMain.picSplitter2 left "4900"
  expect frmMain.tvTreeView width "4900"
  expect frmMain.lvListView left "5040"
  expect frmMain.lvListView width "260"
  close frmMain
end
)";
    EXPECT_EQ(play(script), "");
}

TEST_F(Layout, HorizontalDragWithThePreviewAtTheBottom) {
    // 9000 x 9000: client 8310 high; y between 3975 and 9000 - 3975 = 5025.
    const std::string script = std::string("idle\n  resize frmMain 9000 9000\n") +
                               kPreviewAtTheBottom + R"(  press frmMain.picSplitter4 left 100 30
  expect frmMain.picSplitter3 visible "true"
  expect frmMain.picSplitter3 height "75"
  move frmMain.picSplitter4 100 -3800
  expect frmMain.picSplitter3 top "500"
  expect frmMain.picSplitter4 top "3975"
  release frmMain.picSplitter4 left 0 0
  expect frmMain.picSplitter4 top "3975"
  expect frmMain.picSplitter3 visible "false"
  expect frmMain.picSplitter2 left "2740"
  expect frmMain.previewPane top "4070"
  expect frmMain.previewPane height "3940"
  expect frmMain.lvListView height "3020"
  press frmMain.picSplitter4 left 100 30
  move frmMain.picSplitter4 100 4800
  expect frmMain.picSplitter3 top "8500"
  release frmMain.picSplitter4 left 0 0
  expect frmMain.picSplitter4 top "5025"
  expect frmMain.picSplitter2 left "2740"
  press frmMain.picSplitter4 left 100 30
  move frmMain.picSplitter4 100 -25
  release frmMain.picSplitter4 left 0 0
  expect frmMain.picSplitter4 top "5000"
  expect frmMain.previewPane height "2915"
  expect frmMain.previewPane top "5095"
  expect frmMain.wb2 height "2915"
  expect frmMain.lvListView height "4045"
  press frmMain.picSplitter4 left 100 30
  release frmMain.picSplitter4 left 0 0
  expect frmMain.picSplitter4 top "5000"
  close frmMain
end
)";
    EXPECT_EQ(play(script), "");
    EXPECT_EQ(getSetting("YSplitter", ""), "5000");
}

TEST_F(Layout, StatusBarAndToolbarToggles) {
    struct Case {
        const char* name;
        std::optional<kv::ui::Align> preview;
        int size; // the window's width and height
        std::string script;
    };
    const Case cases[] = {
        // No preview: the list grows by the status bar; the toolbar hidden moves the list
        // up but keeps counting its height.
        {"no preview", std::nullopt, 6500, R"(  menu frmMain.mnuViewStatusBar
  expect frmMain.sbStatusBar visible "false"
  expect frmMain.lvListView top "930"
  expect frmMain.lvListView height "4835"
  menu frmMain.mnuViewStatusBar
  expect frmMain.lvListView height "4535"
  menu frmMain.mnuViewToolbar
  expect frmMain.tbToolbar visible "false"
  expect frmMain.lvListView top "510"
  expect frmMain.lvListView height "4535"
  expect frmMain.tvTreeView top "510"
  expect frmMain.ts1 top "420"
)"},
        // At the bottom (client 8310 high, y 3975): the preview grows instead.
        {"preview at the bottom", kv::ui::Align::Bottom, 9000,
         R"(  expect frmMain.previewPane height "3940"
  expect frmMain.lvListView height "3020"
  menu frmMain.mnuViewStatusBar
  expect frmMain.previewPane height "4315"
  expect frmMain.previewPane top "3995"
  menu frmMain.mnuViewStatusBar
  menu frmMain.mnuViewToolbar
  expect frmMain.lvListView top "510"
  expect frmMain.previewPane height "3940"
)"},
        // At the top (least y 5810 - 3975 - 490 - 420 = 925; y 2525): the list grows; the
        // toolbar hidden moves the preview's top, not the list.
        {"preview at the top", kv::ui::Align::Top, 6500, R"(  expect frmMain.previewPane top "420"
  expect frmMain.previewPane height "2105"
  expect frmMain.ts1 top "2620"
  expect frmMain.lvListView top "3110"
  expect frmMain.lvListView height "2430"
  menu frmMain.mnuViewStatusBar
  expect frmMain.lvListView height "2730"
  menu frmMain.mnuViewStatusBar
  menu frmMain.mnuViewToolbar
  expect frmMain.previewPane top "0"
  expect frmMain.previewPane height "2525"
  expect frmMain.lvListView top "3110"
  expect frmMain.lvListView height "2010"
  menu frmMain.mnuViewToolbar
  press frmMain.picSplitter4 left 100 30
  move frmMain.picSplitter4 100 -2100
  release frmMain.picSplitter4 left 0 0
  expect frmMain.picSplitter4 top "925"
  expect frmMain.previewPane height "505"
)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        nextMachine();
        const std::string size = std::to_string(c.size);
        std::string script = "idle\n  resize frmMain " + size + " " + size + "\n";
        if (c.preview == kv::ui::Align::Bottom) script += kPreviewAtTheBottom;
        if (c.preview == kv::ui::Align::Top) script += kPreviewAtTheTop;
        script += c.script + "  close frmMain\nend\n";
        EXPECT_EQ(play(script,
                       [&](frmMain& m) {
                           if (c.preview == kv::ui::Align::Top) placeAtTheTop(m);
                       }),
                  "");
    }
}

TEST_F(Layout, DividersAreStoredAtCloseAndRestoredAtTheNextStart) {
    const std::string first = std::string("idle\n  resize frmMain 9000 9000\n") +
                              kPreviewAtTheBottom + R"(  press frmMain.picSplitter2 left 30 100
  move frmMain.picSplitter2 1260 100
  release frmMain.picSplitter2 left 0 0
  press frmMain.picSplitter4 left 100 30
  move frmMain.picSplitter4 100 1025
  release frmMain.picSplitter4 left 0 0
  close frmMain
end
)";
    EXPECT_EQ(play(first), "");
    EXPECT_EQ(getSetting("XSplitter", ""), "4000");
    EXPECT_EQ(getSetting("YSplitter", ""), "5000");
    const std::string next = R"(idle
  expect frmMain width "9000"
  expect frmMain.picSplitter2 left "4000"
  expect frmMain.tvTreeView width "4000"
  expect frmMain.picSplitter4 top "5000"
  expect frmMain.picSplitter3 top "5000"
  close frmMain
end
)";
    EXPECT_EQ(play(next), "");
}

TEST_F(Layout, OptionsStoresTheWindowsSettingsFirstAndAppliesTheDialogsAfterOk) {
    // The preview placement of the window (at the top, opened by the row's click), not yet
    // stored, is what the dialog shows; after OK the preview is docked at the bottom, the
    // divider dragged before is kept, and "Home" goes to the chosen site.
    const std::string script = "page \"" + homeUrlFor("eBay Korea") + "\" \"eBay Korea\"\n" +
                               R"(idle
  press frmMain.picSplitter2 left 30 100
  move frmMain.picSplitter2 1260 100
  release frmMain.picSplitter2 left 0 0
  row frmMain.lvListView "3001122334"
  expect frmMain.previewPane top "420"
  menu frmMain.mnuViewOptions
  expect frmMain.picSplitter2 left "4000"
  expect frmMain.previewPane visible "true"
  expect frmMain.picSplitter4 top "2525"
  expect frmMain.previewPane top "2620"
  expect frmMain.previewPane height "2890"
  expect frmMain.lvListView height "1570"
  tab frmMain.ts1 1
end
idle
  button frmMain.tbToolbar Home
end
idle
  expect frmMain.wb1 locationURL ")" +
                               homeUrlFor("eBay Korea") +
                               R"("
  close frmMain
end
modal frmOptions
  tab tbsOptions 4
  expect showPreview listIndex "1"
  choose showPreview #2
  choose eBayHome "eBay Korea"
  click cmdOK
end
)";
    frmMain* window = nullptr;
    EXPECT_EQ(play(script,
                   [&](frmMain& m) {
                       window = &m;
                       placeAtTheTop(m);
                   }),
              "");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->previewMode, 2);
    EXPECT_NE(homeUrlFor("eBay Korea"), homeUrlFor(kMainSiteName));
    EXPECT_EQ(getSetting("ShowPreview", ""), "2");
    EXPECT_EQ(getSetting("XSplitter", ""), "4000");
}

} // namespace
} // namespace kv::app
