#pragma once
// The message loop as the service layer sees it: one pass over pending window events.

namespace kv::service {

// Lets the message loop handle the window events pending now.
void pumpMessages();
// Lets the windows draw themselves while a request waits, handling nothing else.
void repaintWindows();

} // namespace kv::service
