#include "installer/common/shared_windows.h"

#include "installer/common/reset.h"
#include "installer/common/system_queries.h"
#include "platform/system/machine.h"
#include "platform/system/resources.h"
#include "platform/system/testing/temp_machine.h"
#include "platform/ui/application.h"
#include "platform/ui/buttons.h"
#include "platform/ui/headless/headless.h"
#include "platform/ui/picture.h"

#include <gtest/gtest.h>

namespace kv::installer {
namespace {

using machine::testing::TempMachine;
using ui::Rect;
using ui::TextRun;

struct Page : ui::Form {
    Page() : ui::Form("frmPage", ui::Units::Pixels) {}
    ui::RichTextBox& memo = add<ui::RichTextBox>("RichEdit1");
    ui::CheckBox& check = add<ui::CheckBox>("CheckBox1");
    ui::OptionButton& option = add<ui::OptionButton>("RadioButton1");
    ui::CommandButton& button = add<ui::CommandButton>("Button1");
};

TEST(SharedWindows, AlignmentIndexByWholeNameWithoutCase) {
    const struct {
        const char* name;
        int index;
    } cases[] = {{"Center", 0}, {"bottom/center", 6}, {"TOP/LEFT", 1},     {"Right/Center", 8},
                 {"hide", 9},   {"Top/Right", 2},     {"nowhere", 0},      {"", 0},
                 {"Top", 0},    {"Center|Hide", 0},   {"Bottom/Right ", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(AlignmentIndex(c.name), c.index) << c.name;
}

TEST(SharedWindows, PlaceFormByTable) {
    ui::headless::install();
    auto& f = ui::app().form<Page>();
    // Left 100, top 50, margin 8, free width 301 and height 201 (halves truncate).
    const struct {
        const char* placement;
        int left, top;
    } cases[] = {
        {"Center", 250, 150},        {"Top/Left", 108, 58},      {"Top/Right", 393, 58},
        {"Bottom/Left", 108, 243},   {"Bottom/Right", 393, 243}, {"Top/Center", 250, 58},
        {"Bottom/Center", 250, 243}, {"Left/Center", 108, 150},  {"Right/Center", 393, 150},
        {"unknown", 250, 150},       {"Hide", 5 - 120, 5 - 40}};
    for (const auto& c : cases) {
        f.setGeometry({0, 0, 120, 40});
        PlaceForm(f, c.placement, 201, 8, 50, 100, 301);
        EXPECT_EQ(f.geometry(), (Rect{c.left, c.top, 120, 40})) << c.placement;
    }
    // Negative free space (the window is larger than the area) still halves toward zero.
    PlaceForm(f, "Center", -5, 0, 0, 0, -3);
    EXPECT_EQ(f.left(), -1);
    EXPECT_EQ(f.top(), -2);
}

TEST(SharedWindows, FontAndBiDiMode) {
    ui::Font font;
    SetDefaultFont(font);
    EXPECT_EQ(font.name, "Tahoma");
    ui::headless::install();
    auto& f = ui::app().form<Page>();
    for (int charset : {0, 1, 176, 179}) {
        ApplyBiDiMode(f.check, charset);
        EXPECT_FALSE(f.check.rightToLeft()) << charset;
    }
    ApplyBiDiMode(f.check, 177);
    EXPECT_TRUE(f.check.rightToLeft());
    ApplyBiDiMode(f.option, 178);
    EXPECT_TRUE(f.option.rightToLeft());
}

TEST(SharedWindows, HoverUnderlinesOnlyWithVisualStyles) {
    ui::headless::install();
    {
        TempMachine m; // no manifest: not themed
        resetCommonForTests();
        auto& f = ui::app().form<Page>();
        SetHoverEffects(f);
        EXPECT_FALSE(f.check.onMouseEnter);
        EXPECT_FALSE(f.option.onMouseEnter);
        f.unload();
    }
    TempMachine m;
    machine::addResource(machine::kResourceManifest, "1", "<assembly/>");
    resetCommonForTests();
    ASSERT_TRUE(IsThemed());
    auto& f = ui::app().form<Page>();
    SetHoverEffects(f);
    for (ui::Control* c :
         {static_cast<ui::Control*>(&f.check), static_cast<ui::Control*>(&f.option)}) {
        ASSERT_TRUE(c->onMouseEnter && c->onMouseLeave);
        c->onMouseEnter();
        EXPECT_TRUE(c->font().underline);
        c->onMouseLeave();
        EXPECT_FALSE(c->font().underline);
    }
    EXPECT_FALSE(f.button.onMouseEnter);
    resetCommonForTests();
}

TEST(SharedWindows, MarkupMakesBoldRuns) {
    ui::headless::install();
    auto& f = ui::app().form<Page>();
    const struct {
        const char* text;
        const char* shown;
        std::vector<TextRun> runs;
    } cases[] = {
        {"Read <b>this</b> first", "Read this first", {{5, 4}}},
        {"<B>a</B>b<b>cd</B>", "abcd", {{0, 1}, {2, 2}}},
        {"no tags", "no tags", {}},
        {"x<B>a<B>b</B>y", "xa<B>by", {{1, 5}}}, // a second opening tag stays in the run
        {"lead</B>tail", "leadtail", {{0, 4}}},  // a closing tag alone ends a run from here
        {"open<B>only", "openonly", {}},
        {"a</b></b>b", "ab", {{0, 1}}}, // an empty run makes nothing bold
        {"</B><B>", "</B>", {}},        // the opening tag is looked for first
    };
    for (const auto& c : cases) {
        ApplyTextMarkup(f.memo, c.text);
        EXPECT_EQ(f.memo.text(), c.shown) << c.text;
        EXPECT_EQ(f.memo.boldRuns(), c.runs) << c.text;
    }
}

TEST(SharedWindows, MarkupKeepsAtMostTwoHundredRuns) {
    ui::headless::install();
    auto& f = ui::app().form<Page>();
    std::string text, shown;
    for (int i = 0; i < kMaxBoldRuns + 5; ++i) {
        text += "<b>w</b> ";
        shown += "w ";
    }
    ApplyTextMarkup(f.memo, text);
    EXPECT_EQ(f.memo.text(), shown); // every tag goes
    ASSERT_EQ(f.memo.boldRuns().size(), static_cast<std::size_t>(kMaxBoldRuns));
    EXPECT_EQ(f.memo.boldRuns().back(), (TextRun{2 * (kMaxBoldRuns - 1), 1}));
}

TEST(SharedWindows, EditTextMakesAReadOnlyPane) {
    for (int dpi : {96, 120}) {
        SCOPED_TRACE(dpi);
        machine::Profile profile = machine::defaultProfile();
        profile.screen.pixelsPerInch = dpi;
        TempMachine m(profile);
        ui::headless::install();
        auto& f = ui::app().form<Page>();
        f.setBackColor(0x00ABCDEF);
        const double size = f.memo.font().size;
        SetEditText(f.memo, "One\\nTwo <b>bold</b>\\tend<p>");
        // The line break the escape makes counts in the run's position.
        EXPECT_EQ(f.memo.text(), "One\r\nTwo bold\tend\r\n");
        EXPECT_EQ(f.memo.boldRuns(), (std::vector<TextRun>{{9, 4}}));
        EXPECT_EQ(f.memo.font().size, dpi > 96 ? 7 : size);
        EXPECT_EQ(f.memo.backColor(), 0x00ABCDEFu);
        EXPECT_EQ(f.memo.borderStyle(), ui::BorderStyle::None);
        EXPECT_TRUE(f.memo.locked());
        EXPECT_FALSE(f.memo.tabStop());
    }
}

TEST(SharedWindows, RightToLeftReplacesTheBoxForHebrewAndArabic) {
    ui::headless::install();
    auto& f = ui::app().form<Page>();
    ui::RichTextBox* box = &f.memo;
    ApplyTextMarkup(*box, "Shalom <b>world</b>");
    box->setGeometry({10, 20, 300, 200});
    ui::Font font = box->font();
    font.name = "Tahoma";
    font.size = 9;
    font.charset = 177;
    box->setFont(font);
    box->setTabStop(false);
    box->setTabIndex(2);
    box->setVisible(false);
    box->setBorderStyle(ui::BorderStyle::None);
    box->setLocked(true);
    box->setBackColor(0x112233);

    MakeRightToLeft(box, 0);
    EXPECT_EQ(box, &f.memo); // untouched
    EXPECT_FALSE(box->rightToLeft());

    for (int charset : {177, 178}) {
        SCOPED_TRACE(charset);
        ui::RichTextBox* before = box;
        MakeRightToLeft(box, charset);
        ASSERT_NE(box, before);
        EXPECT_EQ(f.find<ui::RichTextBox>("RichEdit1"), box);
        EXPECT_TRUE(box->rightToLeft());
        EXPECT_EQ(box->text(), "Shalom world");
        EXPECT_EQ(box->boldRuns(), (std::vector<TextRun>{{7, 5}}));
        EXPECT_EQ(box->geometry(), (Rect{10, 20, 300, 200}));
        EXPECT_EQ(box->font(), font);
        EXPECT_FALSE(box->tabStop());
        EXPECT_EQ(box->tabIndex(), 2);
        EXPECT_FALSE(box->visible());
        EXPECT_EQ(box->borderStyle(), ui::BorderStyle::None);
        EXPECT_TRUE(box->locked());
        EXPECT_EQ(box->backColor(), 0x112233u);
    }
}

} // namespace
} // namespace kv::installer
