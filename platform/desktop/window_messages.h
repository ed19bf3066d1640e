#pragma once
// Registered window messages: one number per name (compared without regard to case) for
// every process of the machine, from 0xC000.

#include <string_view>

namespace kv::desktop {

constexpr unsigned kFirstRegisteredMessage = 0xC000;

// The name's message number, registering it on first use; 0 for an empty name or when the
// machine's table cannot be written.
unsigned registerWindowMessage(std::string_view name);

} // namespace kv::desktop
