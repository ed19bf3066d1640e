#include "client/app/frm_main.h"
#include "client/app/list_display.h"
#include "client/app/list_state.h"
#include "client/app/reset.h"
#include "platform/registry/registry.h"
#include "platform/system/testing/temp_machine.h"
#include "platform/ui/application.h"
#include "platform/ui/headless/headless.h"
#include "platform/ui/user_input.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace kv::app {
namespace {

class MainSurface : public ::testing::Test {
protected:
    void SetUp() override {
        kv::registry::resetForTests();
        kv::ui::headless::install();
        main_ = &kv::ui::app().form<frmMain>();
    }
    void TearDown() override {
        resetForTests();
        kv::ui::resetForTests();
    }
    kv::machine::testing::TempMachine machine_;
    frmMain* main_ = nullptr;
};

TEST_F(MainSurface, MenuBarOrderCaptionsShortcutsAndStates) {
    std::vector<std::string> titles;
    for (kv::ui::Control* c : main_->controls())
        if (auto* m = dynamic_cast<kv::ui::Menu*>(c); m && !m->parentMenu())
            titles.push_back(m->caption());
    EXPECT_EQ(titles, (std::vector<std::string>{"&Auction", "&Edit", "&View", "Favorites", "&Help",
                                                "&Properties"}));
    EXPECT_FALSE(main_->mnuProperties.visible());
    EXPECT_EQ(main_->mnuAuctionProperties.shortcut(), "Ctrl+E");
    EXPECT_FALSE(main_->mnuAuctionProperties.enabled());
    EXPECT_EQ(main_->mnuHelpAbout.caption(), "&About ");
    EXPECT_EQ(main_->mnuSelectedFeedback.caption(), "Leave &Feedback && Mark Received");
    EXPECT_FALSE(main_->mnuPropSelect.visible());
    EXPECT_FALSE(main_->mnuWatchedItem0.visible());
    EXPECT_TRUE(main_->mnuViewToolbar.checked());
    EXPECT_EQ(main_->tbToolbar.buttonCount(), 16);
    EXPECT_EQ(main_->tbToolbar.find("Properties"), 13);
    EXPECT_EQ(main_->tbToolbar.button(8).style, kv::ui::ToolButtonStyle::Check);
    EXPECT_FALSE(main_->tbSnipe.visible());
    EXPECT_EQ(main_->Timer2.interval(), 60000);
    EXPECT_TRUE(main_->Timer2.enabled());
    EXPECT_FALSE(main_->Timer1.enabled());
}

// Every menu item in its place, with its caption, shortcut and state when the window opens:
// the five menus of the menu bar, then the context menu.
TEST_F(MainSurface, EveryMenuItemAsTheWindowOpens) {
    struct Item {
        const char* name; // two leading blanks: an item of a submenu
        const char* caption;
        const char* shortcut;
        const char* state; // "disabled", "checked", "hidden", or empty
    };
    const Item items[] = {
        {"mnuFile", R"(&Auction)", "", ""},
        {"mnuAddAuction", R"(&New Snipe...)", "Ctrl+N", ""},
        {"mnuAuctionProperties", R"(C&hange Snipe...)", "Ctrl+E", "disabled"},
        {"mnuAuctionHistory", R"(Snipe History...)", "", "disabled"},
        {"mnuDeleteAuction", R"(&Cancel Snipe...)", "", "disabled"},
        {"mnuAuctionSelected", R"(&Selected)", "", "disabled"},
        {"  mnuSelectedPaid", R"(Mark as &Paid)", "", ""},
        {"  mnuSelectedReceived", R"(Mark as &Received)", "", ""},
        {"  mnuSelectedFeedback", R"(Leave &Feedback && Mark Received)", "", ""},
        {"  mnuSelectedDelete", R"(&Cancel)", "", ""},
        {"mnuFileBar7", R"(-)", "", ""},
        {"mnuFindAuction", R"(&Find eBay Auction...)", "Ctrl+F", ""},
        {"mnuAuctionImport", R"(&Import "my eBay")", "", ""},
        {"mnuFileBar0", R"(-)", "", ""},
        {"mnuAuctionPrint", R"(&Print...)", "Ctrl+P", "disabled"},
        {"mnuFileBar3", R"(-)", "", ""},
        {"mnuLogout", R"(&Logout...)", "", ""},
        {"mnuFileBar5", R"(-)", "", ""},
        {"mnuFileClose", R"(&Close)", "", ""},
        {"mnuEdit", R"(&Edit)", "", ""},
        {"mnuEditUndo", R"(&Undo)", "Ctrl+Z", ""},
        {"mnuEditBar0", R"(-)", "", ""},
        {"mnuEditCut", R"(Cu&t)", "Ctrl+X", ""},
        {"mnuEditCopy", R"(&Copy)", "Ctrl+C", ""},
        {"mnuEditPaste", R"(&Paste)", "Ctrl+V", ""},
        {"mnuEditBar1", R"(-)", "", ""},
        {"mnuEditSelectAll", R"(Select &All)", "Ctrl+A", ""},
        {"mnuView", R"(&View)", "", ""},
        {"mnuViewToolbar", R"(&Toolbar)", "", "checked"},
        {"mnuViewStatusBar", R"(Status &Bar)", "", "checked"},
        {"mnuViewBar0", R"(-)", "", ""},
        {"mnuViewGroupByBidGroup", R"(Group Auctions by Bid &Group)", "", ""},
        {"mnuViewGroupBySeller", R"(Group Auctions by &Seller)", "", ""},
        {"mnuViewBar15", R"(-)", "", ""},
        {"mnuViewPaid", R"(Show &Paid Auctions)", "", "disabled checked"},
        {"mnuViewReceipted", R"(Show Receip&ted Auctions)", "", "disabled"},
        {"mnuViewBar9", R"(-)", "", ""},
        {"mnuViewBrowser", R"(&Web Browser)", "", "disabled"},
        {"mnuViewAuctionList", R"(&Auction List)", "", "disabled"},
        {"mnuViewBar1", R"(-)", "", ""},
        {"mnuViewRefresh", R"(&Refresh)", "F5", ""},
        {"mnuViewOptions", R"(&Options...)", "", ""},
        {"mnuWatch", R"(Favorites)", "", ""},
        {"mnuWatchAdd", R"(&Add to Favorites)", "", "disabled"},
        {"mnuWatchRm", R"(Remove from Favorites)", "", ""},
        {"mnuWatchBar1", R"(-)", "", ""},
        {"mnuWatchedItem(0)", R"()", "", "hidden"},
        {"mnuHelp", R"(&Help)", "", ""},
        {"mnuHelpContents", R"(&Kestrovane Help)", "F1", ""},
        {"mnuHelpLicense", R"(Kestrovane License Agreement...)", "", ""},
        {"mnuHelpPrivacy", R"(Kestrovane Privacy Statement)", "", ""},
        {"mnuHelpDiagnostics", R"(&Diagnostics)", "", ""},
        {"mnuHelpBar0", R"(-)", "", ""},
        {"mnuHelpAbout", R"(&About )", "", ""},
        {"mnuProperties", R"(&Properties)", "", "hidden"},
        {"mnuPropBack", R"(&Back)", "", ""},
        {"mnuPropForward", R"(Forward)", "", ""},
        {"mnuPropOpen", R"(Open eBay auction)", "", "disabled"},
        {"mnuPropSelect", R"(Select)", "", "hidden"},
        {"mnuPropSelected", R"(&Selected)", "", "disabled"},
        {"  mnuPropSelectedPaid", R"(Mark as &Paid)", "", ""},
        {"  mnuPropSelectedReceived", R"(Mark as &Received)", "", ""},
        {"  mnuPropSelectedFeedback", R"(Leave &Feedback && Mark Received)", "", ""},
        {"  mnuPropSelectedDelete", R"(&Cancel)", "", ""},
        {"mnuPropS0", R"(-)", "", ""},
        {"mnuPropUndo", R"(&Undo)", "", ""},
        {"mnuPropCut", R"(Cut)", "", ""},
        {"mnuPropCopy", R"(Copy)", "", ""},
        {"mnuPropPaste", R"(Paste)", "", ""},
        {"mnuPropSelectAll", R"(Select All)", "", ""},
        {"mnuPropS1", R"(-)", "", ""},
        {"mnuPropAdd", R"(Snipe this Auction...)", "", "disabled"},
        {"mnuPropEdit", R"(Change this Snipe...)", "", "disabled"},
        {"mnuPropHistory", R"(Snipe History...)", "", "disabled"},
        {"mnuPropDelete", R"(Cancel this Snipe...)", "", "disabled"},
        {"mnuPropFavorites", R"(Add Auction to Favorites...)", "", "disabled"},
        {"mnuPropS4", R"(-)", "", ""},
        {"mnuPropPrint", R"(Print)", "", ""},
        {"mnuPropRefresh", R"(Refresh)", "", ""},
        {"mnuPropS2", R"(-)", "", ""},
        {"mnuPropProperties", R"(Properties)", "", "disabled"},
    };
    auto line = [](kv::ui::Menu& m, int depth) {
        std::string state;
        for (auto [on, word] :
             {std::pair{!m.enabled(), "disabled"}, std::pair{m.checked(), "checked"},
              std::pair{!m.visible(), "hidden"}})
            if (on) state += (state.empty() ? "" : " ") + std::string(word);
        return std::string(depth > 1 ? "  " : "") + m.displayName() + "|" + m.caption() + "|" +
               m.shortcut() + "|" + state;
    };
    std::vector<std::string> actual;
    std::function<void(kv::ui::Menu*, int)> walk = [&](kv::ui::Menu* parent, int depth) {
        for (kv::ui::Control* c : main_->controls())
            if (auto* m = dynamic_cast<kv::ui::Menu*>(c); m && m->parentMenu() == parent) {
                actual.push_back(line(*m, depth));
                walk(m, depth + 1);
            }
    };
    walk(nullptr, 0);
    std::vector<std::string> expected;
    for (const Item& i : items)
        expected.push_back(std::string(i.name) + "|" + i.caption + "|" + i.shortcut + "|" +
                           i.state);
    for (std::size_t i = 0; i < std::max(actual.size(), expected.size()); ++i)
        EXPECT_EQ(i < actual.size() ? actual[i] : "", i < expected.size() ? expected[i] : "") << i;
}

TEST_F(MainSurface, TheToolbarsButtonsKeysAndTips) {
    const std::vector<std::pair<std::string, std::string>> buttons{
        {"", ""},
        {"Back", "Back"},
        {"Forward", "Forward"},
        {"Stop", "Stop"},
        {"Reload", "Reload"},
        {"Home", "Home"},
        {"", ""},
        {"Preview", "View/hide preview pane"},
        {"Folders", "View/hide folders"},
        {"Import", "Import \"myEbay\""},
        {"", ""},
        {"AddItem", "New snipe"},
        {"Properties", "Change a snipe"},
        {"Cancel", "Cancel a snipe"},
        {"Search", "Advanced search"},
        {"", ""}};
    ASSERT_EQ(main_->tbToolbar.buttonCount(), 16);
    for (int i = 1; i <= 16; ++i) {
        const kv::ui::ToolButton& b = main_->tbToolbar.button(i);
        const auto& [key, tip] = buttons[static_cast<std::size_t>(i - 1)];
        EXPECT_EQ(b.style == kv::ui::ToolButtonStyle::Separator, key.empty()) << i;
        if (key.empty()) continue;
        EXPECT_EQ(b.key, key) << i;
        EXPECT_EQ(b.toolTip, tip) << i;
        EXPECT_EQ(b.style == kv::ui::ToolButtonStyle::Check, i == 8 || i == 9) << i;
    }
}

TEST_F(MainSurface, ShortcutsMatchExactly) {
    using kv::ui::shortcutMatches;
    EXPECT_TRUE(shortcutMatches("Ctrl+E", 'E', kv::ui::kCtrlMask));
    EXPECT_FALSE(shortcutMatches("Ctrl+E", 'E', 0));
    EXPECT_FALSE(shortcutMatches("Ctrl+E", 'E', kv::ui::kCtrlMask | kv::ui::kShiftMask));
    EXPECT_TRUE(shortcutMatches("F5", 116, 0));
    EXPECT_FALSE(shortcutMatches("F5", 116, kv::ui::kCtrlMask));
}

TEST_F(MainSurface, SnipeCommandsStayOffInTheEbayListFolders) {
    for (std::int16_t status : {1, 10, 11}) {
        setCurrentStatus(status);
        main_->showBidSpecific(true);
        EXPECT_EQ(main_->mnuAuctionProperties.enabled(), status < 10) << status;
        EXPECT_EQ(main_->tbToolbar.button(13).enabled, status < 10) << status;
    }
}

} // namespace
} // namespace kv::app
