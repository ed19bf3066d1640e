#include "platform/ui/application.h"
#include "platform/ui/buttons.h"
#include "platform/ui/end_program.h"
#include "platform/ui/headless/headless.h"
#include "platform/ui/text_controls.h"
#include "platform/ui/user_input.h"

#include <gtest/gtest.h>

namespace kv::ui {
namespace {

std::vector<std::string> g_events;

struct Dialog : Form {
    Dialog() : Form("frmDialog") {
        onLoad = [] { g_events.push_back("load"); };
        onQueryUnload = [](int&, UnloadMode) { g_events.push_back("query"); };
        onUnload = [](int&) { g_events.push_back("unload"); };
        cmdOK.onClick = [this] { hide(); };
        cmdEnd.onClick = [] { app().end(3); };
        txtFeedback1.setMaxLength(3);
    }
    CommandButton& cmdOK = add<CommandButton>("cmdOK");
    CommandButton& cmdEnd = add<CommandButton>("cmdEnd");
    TextBox& txtFeedback0 = add<TextBox>("txtFeedback", 0);
    TextBox& txtFeedback1 = add<TextBox>("txtFeedback", 1);
};

struct Other : Form {
    Other() : Form("frmOther") {}
};

class FormTest : public ::testing::Test {
protected:
    void SetUp() override { g_events.clear(); }
    headless::HeadlessBackend& ui = headless::install();
};

TEST_F(FormTest, LoadsOnFirstUseAndModalShowReturnsWhenHidden) {
    ui.onModal("frmDialog", [](Form& f) {
        auto& d = static_cast<Dialog&>(f);
        EXPECT_TRUE(user::typeText(*d.find<TextBox>("TXTFEEDBACK", 1), "abcdef"));
        EXPECT_TRUE(user::click(d.cmdOK));
    });
    auto& d = app().form<Dialog>();
    EXPECT_EQ(&app().form<Dialog>(), &d);
    app().form<Other>();
    EXPECT_EQ(g_events, (std::vector<std::string>{"load"}));
    d.show(ShowMode::Modal);
    EXPECT_FALSE(d.shown());
    EXPECT_TRUE(d.loaded());
    EXPECT_EQ(d.txtFeedback1.text(), "abc");
    EXPECT_EQ(d.controlArray("txtFeedback").size(), 2u);
    ASSERT_EQ(app().forms().size(), 2u);
    EXPECT_EQ(app().forms()[0]->name(), "frmDialog");
    EXPECT_TRUE(d.unload());
    EXPECT_EQ(g_events, (std::vector<std::string>{"load", "query", "unload"}));
    EXPECT_EQ(app().forms().size(), 1u);
    EXPECT_EQ(ui.finish(), "");
}

TEST_F(FormTest, EndInsideModalShowUnwindsWithoutUnloadEvents) {
    ui.onModal("frmDialog", [](Form& f) { user::click(static_cast<Dialog&>(f).cmdEnd); });
    int code = runProgram([] {
        app().form<Dialog>().show(ShowMode::Modal);
        return 0;
    });
    EXPECT_EQ(code, 3);
    EXPECT_TRUE(app().ended());
    EXPECT_EQ(g_events, (std::vector<std::string>{"load"}));
}

TEST_F(FormTest, ModalShowWithoutUserIsReportedAndUnwinds) {
    app().form<Dialog>().show(ShowMode::Modal);
    EXPECT_NE(ui.finish().find("modal show of frmDialog"), std::string::npos);
}

TEST_F(FormTest, DisabledButtonCannotBeClickedByUser) {
    auto& d = app().form<Dialog>();
    d.show();
    d.cmdOK.setEnabled(false);
    EXPECT_FALSE(user::click(d.cmdOK));
    EXPECT_TRUE(d.shown());
}

TEST_F(FormTest, EnterAndEscapeReachOnlyReachableDefaultAndCancelButtons) {
    auto& d = app().form<Dialog>();
    d.cmdOK.setDefault(true);
    EXPECT_FALSE(user::pressEnter(d)); // not shown
    d.show();
    EXPECT_FALSE(user::pressEscape(d)); // no cancel button
    d.cmdOK.setEnabled(false);
    EXPECT_FALSE(user::pressEnter(d));
    d.cmdOK.setEnabled(true);
    int downs = 0;
    d.txtFeedback0.onMouseDown = [&](const MouseEvent& e) { downs += e.button; };
    EXPECT_TRUE(user::mouseDown(d.txtFeedback0, MouseEvent{kRightButton}));
    EXPECT_EQ(downs, kRightButton);
    EXPECT_TRUE(user::pressEnter(d));
    EXPECT_FALSE(d.shown()); // cmdOK hides the dialog
}

} // namespace
} // namespace kv::ui
