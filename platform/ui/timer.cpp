#include "platform/ui/timer.h"

#include "platform/ui/application.h"
#include "platform/ui/internal/current.h"

#include <algorithm>

namespace kv::ui {

Timer::Timer(Form& form, std::string name, int index) : Control(form, std::move(name), index) {
    initVisible(false);
}

Timer::~Timer() {
    if (Application* a = internal::currentApplication()) a->unschedule({}, *this);
}

void Timer::setInterval(int ms) {
    interval_ = std::max(ms, 0);
    changed(Property::Interval); // re-arms even when the interval stays the same
}

void Timer::tick() {
    raise(onTimer);
}

void Timer::onChanged(Property property) {
    if (property == Property::Interval || property == Property::Enabled) app().schedule({}, *this);
}

} // namespace kv::ui
