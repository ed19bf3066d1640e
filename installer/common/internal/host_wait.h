#pragma once
// One round of a wait for something on the host (a program's end, a service's state):
// messages are pumped for the round's milliseconds of the clock, and up to as much real
// time is let pass, less once the awaited change came. So waits under a virtual clock
// neither spin nor race ahead of the host.

#include <cstdint>
#include <functional>

namespace kv::installer::internal {

void waitHostRound(std::uint32_t ms, const std::function<bool()>& changed);

} // namespace kv::installer::internal
