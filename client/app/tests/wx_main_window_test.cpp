// The main window on a real (virtual) screen: the panes where the layout puts them, a divider
// dragged with the real mouse, a menu shortcut typed, and a picture of it that is not blank.

#include "client/app/frm_main.h"
#include "client/app/startup.h"
#include "client/app/tests/wx_fixture.h"
#include "platform/ui/application.h"
#include "platform/ui/wx/wx_backend.h"

#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/image.h>
#include <wx/uiaction.h>
#include <wx/window.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <set>

namespace kv::app {
namespace {

using testing::pump;

// Twips at the 96 pixels per inch of the virtual screen.
int px(int twips) {
    return (twips + 7) / 15;
}

class WxMainWindow : public testing::WxFixture {
protected:
    wxWindow& window(ui::Widget& w) {
        wxWindow* found = backend_->window(w);
        EXPECT_NE(found, nullptr) << w.name();
        return *found;
    }
};

TEST_F(WxMainWindow, PanesWhereTheLayoutPutsThemARealDragAShortcutAndAPicture) {
    frmMain& main = mainForm();
    main.move(0, 0);
    main.show();
    pump(800);
    ASSERT_TRUE(window(main).IsShownOnScreen());

    // The tree, the list and the tab strip where the twips put them, below the toolbar.
    const wxRect tree = window(main.tvTreeView).GetRect();
    const wxRect list = window(main.lvListView).GetRect();
    const wxRect tabs = window(main.ts1).GetRect();
    EXPECT_EQ(tree, wxRect(px(20), px(930), px(2740), px(main.tvTreeView.height())));
    EXPECT_EQ(list.GetPosition(), wxPoint(px(2880), px(930)));
    EXPECT_EQ(list.height, tree.height);
    EXPECT_EQ(tabs.GetPosition(), wxPoint(0, window(main.tbToolbar).GetRect().GetBottom() + 1));
    // The list reaches down to the status bar of the real window, less its margin.
    EXPECT_NEAR(list.GetBottom(), window(main.sbStatusBar).GetRect().GetTop(), px(70));

    // The vertical divider dragged 60 pixels to the right with the mouse, pressed 3 pixels
    // inside it: the divider's new left edge is where the mouse is let go.
    wxUIActionSimulator mouse;
    const wxPoint grip = window(main.picSplitter2).GetScreenPosition() + wxPoint(3, 40);
    mouse.MouseMove(grip);
    pump(100);
    mouse.MouseDown();
    pump(100);
    mouse.MouseMove(grip + wxPoint(30, 0));
    pump(100);
    mouse.MouseMove(grip + wxPoint(60, 0));
    pump(100);
    EXPECT_TRUE(main.picSplitter1.visible()); // the ghost follows; the panes wait
    EXPECT_EQ(main.tvTreeView.width(), 2740);
    mouse.MouseUp();
    pump(300);
    EXPECT_FALSE(main.picSplitter1.visible());
    EXPECT_NEAR(main.picSplitter2.left(), 2740 + 63 * 15, 15);
    EXPECT_NEAR(window(main.tvTreeView).GetRect().width, px(2740) + 63, 1);
    EXPECT_NEAR(window(main.lvListView).GetRect().x, list.x + 63, 1);

    // Ctrl+A: "Select &All" ticks the snipes' rows.
    main.lvListView.addColumn("Item");
    main.lvListView.addItem("3001122334");
    main.lvListView.addItem("3007770001");
    pump(100);
    window(main.lvListView).SetFocus();
    pump(100);
    wxUIActionSimulator keys;
    keys.Char('a', wxMOD_CONTROL);
    pump(300);
    EXPECT_TRUE(main.lvListView.item(0).checked);
    EXPECT_TRUE(main.lvListView.item(1).checked);

    // A picture of the window: many colours, not one blank field.
    wxWindow& top = window(main);
    const wxRect r = top.GetScreenRect();
    wxBitmap shot(r.width, r.height);
    {
        wxScreenDC screen;
        wxMemoryDC memory(shot);
        memory.Blit(0, 0, r.width, r.height, &screen, r.x, r.y);
    }
    const wxImage image = shot.ConvertToImage();
    std::set<std::uint32_t> colours;
    for (int y = 0; y < image.GetHeight(); y += 2)
        for (int x = 0; x < image.GetWidth(); x += 2)
            colours.insert(static_cast<std::uint32_t>(image.GetRed(x, y)) << 16 |
                           static_cast<std::uint32_t>(image.GetGreen(x, y)) << 8 |
                           image.GetBlue(x, y));
    EXPECT_GT(colours.size(), 20u);
}

} // namespace
} // namespace kv::app
