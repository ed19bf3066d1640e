#include "platform/ui/application.h"
#include "platform/ui/buttons.h"
#include "platform/ui/end_program.h"
#include "platform/ui/headless/headless.h"
#include "platform/ui/timer.h"
#include "platform/ui/user_input.h"

#include <gtest/gtest.h>

#include <thread>
#include <type_traits>

namespace kv::ui {
namespace {

// Program code cannot make the key to the model's internal calls.
static_assert(!std::is_default_constructible_v<ModelKey>);

std::vector<std::string> g_log;

// A main window whose timer counts ticks and, at the limit, unloads the window or ends the
// program.
struct Main : Form {
    Main() : Form("frmMain") {
        onLoad = [this] { g_log.push_back("load " + std::to_string(++loads)); };
        onQueryUnload = [this](int& cancel, UnloadMode mode) {
            g_log.push_back("query " + std::to_string(static_cast<int>(mode)));
            if (refuse) cancel = 1;
        };
        onUnload = [](int&) { g_log.push_back("unload"); };
        tmrPoll.setInterval(250);
        tmrPoll.onTimer = [this] {
            g_log.push_back("tick " + std::to_string(app().tickCount()));
            if (++ticks < limit) return;
            if (endAtLimit) app().end(5);
            unload();
        };
    }
    Timer& tmrPoll = add<Timer>("tmrPoll");
    int loads = 0;
    int ticks = 0;
    int limit = 3;
    bool refuse = false;
    bool endAtLimit = false;
};

struct Options : Form {
    Options() : Form("frmOptions") {
        onLoad = [] { g_log.push_back("options load"); };
        cmdClose.onClick = [this] { unload(); };
    }
    CommandButton& cmdClose = add<CommandButton>("cmdClose");
};

class Lifecycle : public ::testing::Test {
protected:
    void SetUp() override { g_log.clear(); }
    headless::HeadlessBackend& ui = headless::install();
};

TEST_F(Lifecycle, RunEndsWhenTheMainFormUnloadsFromItsTimer) {
    auto& m = app().form<Main>();
    app().setMainForm(&m);
    m.show();
    app().run();
    EXPECT_EQ(g_log, (std::vector<std::string>{"load 1", "tick 250", "tick 500", "tick 750",
                                               "query 1", "unload"}));
    EXPECT_FALSE(m.loaded());
    EXPECT_TRUE(app().forms().empty());
    EXPECT_EQ(ui.transcript(),
              "[0] show frmMain \"\" at 0,0 size 0x0\n[750] hide frmMain\n[750] unload frmMain\n");
    EXPECT_EQ(ui.finish(), "");
}

TEST_F(Lifecycle, QueryUnloadCancelKeepsTheFormAndAFreshInstanceLoadsAfterUnload) {
    auto& m = app().form<Main>();
    m.refuse = true;
    EXPECT_FALSE(m.unload());
    EXPECT_TRUE(m.loaded());
    EXPECT_FALSE(user::close(m)); // not shown: the user cannot close it
    m.show();
    EXPECT_FALSE(user::close(m));
    EXPECT_TRUE(m.shown());
    m.refuse = false;
    app().form<Options>();
    EXPECT_TRUE(user::close(m));
    ASSERT_EQ(app().forms().size(), 1u);
    EXPECT_EQ(app().forms()[0]->name(), "frmOptions");
    auto& again = app().form<Main>(); // touched again: a new instance with its own load
    EXPECT_NE(&again, &m);
    EXPECT_EQ(again.loads, 1);
    ASSERT_EQ(app().forms().size(), 2u);
    EXPECT_EQ(app().forms()[1], &again); // load order, not show order
    EXPECT_EQ(g_log, (std::vector<std::string>{"load 1", "query 1", "query 0", "options load",
                                               "query 0", "unload", "load 1"}));
}

TEST_F(Lifecycle, ModalShowReturnsWhenTheFormUnloadsAndKeepsTheOwner) {
    auto& m = app().form<Main>();
    m.show();
    bool modalInside = false;
    ui.onModal("FRMOPTIONS", [&](Form& f) {
        modalInside = f.modal();
        EXPECT_TRUE(user::click(static_cast<Options&>(f).cmdClose));
    });
    auto& o = app().form<Options>();
    o.show(ShowMode::Modal, &m);
    EXPECT_TRUE(modalInside);
    EXPECT_FALSE(o.loaded());
    EXPECT_FALSE(o.modal());
    EXPECT_EQ(o.owner(), &m);
    EXPECT_TRUE(m.shown());
    EXPECT_EQ(ui.finish(), "");
}

TEST_F(Lifecycle, TimerEndingTheProgramUnwindsWithoutUnloadEvents) {
    int code = runProgram([] {
        auto& m = app().form<Main>();
        m.endAtLimit = true;
        m.limit = 2;
        app().setMainForm(&m);
        m.show();
        app().run();
        return 0;
    });
    EXPECT_EQ(code, 5);
    EXPECT_TRUE(app().ended());
    EXPECT_EQ(g_log, (std::vector<std::string>{"load 1", "tick 250", "tick 500"}));
    EXPECT_TRUE(app().forms()[0]->loaded());
}

TEST_F(Lifecycle, TopMostWindowsLeadTheOrderOfWindows) {
    auto& m = app().form<Main>();
    auto& o = app().form<Options>();
    m.show();
    o.show();
    EXPECT_EQ(app().zOrder(), (std::vector<Form*>{&o, &m}));
    m.setTopMost(true);
    EXPECT_EQ(app().zOrder(), (std::vector<Form*>{&m, &o}));
    m.setTopMost(false);
    m.bringToFront();
    EXPECT_EQ(app().zOrder(), (std::vector<Form*>{&m, &o}));
    o.hide();
    EXPECT_EQ(app().zOrder(), (std::vector<Form*>{&m}));
}

TEST_F(Lifecycle, PlaceBelowPutsAFormDirectlyBehindAnother) {
    auto& m = app().form<Main>();
    auto& o = app().form<Options>();
    auto& third = app().create<Main>();
    m.show();
    o.show();
    third.show();
    EXPECT_EQ(app().zOrder(), (std::vector<Form*>{&third, &o, &m}));
    // From the front to behind the last, then back up behind the front one.
    third.placeBelow(m);
    EXPECT_EQ(app().zOrder(), (std::vector<Form*>{&o, &m, &third}));
    third.placeBelow(o);
    EXPECT_EQ(app().zOrder(), (std::vector<Form*>{&o, &third, &m}));
    EXPECT_TRUE(o.shown() && third.shown());
    // Below a hidden form or itself: nothing changes.
    m.hide();
    third.placeBelow(m);
    third.placeBelow(third);
    EXPECT_EQ(app().zOrder(), (std::vector<Form*>{&o, &third}));
}

TEST_F(Lifecycle, CallsFromThreadsRunOnTheMessageLoopBeforeTheClockMovesOn) {
    std::vector<std::uint32_t> ranAt;
    std::vector<std::thread> threads;
    for (int i = 0; i < 3; ++i) {
        app().expectThreadCall();
        threads.emplace_back([&ranAt] {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            app().postFromThread([&ranAt] { ranAt.push_back(app().tickCount()); });
        });
    }
    EXPECT_TRUE(app().threadCallsExpected());
    app().waitPumping(500);
    for (std::thread& t : threads)
        t.join();
    // Each ran on this thread at the virtual tick the threads were started.
    EXPECT_EQ(ranAt, (std::vector<std::uint32_t>{0, 0, 0}));
    EXPECT_FALSE(app().threadCallsExpected());
    EXPECT_FALSE(app().threadCallsPending());
    EXPECT_TRUE(app().waitForThreadCalls(0));
}

TEST_F(Lifecycle, WaitPumpingRunsTimersAndUserTimeAdvancesTheClock) {
    auto& m = app().form<Main>();
    m.limit = 100;
    app().waitPumping(600);
    EXPECT_EQ(m.ticks, 2);
    EXPECT_EQ(app().tickCount(), 601u);
    ui.advance(300); // a slow step inside a callback: the next tick is already due
    app().processMessages();
    EXPECT_EQ(m.ticks, 3);
    EXPECT_EQ(g_log.back(), "tick 901");
}

TEST_F(Lifecycle, TimerArrayElementRemovedAtRunTimeStopsTicking) {
    auto& m = app().form<Main>();
    m.limit = 100;
    auto& extra = m.add<Timer>("tmrRetry", 1);
    int extraTicks = 0;
    extra.onTimer = [&] { ++extraTicks; };
    extra.setInterval(100);
    EXPECT_EQ(m.find<Timer>("TMRRETRY", 1), &extra);
    app().waitPumping(250);
    EXPECT_EQ(extraTicks, 2);
    m.remove(extra);
    EXPECT_EQ(m.find("tmrRetry", 1), nullptr);
    app().waitPumping(500);
    EXPECT_EQ(extraTicks, 2);
    EXPECT_EQ(m.ticks, 3);
}

} // namespace
} // namespace kv::ui
