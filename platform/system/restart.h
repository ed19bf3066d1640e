#pragma once
// The machine's restart request: a mark in the machine folder, set when a program asks
// for a restart and carried out by the first program start that finds it.

#include <functional>

namespace kv::machine {

// Marks the current machine as restarted (the host is never touched).
bool requestRestart();
// Whether the current machine carries the mark.
bool restartRequested();
// Removes the mark.
void clearRestartRequest();
// Removes the mark and returns true when this call removed it; of several processes
// racing, only one sees true.
bool consumeRestartMark();

// Registers an action for the first program start after a restart (the pending renames).
void onFirstStartAfterRestart(std::function<void()> action);
// Called at program start: when the mark is there, consumes it and runs the registered
// actions in order. Returns whether it did.
bool runStartActions();

} // namespace kv::machine
