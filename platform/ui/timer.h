#pragma once
// Timers.

#include "platform/ui/control.h"

#include <cstdint>

namespace kv::ui {

// Fires its timer event every `interval` ms while enabled, from the message loop. The
// first tick comes `interval` ms after the timer was enabled or its interval set.
class Timer : public Control {
public:
    Timer(Form& form, std::string name, int index);
    ~Timer() override;
    std::string_view kind() const override { return "Timer"; }
    bool canFocus() const override { return false; }
    int interval() const { return interval_; }
    void setInterval(int ms);
    // Runs the timer event as the message loop does.
    void tick();
    std::function<void()> onTimer;

protected:
    void onChanged(Property property) override;

private:
    int interval_ = 0;
};

} // namespace kv::ui
