// The background window in this process on the headless backend: its size and caption, the
// wizard it prepares and keeps above it, the gradient rows, the captions' places and
// shadows, and its closing.

#include "installer/setup/main_form.h"

#include "installer/common/registry_ops.h"
#include "installer/common/registry_primitives.h"
#include "installer/common/system_queries.h"
#include "installer/common/tests/machine_helpers.h"
#include "installer/setup/background_layout.h"
#include "installer/setup/reset.h"
#include "installer/setup/script.h"
#include "installer/setup/setup_state.h"
#include "installer/setup/tests/setup_fixture.h"
#include "installer/setup/wizard_form.h"
#include "platform/fs/files.h"
#include "platform/ui/application.h"
#include "platform/ui/headless/headless.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace kv::installer {
namespace {

constexpr const char* kDynData = "HKEY_CURRENT_USER\\Software\\Welmox_Dyn_Data";

class MainFormTest : public testing::SetupFixture {
protected:
    // The background window of the script, shown as setup shows it.
    TSMainForm& start(const std::string& text) {
        script_.LoadFromText("SET_SETUP_BACKGROUND\nSET_PROG_NAME(Demo)\n"
                             "SET_DIALOGS(WelcomeDlg)\n" +
                             text);
        auto& f = static_cast<TSMainForm&>(ui::app().load(std::make_unique<TSMainForm>(script_)));
        ui::app().setMainForm(&f);
        f.show();
        return f;
    }
    // The texts drawn on a surface, in order.
    static std::vector<ui::TextOp> texts(const ui::Surface& s) {
        std::vector<ui::TextOp> out;
        for (const ui::DrawOp& op : s.ops())
            if (const auto* t = std::get_if<ui::TextOp>(&op)) out.push_back(*t);
        return out;
    }
    static std::vector<ui::FillOp> fills(const ui::Surface& s) {
        std::vector<ui::FillOp> out;
        for (const ui::DrawOp& op : s.ops())
            if (const auto* f = std::get_if<ui::FillOp>(&op)) out.push_back(*f);
        return out;
    }
    // Unloads the window without the exit question and drops the run's values.
    static void drop(TSMainForm& f) {
        setupState().exitChosen = true;
        f.unload();
        resetForTests();
    }
    static ui::Surface paint(TSMainForm& f) {
        ui::Surface s;
        f.PaintBackground(s, false);
        return s;
    }

    TScript script_;
};

TEST_F(MainFormTest, CoversTheWorkAreaAndShowsTheWizardAboveIt) {
    ui::app().setScreen({1024, 768}, {0, 30, 1024, 708});
    RegWriteString(kDynData, "OriginDir", "C:\\Somewhere");
    TSMainForm& f = start("SET_TOP_BG_COLOR(255)\nSET_DIALOG_LOCATION(|Top/Left|5|7|)\n");
    EXPECT_EQ(f.geometry(), (ui::Rect{0, 30, 1024, 708}));
    EXPECT_EQ(f.caption(), "Welmox - Demo");
    EXPECT_EQ(ui::app().title(), "Welmox - Demo");
    EXPECT_EQ(f.backColor(), 255u);
    EXPECT_TRUE(f.popup());
    ASSERT_NE(f.Wizard(), nullptr);
    TSDialogForm& w = *f.Wizard();
    // The wizard is prepared and shown 500 ms after the show, placed in the window's area.
    ui::app().waitPumping(450);
    EXPECT_FALSE(w.shown());
    EXPECT_FALSE(f.KeepOnTop());
    ui::app().waitPumping(100);
    EXPECT_TRUE(w.shown());
    EXPECT_TRUE(f.KeepOnTop());
    EXPECT_EQ(w.left(), 5);
    EXPECT_EQ(w.top(), 37);
    // Whatever comes to the front, the background goes back directly below the wizard.
    f.bringToFront();
    EXPECT_EQ(ui::app().zOrder().front(), &f);
    ui::app().waitPumping(100);
    EXPECT_EQ(ui::app().zOrder(), (std::vector<ui::Form*>{&w, &f}));
    // The wizard closing (its pages done) closes the background, once, without a question;
    // the key of the update's caller goes with it.
    w.FinishDialogs();
    EXPECT_FALSE(w.loaded());
    EXPECT_FALSE(f.loaded());
    EXPECT_TRUE(f.Closing());
    EXPECT_FALSE(RegKeyExists(kDynData));
}

TEST_F(MainFormTest, ClosingAsksTheExitQuestion) {
    TSMainForm& f = start("");
    ui::app().waitPumping(600);
    auto answer = [](const char* button) {
        return [button](ui::Form& q) { q.find<ui::CommandButton>(button)->click(); };
    };
    ui_->onModal("ExitSetupForm", answer("ResumeButton"));
    EXPECT_FALSE(f.close());
    EXPECT_TRUE(f.KeepOnTop());
    RegWriteString(kDynData, "OriginDir", "C:\\Somewhere");
    ui_->onModal("ExitSetupForm", answer("ExitSetupButton"));
    EXPECT_TRUE(f.close());
    EXPECT_FALSE(f.KeepOnTop());
    EXPECT_FALSE(RegKeyExists(kDynData));
}

TEST_F(MainFormTest, SetupStartAbortClosesTheBackgroundWithoutTheWizard) {
    // A folder that must be found and is not: "Setup Start" aborts.
    TSMainForm& f = start("SET_RUN_TIME_DIR_2(||||||||||||||||||1|)\n"
                          "SET_COMMON_DIR(<RunTimeDir_2>Shared)\n");
    ui::app().run();
    EXPECT_FALSE(f.loaded());
    EXPECT_TRUE(setupState().exitChosen);
    for (const ui::headless::Record& r : ui_->records())
        EXPECT_NE(r.form, "SDialogForm") << r.caption;
}

TEST_F(MainFormTest, GradientRowsFromTopToBottomColour) {
    ui::app().setScreen({1024, 768}, {0, 0, 1024, 256});
    TSMainForm& flat = start("SET_TOP_BG_COLOR(16711680)\nSET_BOTTOM_BG_COLOR(255)\n");
    // Without the flag, one colour in every row.
    std::vector<ui::FillOp> rows = fills(paint(flat));
    ASSERT_EQ(rows.size(), 256u);
    for (const ui::FillOp& row : rows)
        ASSERT_EQ(row.color, 16711680u);
    drop(flat);
    script_.LoadFromText("");
    TSMainForm& f = start("SET_TOP_BG_COLOR(16711680)\nSET_BOTTOM_BG_COLOR(255)\n"
                          "SET_BOTTOM_BG_COLOR_REQ\n");
    rows = fills(paint(f));
    ASSERT_EQ(rows.size(), 256u);
    for (int y = 0; y < 256; ++y) {
        EXPECT_EQ(rows[static_cast<std::size_t>(y)].rect, (ui::Rect{0, y, 1024, 1}));
        EXPECT_EQ(rows[static_cast<std::size_t>(y)].color, GradientRowColor(16711680, 255, y, 256));
    }
    EXPECT_EQ(rows[128].color, 0x80007Fu);
    // A bottom colour that is not a number is blue, as the top one.
    drop(f);
    TSMainForm& bad = start("SET_TOP_BG_COLOR(red)\nSET_BOTTOM_BG_COLOR(x)\n"
                            "SET_BOTTOM_BG_COLOR_REQ\n");
    EXPECT_EQ(bad.backColor(), 16711680u);
    for (const ui::FillOp& row : fills(paint(bad)))
        ASSERT_EQ(row.color, 16711680u);
}

TEST_F(MainFormTest, CaptionsAtTheirSidesWithShadows) {
    struct Case {
        const char* name;
        int screenWidth;
        const char* script;
        std::vector<std::pair<int, int>> at; // each caption's place (the shadow is +2, +2)
    };
    // The headless metric: "Demo" in 16 points is 43 pixels wide and 27 pixels high.
    const Case cases[] = {
        {"left", 1280, "SET_TOP_LABEL_TEXT(Demo)\nSET_TOP_LABEL_SIDE(Left)\n", {{20, 10}}},
        {"small screen", 800, "SET_TOP_LABEL_TEXT(Demo)\nSET_TOP_LABEL_SIDE(LEFT)\n", {{16, 8}}},
        {"right",
         1280,
         "SET_TOP_LABEL_TEXT(Demo)\nSET_TOP_LABEL_SIDE(right)\n",
         {{1024 - 43 - 20, 10}}},
        {"center",
         1280,
         "SET_TOP_LABEL_TEXT(Demo)\nSET_TOP_LABEL_SIDE(Center)\n",
         {{(1024 - 43 - 20) / 2, 10}}},
        {"other side", 1280, "SET_TOP_LABEL_TEXT(Demo)\nSET_TOP_LABEL_SIDE(Middle)\n", {{0, 10}}},
        // The second top caption below the first (offset 27 + 10, then + 2), shifted by
        // (16 - 9) / 7 = 1; the bottom caption's offset starts again at 10.
        {"three",
         1280,
         "SET_TOP_LABEL_TEXT(Demo)\nSET_TOP_LABEL_SIDE(Left)\nSET_TOP_LABEL_TEXT_2(Two)\nSET_TOP_"
         "LABEL_FONT_2(|Arial|9|)\n"
         "SET_TOP_LABEL_SIDE_2(Left)\nSET_BOTTOM_LABEL_TEXT(End)\n",
         {{20, 10}, {21, 39}, {0, 738 - 27 - 10}}},
    };
    for (const Case& c : cases) {
        ui::app().setScreen({c.screenWidth, 768}, {0, 0, 1024, 738});
        TSMainForm& f = start(c.script);
        const std::vector<ui::TextOp> drawn = texts(paint(f));
        ASSERT_EQ(drawn.size(), 2 * c.at.size()) << c.name;
        for (std::size_t i = 0; i < c.at.size(); ++i) {
            const ui::TextOp& shadow = drawn[2 * i];
            const ui::TextOp& text = drawn[2 * i + 1];
            EXPECT_EQ(text.x, c.at[i].first) << c.name << " " << i;
            EXPECT_EQ(text.y, c.at[i].second) << c.name << " " << i;
            EXPECT_EQ(shadow.x, text.x + 2) << c.name;
            EXPECT_EQ(shadow.y, text.y + 2) << c.name;
            EXPECT_EQ(shadow.color, ui::kBlack) << c.name;
            EXPECT_EQ(text.color, ui::kWhite) << c.name;
            EXPECT_TRUE(text.transparent) << c.name;
        }
        drop(f);
    }
}

TEST_F(MainFormTest, CaptionFontFromItsList) {
    TSMainForm& f = start("SET_TOP_LABEL_TEXT(Demo)\n"
                          "SET_TOP_LABEL_FONT(|Nowhere Sans|20|255|0|5|)\n"
                          "SET_BOTTOM_LABEL_TEXT(End)\nSET_BOTTOM_LABEL_FONT(|Verdana|)\n");
    const std::vector<ui::TextOp> drawn = texts(paint(f));
    ASSERT_EQ(drawn.size(), 4u);
    // A face the machine lacks is drawn as Arial; bold and underlined by the style bits.
    const ui::Font& top = drawn[1].font;
    EXPECT_EQ(top.name, "Arial");
    EXPECT_EQ(top.size, 20);
    EXPECT_TRUE(top.bold && top.underline && !top.italic);
    EXPECT_EQ(top.charset, 0);
    EXPECT_EQ(drawn[1].color, 255u);
    EXPECT_EQ(drawn[3].font.name, "Verdana");
    EXPECT_EQ(drawn[3].font.size, 16);
    EXPECT_EQ(drawn[3].font.charset, 1);
}

TEST_F(MainFormTest, PictureOffsetsAreHeldWithinReach) {
    ui::app().setScreen({1024, 768}, {0, 0, 1024, 738});
    fs::createFolders(GetExeDir(false));
    ASSERT_TRUE(
        fs::writeFile(GetExeDir(true) + "bg.bmp", testing::bitmapFile(40, 30, "\xC0\x40\x40")));
    // Offsets far beyond any screen are held at a million pixels, so the place stays a
    // whole number.
    TSMainForm& f = start("SET_BG_BITMAP_FILE_NAME(bg.bmp)\n"
                          "SET_BG_BITMAP_LOCATION(|Center|2147483647|-99999999999|)\n");
    ASSERT_TRUE(f.BgImage.visible());
    EXPECT_EQ(f.BgImage.left(), 1000000 + (1024 - 40) / 2);
    EXPECT_EQ(f.BgImage.top(), -1000000 + (738 - 30) / 2);
    drop(f);
}

TEST_F(MainFormTest, CaptionSizeFollowsThePixelsPerInch) {
    EXPECT_EQ(ReadLabelFont("|Arial|20|", 96).font.size, 20);
    EXPECT_EQ(ReadLabelFont("|Arial|20|", 120).font.size, 16);
    EXPECT_EQ(ReadLabelFont("|Arial|x|", 96).size, 16);
}

} // namespace
} // namespace kv::installer
