#pragma once
// Progress bars: a value shown within a range.

#include "platform/ui/control.h"

namespace kv::ui {

class ProgressBar : public Control {
public:
    ProgressBar(Form& form, std::string name, int index) : Control(form, std::move(name), index) {}
    std::string_view kind() const override { return "ProgressBar"; }
    bool canFocus() const override { return false; }
    int min() const { return min_; }
    int max() const { return max_; }
    void setRange(int min, int max);
    int value() const { return value_; }
    // The value, kept within the range.
    void setValue(int value);

private:
    int min_ = 0;
    int max_ = 100;
    int value_ = 0;
};

} // namespace kv::ui
