#pragma once
// The trace channel of the installer programs: their standard output goes to a device of
// its own whose every flush reaches a running trace viewer (a window of class ".WDebug.")
// and is dropped when there is none.

#include <string_view>

namespace kv::installer {

// Where a flush goes: 0 both sinks, 1 the system debugger only, 2 the viewer only, any other
// value none. The programs use the viewer only.
constexpr int kDebugSinks = 2;
// Characters the device holds before it flushes, and the most one flush hands on.
constexpr std::size_t kDebugBufferSize = 128;
constexpr std::size_t kDebugFlushLimit = 10241;

// The number of the message ".W_DebugMsg.", registered on first use.
unsigned DebugMsgId();
// When a window of class "DBWin" exists, hands the text to the platform's debug output.
void DebugToSystem(std::string_view text);
// When a ".WDebug." window exists, sends it the message with 1 and an atom naming the text,
// and deletes the atom once it has answered.
void DebugToViewer(std::string_view text);
// Hands a flushed buffer (at most kDebugFlushLimit characters of it) to the selected sinks;
// nothing for an empty buffer. Failures of the sinks are ignored.
void DebugOut(std::string_view buffer, int sinks = kDebugSinks);

// Binds the C++ standard output to the trace device (flushing at the end of every output
// operation and whenever its buffer is full) and registers the message. Called once from
// the programs' start-up; a second call does nothing.
void BindStandardOutputToTrace();

} // namespace kv::installer
