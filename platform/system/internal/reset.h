#pragma once
// The process-wide state of each part of the system library, dropped by
// kv::machine::resetForTests().

namespace kv::machine::internal {

void resetMachine();      // the current machine
void resetProgram();      // the program's path and arguments
void resetResources();    // the resources added to the program
void resetStartActions(); // the actions registered for the next start

} // namespace kv::machine::internal
