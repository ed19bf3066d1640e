#pragma once
// The registry values every machine starts with, taken from the machine's profile and known
// folders: owner and organisation, program folders, the Shell Folders of the user and of all
// users, the processor's speed and the system environment.

namespace kv::registry {

// Writes each seed value that is missing (values already there are kept); false when the
// registry could not be written. Runs by itself the first time a machine's registry is used.
bool seedMachineValues();

} // namespace kv::registry
