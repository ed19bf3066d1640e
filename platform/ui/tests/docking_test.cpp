#include "platform/ui/bars.h"
#include "platform/ui/docking.h"
#include "platform/ui/form.h"
#include "platform/ui/menu.h"
#include "platform/ui/pictures.h"

#include <gtest/gtest.h>

namespace kv::ui {
namespace {

// A window with a menu bar, a toolbar and a status bar, and a pane docked after them.
struct Window : Form {
    explicit Window(Units units = Units::Twips) : Form("frmWindow", units) {
        setGeometry({0, 0, 6000, 5000});
        picPane.setGeometry({0, 0, 100, 600});
        tbBar.setGeometry({0, 0, 100, 420});
        sbBar.setGeometry({0, 0, 100, 300});
        picPane.setAlign(Align::Bottom);
        tbBar.setAlign(Align::Top);
        sbBar.setAlign(Align::Bottom);
    }
    Menu& mnuFile = add<Menu>("mnuFile");
    PictureBox& picPane = add<PictureBox>("picPane"); // before the bars in the form's order
    Toolbar& tbBar = add<Toolbar>("tbBar");
    StatusBar& sbBar = add<StatusBar>("sbBar");
};

TEST(Docking, ClientAreaIsWhatBorderCaptionAndMenuBarLeave) {
    struct Case {
        const char* name;
        BorderStyle border;
        bool menuBar;
        Units units;
        Size client;
    };
    const Case cases[] = {
        // 4 px sizable border on each side, a 19 px caption, a 19 px menu bar.
        {"sizable with a menu bar", BorderStyle::Sizable, true, Units::Twips, {5880, 4310}},
        {"sizable without", BorderStyle::Sizable, false, Units::Twips, {5880, 4595}},
        {"fixed", BorderStyle::FixedDialog, false, Units::Twips, {5910, 4625}},
        {"no border", BorderStyle::None, false, Units::Twips, {6000, 5000}},
        {"in pixels", BorderStyle::Sizable, true, Units::Pixels, {5992, 4954}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Window w(c.units);
        w.setBorderStyle(c.border);
        w.mnuFile.setVisible(c.menuBar);
        EXPECT_EQ(clientSize(w), c.client);
    }
}

TEST(Docking, BarsKeepTheEdgesAndHiddenControlsTakeNoRoom) {
    Window w;
    arrangeDocked(w);
    EXPECT_EQ(w.tbBar.geometry(), (Rect{0, 0, 5880, 420}));
    EXPECT_EQ(w.sbBar.geometry(), (Rect{0, 4010, 5880, 300}));
    EXPECT_EQ(w.picPane.geometry(), (Rect{0, 3410, 5880, 600}));

    w.sbBar.setVisible(false);
    w.picPane.setAlign(Align::Top);
    w.picPane.resize(10, 0);
    arrangeDocked(w);
    EXPECT_EQ(w.picPane.geometry(), (Rect{0, 420, 5880, 0}));
    EXPECT_EQ(w.sbBar.geometry(), (Rect{0, 4010, 5880, 300})); // hidden: left where it was

    w.tbBar.setVisible(false);
    arrangeDocked(w);
    EXPECT_EQ(w.picPane.top(), 0);
}

} // namespace
} // namespace kv::ui
