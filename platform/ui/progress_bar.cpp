#include "platform/ui/progress_bar.h"

#include <algorithm>
#include <utility>

namespace kv::ui {

void ProgressBar::setRange(int min, int max) {
    if (max < min) std::swap(min, max);
    min_ = min;
    max_ = max;
    value_ = std::clamp(value_, min_, max_);
    changed(Property::Range);
}

void ProgressBar::setValue(int value) {
    value = std::clamp(value, min_, max_);
    if (value == value_) return;
    value_ = value;
    changed(Property::Value);
}

} // namespace kv::ui
