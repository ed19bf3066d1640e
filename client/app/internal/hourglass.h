#pragma once
// A window's hourglass pointer for the life of the object: the default pointer comes back
// on every way out of a handler.

#include "platform/ui/form.h"

namespace kv::app::internal {

class Hourglass {
public:
    explicit Hourglass(kv::ui::Form& form) : form_(form) {
        form_.setMousePointer(kv::ui::MousePointer::Hourglass);
    }
    ~Hourglass() { form_.setMousePointer(kv::ui::MousePointer::Default); }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;

private:
    kv::ui::Form& form_;
};

} // namespace kv::app::internal
