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

#include <string>

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
