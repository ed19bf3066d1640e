#include "installer/common/internal/host_wait.h"

#include "installer/common/messages.h"

#include <chrono>
#include <thread>

namespace kv::installer::internal {

void waitHostRound(std::uint32_t ms, const std::function<bool()>& changed) {
    using Clock = std::chrono::steady_clock;
    constexpr auto kStep = std::chrono::milliseconds(10);
    const auto end = Clock::now() + std::chrono::milliseconds(ms);
    WaitPumping(ms);
    for (auto now = Clock::now(); now < end && !changed(); now = Clock::now())
        std::this_thread::sleep_for(std::min<Clock::duration>(kStep, end - now));
}

} // namespace kv::installer::internal
