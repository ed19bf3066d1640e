// The main window's browser panes played by UI scripts against the stand-in service: the
// switch between list and browser, the tab strip, the pages the commands open, the
// page-bound commands and the preview pane.

#include "client/app/frm_main.h"
#include "client/app/reset.h"
#include "client/app/settings_store.h"
#include "client/app/startup.h"
#include "client/app/tests/service_test.h"
#include "client/service/service_address.h"
#include "platform/ui/application.h"
#include "platform/ui/end_program.h"
#include "platform/ui/headless/headless.h"
#include "platform/ui/script/ui_script.h"
#include "platform/ui/user_controls.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace kv::app {
namespace {

using testing::kLogin;
using Lines = std::vector<std::string>;

constexpr const char* kItemPage = "http://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&item=3001122334";
constexpr const char* kOtherItemPage =
    "http://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&item=3001122335";
constexpr const char* kHome = "http://www.ebay.com/";
constexpr const char* kAdvancedSearch = "http://pages.ebay.com/search/items/search_adv.html";

// The fake web: the two active snipes' item pages, the home page and a page of another site.
constexpr const char* kPages =
    R"(page "http://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&item=3001122334" "eBay item 3001122334 (Ends Jul-01-26) - Brass pocket watch" "<p>Brass pocket watch</p>"
page "http://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&item=3001122335" "eBay item 3001122335 (Ends Jul-01-26) - Silver fob chain" "<p>Silver fob chain</p>"
page "http://www.ebay.com/" "eBay - The World's Online Marketplace" "<p>Welcome</p>"
page "http://www.example.org/" "Example" "<p>Elsewhere</p>"
)";

// alice, terms accepted and import asked before, starts the program under a UI script.
class BrowserPanes : public testing::ServiceTest {
protected:
    // Runs the start-up and the message loop under the script; what did not go as it says.
    std::string play(const std::string& script) {
        std::string error;
        if (!kv::ui::script::loadText(std::string(kLogin) + kPages + script, &error)) return error;
        saveSetting("AcceptedTerms", "1");
        saveSetting("importmyebay", "1");
        kv::ui::runProgram([] {
            Main();
            kv::ui::app().run();
            return 0;
        });
        return kv::ui::script::report();
    }
    // The transcript's lines that start with the word (after the tick), without the tick.
    static Lines linesOf(const std::string& word) {
        Lines out;
        std::istringstream in(kv::ui::script::transcript());
        for (std::string line; std::getline(in, line);) {
            const std::size_t at = line.find("] ");
            if (at == std::string::npos) continue;
            std::string rest = line.substr(at + 2);
            if (rest.rfind(word + " ", 0) == 0) out.push_back(rest);
        }
        return out;
    }
    static std::string nav(const std::string& pane, const std::string& url, int flags) {
        return "navigate frmMain." + pane + " \"" + url + "\" flags " + std::to_string(flags) +
               " frame \"\"";
    }
    // The requests' commands since the start, in order.
    Lines commands() const {
        Lines out;
        for (const std::string& q : sim_.requests()) {
            const std::size_t at = q.find("cmd=");
            if (at != std::string::npos) out.push_back(q.substr(at + 4, q.find('&', at) - at - 4));
        }
        return out;
    }
};

// The commands that follow the view: every one checked in the browser view, then the list.
constexpr const char* kBrowserViewState = R"(
  expect frmMain.ts1 tab 1 tag "ebay"
  expect frmMain.ts1 tab 1 toolTip "Show web browser"
  expect frmMain.ts1 tab 2 tag "snipes"
  expect frmMain.ts1 tab 2 toolTip "Show Snipes"
  expect frmMain.wb1 visible "true"
  expect frmMain.mnuViewBrowser checked "true"
  expect frmMain.mnuViewBrowser enabled "true"
  expect frmMain.mnuViewAuctionList checked "false"
  expect frmMain.mnuAuctionPrint enabled "true"
  expect frmMain.mnuAuctionSelected enabled "false"
  expect frmMain.mnuViewGroupBySeller enabled "false"
  expect frmMain.mnuViewGroupByBidGroup enabled "false"
  expect frmMain.tbToolbar button Back enabled "true"
  expect frmMain.tbToolbar button Home enabled "true"
  expect frmMain.ts1 selectedIndex "1"
  expect frmMain.mnuViewPaid enabled "false"
  expect frmMain.mnuViewReceipted enabled "false"
  expect frmMain.mnuEditUndo enabled "true"
  expect frmMain.mnuEditCut enabled "true"
  expect frmMain.mnuEditPaste enabled "true"
  expect frmMain.mnuPropSelect visible "false"
  expect frmMain.mnuPropOpen visible "false"
  expect frmMain.mnuPropSelected visible "false"
  expect frmMain.mnuPropBack visible "true"
  expect frmMain.mnuPropForward visible "true"
  expect frmMain.mnuPropPrint enabled "true"
  expect frmMain.sbStatusBar panel 1 text ""
)";
constexpr const char* kListViewState = R"(
  expect frmMain.wb1 visible "false"
  expect frmMain.mnuViewBrowser checked "false"
  expect frmMain.mnuViewAuctionList checked "true"
  expect frmMain.mnuViewAuctionList enabled "true"
  expect frmMain.mnuAuctionPrint enabled "false"
  expect frmMain.mnuViewGroupBySeller enabled "true"
  expect frmMain.tbToolbar button Back enabled "false"
  expect frmMain.tbToolbar button Home enabled "false"
  expect frmMain.ts1 selectedIndex "2"
  expect frmMain.mnuEditUndo enabled "false"
  expect frmMain.mnuEditCut enabled "false"
  expect frmMain.mnuEditPaste enabled "false"
  expect frmMain.mnuPropSelect visible "true"
  expect frmMain.mnuPropOpen visible "true"
  expect frmMain.mnuPropBack visible "false"
  expect frmMain.mnuPropForward visible "false"
  expect frmMain.mnuPropPrint enabled "false"
)";

TEST_F(BrowserPanes, TabsSwitchTheViewAndItsCommands) {
    const std::string script = std::string("idle\n") + kBrowserViewState +
                               // "snipes" in folder 0: the active snipes listed, their folder
                               // selected; the filters stay off outside folder 2.
                               "  tab frmMain.ts1 2\n" + kListViewState +
                               R"(  expect frmMain.tvTreeView node k1 selected "true"
  expect frmMain.lvListView itemCount "3"
  expect frmMain.mnuViewPaid enabled "false"
  node frmMain.tvTreeView k2
  expect frmMain.mnuViewPaid enabled "true"
  expect frmMain.mnuViewReceipted enabled "true"
  tab frmMain.ts1 2
  expect frmMain.mnuViewPaid enabled "true"
  tab frmMain.ts1 1
  expect frmMain.mnuViewPaid enabled "false"
  expect frmMain mousePointer "0"
end
idle
  expect frmMain.wb1 locationURL "http://www.ebay.com/"
  tab frmMain.ts1 1
  tab frmMain.ts1 2
  expect frmMain.lvListView itemCount "2"
  close frmMain
end
)";
    EXPECT_EQ(play(script), "");
    // The first "ebay" click leaves the news page for home; the second, on home, stays.
    const Lines navigations = linesOf("navigate");
    ASSERT_FALSE(navigations.empty());
    EXPECT_EQ(navigations.back(), nav("wb1", kHome, 4));
    int homes = 0;
    for (const std::string& n : navigations)
        homes += n == nav("wb1", kHome, 4);
    EXPECT_EQ(homes, 1);
    // Only the "snipes" click in folder 0 lists; the later ones (folder 2) do not.
    int dumps = 0;
    for (const std::string& c : commands())
        dumps += c == "textdump";
    EXPECT_EQ(dumps, 2); // the tab's listing of folder 1 and the click on folder 2
}

TEST_F(BrowserPanes, FixedPagesOpenWithTheirAddressesAndFlags) {
    const std::string service = kv::service::cgiUrl();
    EXPECT_EQ(play(R"(popup frmMain.mnuProperties pick mnuPropOpen
idle
  tab frmMain.ts1 2
  menu frmMain.mnuFindAuction
  button frmMain.tbToolbar Search
  button frmMain.tbToolbar Home
  menu frmMain.mnuHelpContents
  menu frmMain.mnuHelpPrivacy
  menu frmMain.mnuWatchedItem(2)
  tab frmMain.ts1 2
  row frmMain.lvListView "3001122334"
  mouse frmMain.lvListView right
)" + std::string(kBrowserViewState) +
                   R"(  close frmMain
end
)"),
              "");
    const Lines navigations = linesOf("navigate");
    ASSERT_GE(navigations.size(), 7u);
    const Lines last(navigations.end() - 7, navigations.end());
    EXPECT_EQ(
        last,
        (Lines{nav("wb1", kAdvancedSearch, 4), nav("wb1", kAdvancedSearch, 4), nav("wb1", kHome, 4),
               nav("wb1", service + "?cmd=help", 0), nav("wb1", service + "?cmd=privacy", 0),
               nav("wb1", "http://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&item=3009988772", 4),
               nav("wb1", kItemPage, 4)}));
}

// An item page enables the auction's commands and shows the snipe toolbar; any other page
// disables them again. The page's right click shows the program's menu, never its own:
// also on wb1's page after the preview beside it (its document bound last) closed. (The
// row clicks under the browser, which the model lets through, enable "Preview" as a page
// of one of the user's snipes would.)
TEST_F(BrowserPanes, PageBoundCommandsAndThePagesContextMenu) {
    EXPECT_EQ(play(R"(popup frmMain.mnuProperties pick mnuPropBack
popup frmMain.mnuProperties dismiss
popup frmMain.mnuProperties dismiss
popup frmMain.mnuProperties dismiss
idle
  expect frmMain.tbSnipe visible "false"
  tab frmMain.ts1 2
  row frmMain.lvListView "3001122334"
  dblrow frmMain.lvListView "3001122334"
end
idle
  expect frmMain.wb1 locationURL "http://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&item=3001122334"
  expect frmMain.tbSnipe visible "true"
  expect frmMain.mnuPropAdd enabled "true"
  expect frmMain.mnuWatchAdd enabled "true"
  expect frmMain.mnuAuctionProperties enabled "false"
  button frmMain.tbToolbar Home
end
idle
  expect frmMain.tbSnipe visible "false"
  expect frmMain.mnuPropAdd enabled "false"
  mouse frmMain.wb1 right
end
idle
  expect frmMain.wb1 locationURL "http://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&item=3001122334"
  expect frmMain.tbSnipe visible "true"
  mouse frmMain.wb1 right
  row frmMain.lvListView "3001122335"
  button frmMain.tbToolbar Preview
end
idle
  expect frmMain.wb2 locationURL "http://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&item=3001122334"
  mouse frmMain.wb2 right
  row frmMain.lvListView "3001122335"
  button frmMain.tbToolbar Preview
  expect frmMain.previewPane visible "false"
  mouse frmMain.wb1 right
  close frmMain
end
)"),
              "");
    EXPECT_EQ(linesOf("popup").size(), 4u);
}

// With ShowPreview stored as 0 the button opens the pane below the list on the selected
// snipe's page and hides it again; with no row identified (right after the reload that
// follows the snipe editor) it only presses the button. The browser
// view closes the pane, and the list view does not reopen it.
TEST_F(BrowserPanes, PreviewPaneOpensClosesAndGivesWayToTheBrowser) {
    EXPECT_EQ(play(R"(modal frmSnipe
  click cmdCancel
end
idle
  tab frmMain.ts1 2
  row frmMain.lvListView "3001122334"
  menu frmMain.mnuAuctionProperties
  button frmMain.tbToolbar Preview
  expect frmMain.tbToolbar button Preview pressed "true"
  expect frmMain.previewPane visible "false"
  button frmMain.tbToolbar Preview
  expect frmMain.tbToolbar button Preview pressed "false"
  row frmMain.lvListView "3001122334"
  button frmMain.tbToolbar Preview
  expect frmMain.previewPane visible "true"
  expect frmMain.picSplitter3 visible "true"
  expect frmMain.tbToolbar button Preview pressed "true"
  row frmMain.lvListView "3001122335"
end
idle
  expect frmMain.wb2 locationURL "http://cgi.ebay.com/ws/eBayISAPI.dll?ViewItem&item=3001122335"
  button frmMain.tbToolbar Preview
  expect frmMain.previewPane visible "false"
  expect frmMain.previewPane height "0"
  expect frmMain.picSplitter3 visible "false"
  button frmMain.tbToolbar Preview
  expect frmMain.previewPane visible "true"
  tab frmMain.ts1 1
  expect frmMain.previewPane visible "false"
  expect frmMain.tbToolbar button Preview pressed "false"
  tab frmMain.ts1 2
  expect frmMain.previewPane visible "false"
  close frmMain
end
)"),
              "");
    const Lines previews = [] {
        Lines out;
        for (const std::string& n : linesOf("navigate"))
            if (n.rfind("navigate frmMain.wb2", 0) == 0) out.push_back(n);
        return out;
    }();
    EXPECT_EQ(previews, (Lines{nav("wb2", "about:blank", 0), nav("wb2", kItemPage, 4),
                               nav("wb2", kOtherItemPage, 4), nav("wb2", kOtherItemPage, 4)}));
}

// F5 in the list view counts the preview as shown only while its pane is open: then it
// reloads the preview and keeps the view (the status text stays); else it shows the list.
TEST_F(BrowserPanes, RefreshReloadsThePreviewOnlyWhileItsPaneIsOpen) {
    EXPECT_EQ(play(R"(idle
  tab frmMain.ts1 2
  row frmMain.lvListView "3001122334"
  button frmMain.tbToolbar Preview
  node frmMain.tvTreeView k1
  key frmMain.lvListView 116
  expect frmMain.previewPane visible "true"
  expect frmMain.sbStatusBar panel 1 text "Currently viewing Active snipes"
  row frmMain.lvListView "3001122334"
  button frmMain.tbToolbar Preview
  node frmMain.tvTreeView k1
  key frmMain.lvListView 116
  expect frmMain.previewPane visible "false"
  expect frmMain.sbStatusBar panel 1 text ""
  close frmMain
end
)"),
              "");
}

// With both panes shown the edit commands reach wb1 only; print, back and forward reach
// both, wb1 first. In the list view print is disabled. (The row click under the browser,
// which the model lets through, enables "Preview" as a page of one of the user's snipes
// would; the button then previews wb1's item.)
TEST_F(BrowserPanes, CommandsWithBothPanesShown) {
    EXPECT_EQ(play(R"(idle
  tab frmMain.ts1 2
  expect frmMain.mnuAuctionPrint enabled "false"
  row frmMain.lvListView "3001122334"
  dblrow frmMain.lvListView "3001122334"
end
idle
  row frmMain.lvListView "3001122335"
  button frmMain.tbToolbar Preview
end
idle
  expect frmMain.wb1 visible "true"
  expect frmMain.previewPane visible "true"
  menu frmMain.mnuEditUndo
  menu frmMain.mnuEditCut
  menu frmMain.mnuEditPaste
  menu frmMain.mnuEditSelectAll
  menu frmMain.mnuEditCopy
  expect clipboard text "Brass pocket watch"
  menu frmMain.mnuAuctionPrint
  button frmMain.tbToolbar Back
end
idle
  expect frmMain.wb2 locationURL "about:blank"
  close frmMain
end
)"),
              "");
    EXPECT_EQ(linesOf("command"),
              (Lines{"command frmMain.wb1 15", "command frmMain.wb1 11", "command frmMain.wb1 13",
                     "command frmMain.wb1 17", "command frmMain.wb1 12", "command frmMain.wb1 6",
                     "command frmMain.wb2 6"}));
}

// Where the "Preview" button docks the pane: by ShowPreview when it is 1 or 2, else below
// the list; each opening and closing lays the window out again.
TEST_F(BrowserPanes, PreviewDocksWhereShowPreviewSays) {
    class Recording : public frmMain {
    public:
        void SizeControls(float&, float&) override { ++layouts; }
        int layouts = 0;
    };
    struct Case {
        const char* stored;
        kv::ui::Align align;
    };
    const Case cases[] = {{"0", kv::ui::Align::Bottom},
                          {"1", kv::ui::Align::Top},
                          {"2", kv::ui::Align::Bottom},
                          {"above", kv::ui::Align::Bottom}};
    for (const Case& c : cases) {
        kv::ui::headless::install();
        saveSetting("ShowPreview", "0"); // no preview when the window loads
        auto& main = kv::ui::app().create<Recording>();
        kv::ui::app().setMainForm(&main);
        main.show();
        main.lvListView.addItem("3001122334", "101");
        saveSetting("ShowPreview", c.stored); // read by the button, not only at the load
        ASSERT_TRUE(kv::ui::user::clickRow(main.lvListView, 0));
        const int preview = main.tbToolbar.find("Preview");
        main.layouts = 0;
        main.tbToolbar.raiseButtonClick(preview);
        EXPECT_EQ(main.previewPane.align(), c.align) << c.stored;
        EXPECT_TRUE(main.previewPane.visible()) << c.stored;
        EXPECT_EQ(main.wb2.navigations().back().url, kItemPage) << c.stored;
        EXPECT_EQ(main.layouts, 2) << c.stored; // the pane's and the button's
        main.tbToolbar.raiseButtonClick(preview);
        EXPECT_FALSE(main.previewPane.visible()) << c.stored;
        EXPECT_EQ(main.previewMode, 0) << c.stored;
        EXPECT_FALSE(main.tbToolbar.button(preview).pressed) << c.stored;
        kv::ui::resetForTests();
        resetForTests();
    }
}

} // namespace
} // namespace kv::app
