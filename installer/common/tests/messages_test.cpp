#include "installer/common/messages.h"

#include "platform/ui/headless/headless.h"
#include "platform/ui/timer.h"

#include <gtest/gtest.h>

namespace kv::installer {
namespace {

using ui::headless::ExpectedBox;
const std::string B(20, ' ');

TEST(MessagesText, EscapesAndIndent) {
    EXPECT_EQ(ExpandEscapes("a\\nb<P>c\\td<p>"), "a\r\nb\r\nc\td\r\n");
    EXPECT_EQ(IndentLines("a\r\nb"), "a" + B + "\r\nb" + B + "\r\n");
    EXPECT_EQ(WrapMessage("one\\ntwo<p>x\\ty"),
              "one" + B + "\r\ntwo" + B + "\r\nx\ty" + B + "\r\n");
}

struct BoxCase {
    const char* name;
    std::function<bool()> call;
    std::string caption;
    unsigned style;
    int answer;
    bool result;
};

TEST(MessagesBoxes, CaptionsStylesAndResults) {
    std::vector<BoxCase> cases = {
        {"error",
         [] {
             ErrorMessage("x");
             return true;
         },
         "Error", 16, 1, true},
        {"caption",
         [] {
             CaptionMessage("Cap", "x", 0);
             return true;
         },
         "Cap", 16, 1, true},
        {"caption rtl",
         [] {
             CaptionMessage("Cap", "x", 177);
             return true;
         },
         "Cap", 0x180010, 1, true},
        {"caption arabic",
         [] {
             CaptionMessage("Cap", "x", 178);
             return true;
         },
         "Cap", 0x180010, 1, true},
        {"attention",
         [] {
             AttentionMessage("x");
             return true;
         },
         "Attention", 48, 1, true},
        {"yes", [] { return AskYesNo("x"); }, "Confirm", 36, 6, true},
        {"no", [] { return AskYesNo("x"); }, "Confirm", 36, 7, false},
        {"ok", [] { return AskOkCancel("x"); }, "Confirm", 33, 1, true},
        {"cancel", [] { return AskOkCancel("x"); }, "Confirm", 33, 2, false},
        {"confirm yes", [] { return ConfirmMessage("x", 3); }, "Confirm", 3, 6, true},
        {"confirm cancel", [] { return ConfirmMessage("x", 3); }, "Confirm", 3, 2, false},
    };
    for (auto& c : cases) {
        auto& ui = ui::headless::install();
        ui.expectBox(ExpectedBox{c.caption, "\r\n\r\nx" + B + "\r\n\r\n", {}, c.style, c.answer});
        EXPECT_EQ(c.call(), c.result) << c.name;
        EXPECT_EQ(ui.finish(), "") << c.name;
    }
}

TEST(MessagesBoxes, ShowMessageBoxAddsStyleBitsAndWaits) {
    auto& ui = ui::headless::install();
    ui.expectBox(
        ExpectedBox{"Error", "\r\n\r\nline" + B + "\r\ntwo" + B + "\r\n\r\n", {}, 0x52010, 1});
    ShowErrorBox(nullptr, "line\\ntwo");
    EXPECT_GE(ui.tickCount(), 100u);
    EXPECT_EQ(ui.finish(), "");
    ASSERT_EQ(ui.boxes().size(), 1u);
    EXPECT_EQ(ui.boxes()[0].form, "");
}

TEST(MessagesBoxes, SurpriseAndMissingBoxesAreReported) {
    auto& ui = ui::headless::install();
    AttentionMessage("surprise");
    ui.expectBox(ExpectedBox{"Never"});
    std::string report = ui.finish();
    EXPECT_NE(report.find("unexpected message box #1"), std::string::npos) << report;
    EXPECT_NE(report.find("never shown: caption \"Never\""), std::string::npos) << report;
}

struct Ticker : ui::Form {
    Ticker() : ui::Form("frmTicker", ui::Units::Pixels) {
        t1.setInterval(30);
        t1.onTimer = [this] { log.push_back(1); };
        t2.setInterval(50);
        t2.onTimer = [this] { log.push_back(2); };
    }
    ui::Timer& t1 = add<ui::Timer>("Timer1");
    ui::Timer& t2 = add<ui::Timer>("Timer2");
    std::vector<int> log;
};

TEST(MessagesWaits, TimersTickInOrderDuringWaits) {
    auto& ui = ui::headless::install();
    auto& f = ui::app().form<Ticker>();
    WaitPumping(100);
    EXPECT_EQ(f.log, (std::vector<int>{1, 2, 1, 1, 2}));
    EXPECT_EQ(ui.tickCount(), 101u);
    f.log.clear();
    WaitProcessing(60); // from 101: Timer1 at 120, both at 150 (Timer2 armed first)
    EXPECT_EQ(f.log, (std::vector<int>{1, 2, 1}));
    EXPECT_FALSE(PumpMessage());
}

TEST(MessagesWaits, WaitSurvivesTickCountWrap) {
    auto& ui = ui::headless::install();
    ui.setTickCount(0xFFFFFFF0u);
    WaitPumping(100);
    EXPECT_EQ(ui.tickCount(), 0xFFFFFFF0u + 101u);
}

} // namespace
} // namespace kv::installer
