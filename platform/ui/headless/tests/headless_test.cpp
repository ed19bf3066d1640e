#include "platform/ui/headless/headless.h"

#include "platform/ui/end_program.h"
#include "platform/ui/timer.h"

#include <gtest/gtest.h>

#include <memory>
#include <variant>

namespace kv::ui::headless {
namespace {

struct Splash : Form {
    Splash() : Form("frmSplash", Units::Pixels) {
        onPaint = [this] {
            surface().gradient({0, 0, width(), height()}, 0xFF0000, 0x000000);
            surface().text(TextOp{10, 20, "Welcome", Font{"Arial", 18, true}, kWhite});
        };
    }
};

TEST(Headless, BoxesAreAnsweredInOrderAndWrongExpectationsReported) {
    auto& ui = install();
    ui.expectBox({"Setup", {}, "Continue?", mb::YesNo, id::No});
    ui.expectBox({"Other"});
    ui.expectBox({{}, {}, {}, {}, id::Yes}); // an OK box has no Yes button
    EXPECT_EQ(app().messageBox("  Continue?  \r\n\r\n", mb::YesNo, "Setup"), id::No);
    EXPECT_EQ(app().messageBox("b", mb::OkCancel | mb::DefButton2, "Wrong"), id::Cancel);
    EXPECT_EQ(app().messageBox("c", mb::OkOnly, "Third"), id::Ok);
    ASSERT_EQ(ui.failures().size(), 2u);
    EXPECT_NE(ui.failures()[0].find("#2 is not the one expected: got caption \"Wrong\""),
              std::string::npos)
        << ui.failures()[0];
    EXPECT_NE(ui.failures()[1].find("#3 (caption \"Third\", text \"c\", style MB_OK) has no "
                                    "button Yes"),
              std::string::npos)
        << ui.failures()[1];
    EXPECT_EQ(ui.boxes().size(), 3u);
    EXPECT_EQ(ui.boxes()[0].answer, id::No);
}

TEST(Headless, ModalShowsGoToTheirCallbacksInOrderThenToTheFallback) {
    auto& ui = install();
    std::vector<std::string> turns;
    ui.onModal("frmSplash", [&](Form& f) {
        turns.push_back("first");
        f.hide();
    });
    ui.setModalHandler([&](Form& f) {
        turns.push_back("fallback");
        f.unload();
    });
    app().form<Splash>().show(ShowMode::Modal);
    app().form<Splash>().setGeometry({1200, 900, 4800, 3600});
    app().form<Splash>().show(ShowMode::Modal);
    EXPECT_EQ(turns, (std::vector<std::string>{"first", "fallback"}));
    // A shown window's line gives its position and size, in the form's units.
    EXPECT_EQ(ui.transcript(), "[0] show modal frmSplash \"\" at 0,0 size 0x0\n[0] hide frmSplash\n"
                               "[0] show modal frmSplash \"\" at 1200,900 size 4800x3600\n"
                               "[0] hide frmSplash\n[0] unload frmSplash\n");
    EXPECT_EQ(ui.finish(), "");
}

TEST(Headless, PaintingIsRecordedOnTheSurfaceAndClipboardKeepsText) {
    install();
    auto& s = app().form<Splash>();
    s.resize(200, 100);
    s.show();
    app().processMessages();
    ASSERT_EQ(s.surface().ops().size(), 2u);
    auto* g = std::get_if<GradientOp>(&s.surface().ops()[0]);
    ASSERT_TRUE(g);
    EXPECT_EQ(g->rect, (Rect{0, 0, 200, 100}));
    auto* t = std::get_if<TextOp>(&s.surface().ops()[1]);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->text, "Welcome");
    EXPECT_TRUE(t->font.bold);
    s.refresh();
    app().processMessages();
    EXPECT_EQ(s.surface().ops().size(), 2u); // a repaint starts from a clear surface
    app().setClipboardText("12345678");
    EXPECT_EQ(app().clipboardText(), "12345678");
}

// What a window closed in each state would store: the geometry real windows report.
TEST(Headless, WindowStatesGiveTheGeometryRealWindowsReport) {
    install();
    app().setScreen({1024, 768}, {0, 0, 1024, 738});
    const Rect normal{1000, 1200, 6500, 6000};
    const Rect workArea{0, 0, 1024 * kTwipsPerPixel, 738 * kTwipsPerPixel};
    struct Step {
        WindowState state;
        Rect geometry;
    };
    const Step steps[] = {
        {WindowState::Maximized, workArea}, {WindowState::Minimized, workArea},
        {WindowState::Normal, normal},      {WindowState::Minimized, normal},
        {WindowState::Maximized, workArea}, {WindowState::Normal, normal},
    };
    Form& f = app().load(std::make_unique<Form>("frmMain"));
    f.setGeometry(normal);
    f.show();
    for (const Step& s : steps) {
        f.setWindowState(s.state);
        EXPECT_EQ(f.geometry(), s.geometry) << static_cast<int>(s.state);
    }
    // Maximised before it shows, in pixels.
    Form& g = app().load(std::make_unique<Form>("frmOther", Units::Pixels));
    g.setGeometry({10, 10, 300, 200});
    g.setWindowState(WindowState::Maximized);
    g.show();
    EXPECT_EQ(g.geometry(), (Rect{0, 0, 1024, 738}));
}

// A box the user leaves open lets timers tick; one that ends the program ends it there.
TEST(Headless, TimersTickWhileABoxIsOpen) {
    auto& ui = install();
    struct Ticker : Form {
        Ticker() : Form("frmTicker") {
            timer.setInterval(1000);
            timer.onTimer = [this] {
                if (++ticks == limit) app().end(3);
            };
        }
        Timer& timer = add<Timer>("Timer1");
        int ticks = 0;
        int limit = 0;
    };
    Ticker& t = app().form<Ticker>();
    ui.expectBox({.answer = id::Ok, .after = 2500});
    EXPECT_EQ(app().messageBox("Wait"), id::Ok);
    EXPECT_EQ(t.ticks, 2);
    EXPECT_EQ(app().messageBox("Quick"), id::Ok); // unexpected: answered at once
    EXPECT_EQ(t.ticks, 2);
    t.limit = 3;
    ui.expectBox({.text = "Open", .answer = id::Yes, .after = 60000});
    bool returned = false;
    EXPECT_EQ(runProgram([&] {
                  app().messageBox("Open", mb::YesNo);
                  returned = true;
                  return 0;
              }),
              3);
    EXPECT_FALSE(returned);
    EXPECT_EQ(ui.boxes().back().answer, 0);
    EXPECT_NE(ui.transcript().find("text \"Open\", style MB_YESNO -> none"), std::string::npos)
        << ui.transcript();
    EXPECT_EQ(ui.failures().size(), 1u); // the unexpected box

    // A modal form the user leaves open: the same.
    t.ticks = 0;
    t.limit = 2;
    ui.onModal("frmDialog", [](Form&) {});
    Form& dialog = app().load(std::make_unique<Form>("frmDialog"));
    EXPECT_EQ(runProgram([&] {
                  dialog.show(ShowMode::Modal);
                  return 0;
              }),
              3);
    EXPECT_TRUE(dialog.shown());
}

} // namespace
} // namespace kv::ui::headless
