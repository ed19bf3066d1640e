#pragma once
// Frames: captioned containers of other controls.

#include "platform/ui/control.h"

namespace kv::ui {

class Frame : public Control {
public:
    Frame(Form& form, std::string name, int index) : Control(form, std::move(name), index) {}
    std::string_view kind() const override { return "Frame"; }
    bool canFocus() const override { return false; }
};

} // namespace kv::ui
