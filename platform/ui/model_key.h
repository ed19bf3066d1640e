#pragma once
// The key to the window model's internal calls (load and show bookkeeping, focus, timers,
// paints): only the model's own classes and its backends can make one, so program code
// cannot reach those calls.

#include <functional>

namespace kv::ui {

class ModelKey {
    ModelKey() = default;
    friend class Application;
    friend class Backend; // hands it to the backends (Backend::modelKey)
    friend class Control;
    friend class Form;
    friend class PictureBox;
    friend class Timer;
    friend int runProgram(const std::function<int()>& body);
};

} // namespace kv::ui
