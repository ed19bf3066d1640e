// The billboard and the copy bar in this process on the headless backend: the settings and
// their defaults, text pages and their wrapping, the slide show's steps with its layout
// thread, the copy bar's Cancel and its end.

#include "installer/setup/billboard_form.h"
#include "installer/setup/billboard_settings.h"
#include "installer/setup/copy_bar_form.h"

#include "installer/common/system_queries.h"
#include "installer/common/tests/machine_helpers.h"
#include "installer/setup/script.h"
#include "installer/setup/setup_state.h"
#include "installer/setup/tests/setup_fixture.h"
#include "platform/fs/files.h"
#include "platform/ui/application.h"
#include "platform/ui/user_input.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace kv::installer {
namespace {

using Lines = std::vector<std::string>;

TEST(BillboardSettings, ItemsAndDefaults) {
    const BillboardSettings d = ReadBillboardSettings("");
    EXPECT_FALSE(d.waitForClose || d.framed || d.sizeToPicture || d.gradient || d.transparent);
    EXPECT_EQ(d.placement, "Center");
    EXPECT_EQ(d.bottom, 16711680u);
    EXPECT_EQ(d.fontSize, 14);
    EXPECT_EQ(d.fontColor, 16777215u);
    EXPECT_EQ(d.charset, 1);
    EXPECT_EQ(d.stepTime, 1);
    const BillboardSettings s = ReadBillboardSettings(
        "|1|1|1|1|1|Top/Left|5|-6|255|65280|Verdana|10|0|177|1|320|240|12|3|");
    EXPECT_TRUE(s.waitForClose && s.framed && s.sizeToPicture && s.gradient && s.transparent);
    EXPECT_EQ(s.placement, "Top/Left");
    EXPECT_EQ(s.dx, 5);
    EXPECT_EQ(s.dy, -6);
    EXPECT_EQ(s.top, 255u);
    EXPECT_EQ(s.bottom, 65280u);
    EXPECT_EQ(s.fontName, "Verdana");
    EXPECT_EQ(s.fontSize, 10);
    EXPECT_EQ(s.fontColor, 0u);
    EXPECT_EQ(s.charset, 177);
    EXPECT_EQ(s.fontStyle, 1);
    EXPECT_EQ(s.clientWidth, 320);
    EXPECT_EQ(s.clientHeight, 240);
    EXPECT_EQ(s.margin, 12);
    EXPECT_EQ(s.stepTime, 3);
    // Not a number keeps the default; a face the machine lacks is Arial.
    const BillboardSettings bad = ReadBillboardSettings("|2|||||||x||Nowhere Sans|big|");
    EXPECT_FALSE(bad.waitForClose);
    EXPECT_EQ(bad.top, 0u);
    EXPECT_EQ(bad.fontName, "Arial");
    EXPECT_EQ(bad.fontSize, 14);

    // The settings come from the first file entry only when the data is empty.
    Lines files{"|1|", "a.txt"};
    EXPECT_EQ(TakeBillboardData("|0|", files), "|0|");
    EXPECT_EQ(files.size(), 2u);
    EXPECT_EQ(TakeBillboardData("", files), "|1|");
    EXPECT_EQ(files, Lines{"a.txt"});
    Lines none;
    EXPECT_EQ(TakeBillboardData("", none), "");
}

TEST(BillboardSettings, WrapLinesByWords) {
    // Ten pixels a character, twenty when big.
    auto measure = [](std::string_view t, bool big) {
        return static_cast<int>(t.size()) * (big ? 20 : 10);
    };
    EXPECT_EQ(
        WrapLines({"one two three four", "", "longwordwithoutblanks", "~Big one here"}, 100,
                  measure),
        (Lines{"one two ", "three four", "", "longwordwithoutblanks", "~Big ", "~one ", "~here"}));
    // A piece keeps words while it fits, its following blank counted.
    EXPECT_EQ(WrapLines({"ab cd ef"}, 60, measure), (Lines{"ab cd ", "ef"}));
    EXPECT_EQ(WrapLines({"ab cd ef"}, 50, measure), (Lines{"ab ", "cd ef"}));
    EXPECT_EQ(WrapLines({"ab cd ef"}, 20, measure), (Lines{"ab ", "cd ", "ef"}));
}

class BillboardTest : public testing::SetupFixture {
protected:
    void SetUp() override {
        SetupFixture::SetUp();
        ui::app().setScreen({1024, 768}, {0, 0, 1024, 738});
    }
    static std::string path(const std::string& name) { return GetExeDir(true) + name; }
    static void write(const std::string& name, const std::string& bytes) {
        fs::createFolders(GetExeDir(false));
        ASSERT_TRUE(fs::writeFile(path(name), bytes));
    }
    TBillboardForm& open(const std::string& settings, const Lines& names) {
        Lines files;
        for (const std::string& n : names)
            files.push_back(path(n));
        auto& b = static_cast<TBillboardForm&>(ui::app().load(
            std::make_unique<TBillboardForm>(ReadBillboardSettings(settings), files)));
        b.show();
        settle();
        return b;
    }
    // Runs what the layout threads handed over.
    static void settle() {
        ASSERT_TRUE(ui::app().waitForThreadCalls(5000));
        ui::app().processMessages();
    }
    // What the billboard shows now: the picture's source file, or its first text line.
    static std::string page(const TBillboardForm& b) {
        if (b.PageImage.visible()) return b.PageImage.picture().source;
        return b.Lines().empty() ? "" : b.Lines().front();
    }
};

TEST_F(BillboardTest, EachPageHoldsTwoStepsAndTheLastStays) {
    write("one.txt", "First page\r\n");
    write("two.bmp", testing::bitmapFile(40, 30, "\xC0\x40\x40"));
    write("three.TXT", "|177|\r\nThird page\r\n");
    TBillboardForm& b =
        open("|0|0|1|0|0|Top/Left|10|20||||||||300|200|5|2|", {"one.txt", "two.bmp", "three.TXT"});
    // The first page at once: the client size of items 15 and 16, placed with margin 5.
    EXPECT_EQ(page(b), "First page");
    EXPECT_EQ(b.geometry(), (ui::Rect{15, 25, 300, 200}));
    EXPECT_EQ(b.StepTimer.interval(), 1000);
    EXPECT_EQ(b.CloseButton.left(), 300 - 75 - 8);
    EXPECT_EQ(b.CloseButton.top(), 200 - 25 - 8);
    // Steps of 1000 ms: load, then show.
    struct Step {
        std::uint32_t at;
        std::string page;
        bool running;
    };
    const Step steps[] = {
        {1000, "First page", true},    // two.bmp loaded
        {2000, path("two.bmp"), true}, // shown, sized to the picture and the margins
        {3000, path("two.bmp"), true}, // three.TXT loaded
        {4000, "Third page", true},    // shown
        {5000, "Third page", true},    // nothing more to load
        {6000, "Third page", false},   // past the end: the show stops
        {9000, "Third page", false},
    };
    for (const Step& s : steps) {
        ui::app().waitPumping(s.at - ui::app().tickCount());
        EXPECT_EQ(page(b), s.page) << s.at;
        EXPECT_EQ(b.Running(), s.running) << s.at;
        if (s.at == 2000) {
            EXPECT_EQ(b.width(), 50);
            EXPECT_EQ(b.height(), 40);
            EXPECT_EQ(b.PageImage.geometry(), (ui::Rect{5, 5, 40, 30}));
            EXPECT_EQ(b.CloseButton.left(), 0); // never at a negative place
        }
    }
    EXPECT_FALSE(b.StepTimer.enabled());
    EXPECT_EQ(b.PageCharset(), 177);
    // The right-to-left page is drawn right-aligned at the margin.
    ui::app().processMessages();
    bool drawn = false;
    for (const ui::DrawOp& op : b.surface().ops())
        if (const auto* t = std::get_if<ui::TextOp>(&op)) {
            drawn = true;
            EXPECT_EQ(t->text, "Third page");
            EXPECT_TRUE(t->rightAligned);
            EXPECT_EQ(t->x, 300 - 5);
            EXPECT_EQ(t->y, 5);
        }
    EXPECT_TRUE(drawn);
}

TEST_F(BillboardTest, MissingFileAndPausedByTheExitQuestion) {
    write("big.txt", "~Big title\r\nsmall\r\n");
    TBillboardForm& b = open("|0|0|0|1|0||||255|65280||||||200|100|0|1|", {"gone.bmp", "big.txt"});
    EXPECT_EQ(b.Lines(), (Lines{"", "    File Not Found!"}));
    // The exit question holds the show where it is.
    setupState().exitQuestionOpen = true;
    ui::app().waitPumping(3000);
    EXPECT_EQ(b.Lines(), (Lines{"", "    File Not Found!"}));
    setupState().exitQuestionOpen = false;
    ui::app().waitPumping(1000);
    settle();
    // Painted: the gradient rows from the top colour, then the big line at twice the size.
    std::vector<ui::TextOp> texts;
    std::vector<ui::FillOp> fills;
    for (const ui::DrawOp& op : b.surface().ops()) {
        if (const auto* t = std::get_if<ui::TextOp>(&op)) texts.push_back(*t);
        if (const auto* f = std::get_if<ui::FillOp>(&op)) fills.push_back(*f);
    }
    ASSERT_EQ(fills.size(), 100u);
    EXPECT_EQ(fills.front().color, 255u);
    EXPECT_NE(fills.back().color, 255u);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "Big title");
    EXPECT_EQ(texts[0].font.size, 28);
    EXPECT_EQ(texts[1].text, "small");
    EXPECT_EQ(texts[1].font.size, 14);
    EXPECT_GT(texts[1].y, texts[0].y);
}

TEST_F(BillboardTest, AStepTimeBeyondTheTimersRangeWaitsTheLongest) {
    // 5000000 steps of 500 ms overflow an int: the timer keeps the longest interval it has.
    TBillboardForm& b = open("|||||||||||||||||||5000000|", {});
    EXPECT_EQ(b.StepTimer.interval(), std::numeric_limits<int>::max());
}

TEST_F(BillboardTest, HugeSizesAndOffsetsAreHeldWithinReach) {
    write("two.bmp", testing::bitmapFile(40, 30, "\xC0\x40\x40"));
    // Margin, offsets and client size far beyond any screen: held at a million pixels, so
    // the window's size and place stay whole numbers, and so is the window.
    TBillboardForm& b = open("|0|0|1|0|0|Top/Left|2100000000|-2100000000||||||||"
                             "2000000000|2000000000|2000000000|1|",
                             {"two.bmp"});
    EXPECT_EQ(b.Settings().margin, 1000000);
    EXPECT_EQ(b.Settings().dx, 1000000);
    EXPECT_EQ(b.Settings().dy, -1000000);
    EXPECT_EQ(b.width(), 1000000); // the largest window a page makes
    EXPECT_EQ(b.height(), 1000000);
    EXPECT_EQ(b.PageImage.geometry(), (ui::Rect{1000000, 1000000, 40, 30}));

    // A picture file that claims to be two thousand million pixels wide.
    std::string wide = testing::bitmapFile(1, 1, "\xC0\x40\x40");
    wide.replace(18, 4, std::string("\x00\xFF\xFF\x7F", 4));
    write("wide.bmp", wide);
    TBillboardForm& c = open("|0|0|1|0|0|||||||||||||1000|1|", {"wide.bmp"});
    EXPECT_EQ(c.PageImage.picture().width, 0x7FFFFF00);
    EXPECT_EQ(c.width(), 1000000);
    EXPECT_EQ(c.height(), 1 + 2 * 1000);
}

TEST_F(BillboardTest, ClosingDropsALayoutNotYetRun) {
    write("one.txt", "First\r\n");
    Lines files{path("one.txt")};
    auto& b = static_cast<TBillboardForm&>(
        ui::app().load(std::make_unique<TBillboardForm>(ReadBillboardSettings(""), files)));
    b.show(); // the show step's thread hands the layout over; closed before it runs
    b.unload();
    ui::app().processMessages();
    EXPECT_TRUE(b.Lines().empty());
}

// Clicks the billboard's Close after a while, as the user does.
class Clicker : public ui::Form {
public:
    Clicker() : ui::Form("Clicker") {
        tick.setInterval(2000);
        tick.onTimer = [this] {
            tick.setEnabled(false);
            if (target) ui::user::click(target->CloseButton);
        };
    }
    ui::Timer& tick = add<ui::Timer>("tick");
    TBillboardForm* target = nullptr;
};

class CopyBarTest : public BillboardTest {
protected:
    TCopyBarForm& bar(const std::string& script) {
        script_.LoadFromText(script);
        auto& f = static_cast<TCopyBarForm&>(
            ui::app().load(std::make_unique<TCopyBarForm>(script_, [this] { return running_; })));
        f.show();
        settle();
        return f;
    }
    TScript script_;
    bool running_ = true;
};

TEST_F(CopyBarTest, OpensTheBillboardBelowTheWorkArea) {
    write("one.txt", "First\r\n");
    TCopyBarForm& f = bar("SET_BILLBOARD_FILE(|0|0|0|0|0|||||||||||320|200|)\n"
                          "SET_BILLBOARD_FILE(one.txt)\n");
    EXPECT_TRUE(f.popup());
    EXPECT_EQ(f.left(), (1024 - f.width()) / 2);
    EXPECT_EQ(f.top(), 738 - f.height() - 10);
    EXPECT_GE(ui::app().tickCount(), 100u); // opened after 100 ms
    ASSERT_NE(f.Billboard(), nullptr);
    EXPECT_FALSE(f.Billboard()->CloseButton.visible());
    EXPECT_EQ(f.Billboard()->owner(), &f);
    EXPECT_EQ(f.Billboard()->Lines(), Lines{"First"});
    EXPECT_EQ(f.Billboard()->width(), 320);
    // Closing the bar frees the billboard.
    TBillboardForm* b = f.Billboard();
    f.unload();
    EXPECT_FALSE(b->loaded());
}

TEST_F(CopyBarTest, CancelAsksWhileEntriesRun) {
    auto answer = [](const char* button) {
        return [button](ui::Form& q) { q.find<ui::CommandButton>(button)->click(); };
    };
    TCopyBarForm& f = bar("SET_BILLBOARD_DATA(|0|)\n");
    ui_->onModal("ExitSetupForm", answer("ResumeButton"));
    ui::user::click(f.CancelButton);
    EXPECT_FALSE(f.Cancelled());
    EXPECT_NE(f.Billboard(), nullptr);
    ui_->onModal("ExitSetupForm", answer("ExitSetupButton"));
    ui::user::click(f.CancelButton);
    EXPECT_TRUE(f.Cancelled());
    EXPECT_EQ(f.Billboard(), nullptr);
    EXPECT_TRUE(setupState().exitChosen);
    f.Finish();
    EXPECT_FALSE(f.visible());
}

TEST_F(CopyBarTest, CancelAfterTheEntriesOnlyFreesTheBillboard) {
    running_ = false;
    TCopyBarForm& f = bar("SET_BILLBOARD_DATA(|0|)\n");
    ui::user::click(f.CancelButton); // no question
    EXPECT_FALSE(f.Cancelled());
    EXPECT_EQ(f.Billboard(), nullptr);
    EXPECT_FALSE(setupState().exitChosen);
}

TEST_F(CopyBarTest, FinishWaitsForCloseWhenAsked) {
    TCopyBarForm& f = bar("SET_BILLBOARD_DATA(|1|)\n");
    TBillboardForm* b = f.Billboard();
    ASSERT_NE(b, nullptr);
    auto& user = ui::app().create<Clicker>();
    user.target = b;
    user.tick.setEnabled(true);
    const std::uint32_t start = ui::app().tickCount();
    f.Finish();
    EXPECT_TRUE(b->CloseButton.visible());
    EXPECT_FALSE(b->loaded());
    EXPECT_GE(ui::app().tickCount() - start, 2000u);
    EXPECT_FALSE(f.visible());
    // Without item 0 "1" the end does not wait.
    TCopyBarForm& g = bar("SET_BILLBOARD_DATA(|0|)\n");
    const std::uint32_t at = ui::app().tickCount();
    g.Finish();
    EXPECT_EQ(ui::app().tickCount(), at);
    EXPECT_EQ(g.Billboard(), nullptr);
}

} // namespace
} // namespace kv::installer
