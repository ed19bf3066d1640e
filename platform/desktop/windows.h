#pragma once
// Top-level windows seen by every process of the machine: a process registers a window of a
// class, any process finds it by its class and sends it messages. A message is handled on
// the window's own serving thread and answered before the sender goes on; the sender waits
// a bounded time, so a hung or vanished receiver cannot stop it.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kv::desktop {

// A window's handle: a number unique on the machine; 0 is no window.
using WindowHandle = std::int64_t;

// A window's procedure: message number and the two parameters in, the answer out.
using WindowProc =
    std::function<std::intptr_t(unsigned message, std::uintptr_t wParam, std::intptr_t lParam)>;

// A registered window, listed on the machine while the object lives (or its process runs).
class MachineWindow {
public:
    // Registers a window of a class; its procedure is called on a thread of its own, one
    // message at a time. valid() is false when the window could not be registered.
    MachineWindow(std::string className, WindowProc proc);
    ~MachineWindow();
    MachineWindow(const MachineWindow&) = delete;
    MachineWindow& operator=(const MachineWindow&) = delete;

    bool valid() const;
    WindowHandle handle() const;
    const std::string& className() const;

    struct State;

private:
    std::unique_ptr<State> state_;
};

// The first live window of a class (compared without regard to case); 0 when none.
WindowHandle findWindow(std::string_view className);

constexpr int kSendTimeoutMs = 5000;
// Sends a message to a window, of this process or another, and waits for its answer at most
// `timeoutMs`; nothing when there is no such window, it is gone or it did not answer in time.
std::optional<std::intptr_t> sendMessage(WindowHandle window, unsigned message,
                                         std::uintptr_t wParam, std::intptr_t lParam,
                                         int timeoutMs = kSendTimeoutMs);

} // namespace kv::desktop
