#include "installer/uninstall/uninstall_state.h"

#include "installer/uninstall/internal/reset.h"
#include "platform/fs/files.h"

#include <optional>

namespace kv::installer::uninstall {
namespace {

struct State {
    bool done = false;
    std::optional<bool> testMode;
};

State& state() {
    static State s;
    return s;
}

} // namespace

void internal::resetUninstallState() {
    state() = State{};
}

void SetUninstallDone(bool done) {
    state().done = done;
}

bool IsUninstallDone() {
    return state().done;
}

bool IsTestMode() {
    if (!state().testMode) state().testMode = fs::exists(kTestModeFile);
    return *state().testMode;
}

} // namespace kv::installer::uninstall
