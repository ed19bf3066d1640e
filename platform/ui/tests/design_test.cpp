#include "platform/ui/design.h"

#include "platform/ui/application.h"
#include "platform/ui/buttons.h"
#include "platform/ui/frame.h"
#include "platform/ui/headless/headless.h"
#include "platform/ui/lists.h"
#include "platform/ui/menu.h"
#include "platform/ui/text_controls.h"
#include "platform/ui/user_input.h"

#include <gtest/gtest.h>

namespace kv::ui {
namespace {

// A form declared as the programs declare theirs: controls in class, design in one table.
struct Designed : Form {
    Designed() : Form("frmDesigned") {
        applyDesign({
            {.widget = this, .caption = "Options", .geometry = {0, 0, 6000, 4000}},
            {.widget = &fraGeneral, .caption = "General", .geometry = {120, 120, 5000, 2000}},
            {.widget = &chkPayPal,
             .parent = &fraGeneral,
             .caption = "&PayPal",
             .geometry = {120, 240, 2000, 300},
             .state = kChecked | kDisabled},
            {.widget = &optView1, .parent = &fraGeneral, .state = kChecked},
            {.widget = &lblHint, .caption = "A long hint", .state = kWordWrap | kHidden},
            {.widget = &txtName, .text = "alice"},
            {.widget = &cboRegion, .text = "North"},
            {.widget = &cmdOK, .caption = "OK", .state = kDefaultButton | kChecked},
            {.widget = &cmdCancel, .caption = "Cancel", .state = kCancelButton},
            {.widget = &mnuFile, .caption = "&File"},
            {.widget = &mnuNew, .parent = &mnuFile, .caption = "&New", .shortcut = "Ctrl+N"},
        });
    }
    Frame& fraGeneral = add<Frame>("fraGeneral");
    CheckBox& chkPayPal = add<CheckBox>("chkPayPal");
    OptionButton& optView0 = add<OptionButton>("optView", 0);
    OptionButton& optView1 = add<OptionButton>("optView", 1);
    Label& lblHint = add<Label>("lblHint");
    TextBox& txtName = add<TextBox>("txtName");
    ComboBox& cboRegion = add<ComboBox>("cboRegion");
    CommandButton& cmdOK = add<CommandButton>("cmdOK");
    CommandButton& cmdCancel = add<CommandButton>("cmdCancel");
    Menu& mnuFile = add<Menu>("mnuFile");
    Menu& mnuNew = add<Menu>("mnuNew");
};

TEST(Design, OneTableGivesEachWidgetItsDesign) {
    headless::install();
    auto& d = app().form<Designed>();
    EXPECT_EQ(d.caption(), "Options");
    EXPECT_EQ(d.geometry(), (Rect{0, 0, 6000, 4000}));
    // Declaration order is the order of the controls and of the tab stops.
    std::vector<std::string> names;
    for (Control* c : d.controls())
        names.push_back(c->displayName());
    EXPECT_EQ(names, (std::vector<std::string>{"fraGeneral", "chkPayPal", "optView(0)",
                                               "optView(1)", "lblHint", "txtName", "cboRegion",
                                               "cmdOK", "cmdCancel", "mnuFile", "mnuNew"}));
    EXPECT_EQ(d.chkPayPal.container(), &d.fraGeneral);
    EXPECT_EQ(d.chkPayPal.caption(), "&PayPal");
    EXPECT_EQ(d.chkPayPal.geometry(), (Rect{120, 240, 2000, 300}));
    EXPECT_TRUE(d.chkPayPal.checked());
    EXPECT_FALSE(d.chkPayPal.enabled());
    EXPECT_TRUE(d.optView1.value());
    EXPECT_FALSE(d.optView0.value());
    EXPECT_TRUE(d.lblHint.wordWrap());
    EXPECT_FALSE(d.lblHint.visible());
    EXPECT_EQ(d.txtName.text(), "alice");
    EXPECT_EQ(d.cboRegion.text(), "North");
    EXPECT_TRUE(d.cmdOK.isDefault());
    EXPECT_FALSE(d.cmdOK.isCancel());
    EXPECT_TRUE(d.cmdCancel.isCancel());
    EXPECT_EQ(d.mnuNew.parentMenu(), &d.mnuFile);
    EXPECT_EQ(d.mnuNew.shortcut(), "Ctrl+N");
    EXPECT_EQ(d.mnuFile.items(), (std::vector<Menu*>{&d.mnuNew}));
    // Rows without a field leave it as the kind starts.
    EXPECT_EQ(d.optView1.geometry(), Rect{});
    EXPECT_TRUE(d.txtName.caption().empty());
    // A container given by the design holds its controls: disabling it makes them unreachable.
    d.show();
    d.fraGeneral.setEnabled(false);
    EXPECT_FALSE(user::click(d.optView1));
    EXPECT_TRUE(user::click(d.optView0)); // on the form
}

} // namespace
} // namespace kv::ui
