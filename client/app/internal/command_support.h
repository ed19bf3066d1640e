#pragma once
// What the command operations share: the main window's hourglass while they wait, and the
// reading and reporting of a single-record reply.

#include "client/protocol/hash.h"

#include <string>

namespace kv::app::internal {

// The main window's hourglass for the life of the object, when asked for.
class WaitCursor {
public:
    explicit WaitCursor(bool on);
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    bool on_;
};

// A reply's return field as a number; absent or not a number counts as 0 (failure).
double replyReturn(kv::protocol::Hash& reply);
// Shows the reply's message (or the default failure text) with the critical-stop icon.
void showFailure(kv::protocol::Hash& reply, const std::string& title);
// Sends one single-record command; a failed reply is shown under title. True on success.
bool sendRecord(const std::string& command, kv::protocol::Hash& args, const std::string& title);

} // namespace kv::app::internal
