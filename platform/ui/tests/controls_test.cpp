#include "platform/ui/buttons.h"
#include "platform/ui/headless/headless.h"
#include "platform/ui/lists.h"
#include "platform/ui/pictures.h"
#include "platform/ui/user_input.h"

#include <gtest/gtest.h>

namespace kv::ui {
namespace {

struct Page : Form {
    Page() : Form("frmPage", Units::Pixels) {
        onPaint = [this] { ++paints; };
        opt0.onClick = [this] { ++clicks; };
        opt1.onClick = [this] { ++clicks; };
        chk.onClick = [this] { ++clicks; };
        cbo.onClick = [this] { ++clicks; };
        cbo.setStyle(ComboStyle::DropDownList);
    }
    Frame& frame = add<Frame>("Frame2");
    OptionButton& opt0 = add<OptionButton>("dblClickOnAuction", 0, &frame);
    OptionButton& opt1 = add<OptionButton>("dblClickOnAuction", 1, &frame);
    CheckBox& chk = add<CheckBox>("chkPayPal");
    ComboBox& cbo = add<ComboBox>("cboRegion");
    int paints = 0;
    int clicks = 0;
};

TEST(Controls, OptionsCheckBoxesAndListsRaiseClicks) {
    headless::install();
    auto& p = app().form<Page>();
    p.show();
    app().processMessages();
    EXPECT_EQ(p.paints, 1);
    p.opt0.setValue(true);
    EXPECT_TRUE(user::click(p.opt1));
    EXPECT_FALSE(p.opt0.value());
    EXPECT_TRUE(user::setChecked(p.chk, true));
    EXPECT_TRUE(user::setChecked(p.chk, true)); // already ticked: no click
    p.cbo.addItem("North");
    p.cbo.setItemData(0, 7);
    p.cbo.addItem("East", 0);
    EXPECT_TRUE(user::choose(p.cbo, 1));
    EXPECT_EQ(p.cbo.text(), "North");
    EXPECT_EQ(p.cbo.itemData(p.cbo.listIndex()), 7);
    EXPECT_FALSE(user::typeText(p.cbo, "West")); // pick-only
    EXPECT_EQ(p.clicks, 4);
    p.frame.setEnabled(false);
    EXPECT_FALSE(user::click(p.opt0)); // unreachable inside a disabled frame
}

} // namespace
} // namespace kv::ui
