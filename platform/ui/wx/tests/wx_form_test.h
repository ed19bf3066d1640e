#pragma once
// Test support for the wx backend's tests: the model's loop run for real time, and a
// fixture that shows one form on the real screen and clicks through the X server.

#include "platform/ui/application.h"
#include "platform/ui/wx/wx_backend.h"

#include <wx/uiaction.h>
#include <wx/window.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

namespace kv::ui::testing {

// Runs the model's message loop for `ms` of real time, or until `done` holds.
inline bool pump(int ms, const std::function<bool()>& done = {}) {
    const std::uint32_t end = app().tickCount() + static_cast<std::uint32_t>(ms);
    while (static_cast<std::int32_t>(end - app().tickCount()) > 0) {
        app().processMessages();
        if (done && done()) return true;
        app().idleUntil(end);
    }
    app().processMessages();
    return done && done();
}

// Shows a form of type F on the wx backend (skipped without a display).
template <class F> class WxFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        backend = wx::install();
        if (!backend) GTEST_SKIP() << "no display";
        form = &app().form<F>();
        form->show();
        ASSERT_TRUE(pump(3000, [this] { return win(*form) && win(*form)->IsShownOnScreen(); }));
        pump(300);
    }
    void TearDown() override { resetApplication(); }

    wxWindow* win(const Widget& w) const { return backend->window(w); }
    template <class T> T* as(const Widget& w) const { return dynamic_cast<T*>(win(w)); }
    // A real mouse click at a screen point, then `settleMs` of the loop.
    void clickAt(wxPoint screen, int settleMs) {
        sim.MouseMove(screen);
        pump(50);
        sim.MouseClick();
        pump(settleMs);
    }

    wx::WxBackend* backend = nullptr;
    F* form = nullptr;
    wxUIActionSimulator sim;
};

} // namespace kv::ui::testing
