#pragma once
// The emulated machine: one folder holding the profile, the drives' host folders, the
// drives' tables, the registry hives and the run-time state. A process uses one machine,
// reached through current().

#include "platform/system/profile.h"

#include <filesystem>

namespace kv::machine {

class Machine {
public:
    Machine(std::filesystem::path folder, Profile profile);

    const std::filesystem::path& folder() const { return folder_; }
    const Profile& profile() const { return profile_; }

    std::filesystem::path profileFile() const;    // <folder>/profile.txt
    std::filesystem::path registryFolder() const; // the registry hives
    std::filesystem::path runtimeFolder() const;  // run-time state (locks, services, cookies)
    std::filesystem::path tableFolder() const;    // the drives' attribute and short-name tables

    // The drive of a letter (either case), or null when the machine has none.
    const Drive* drive(char letter) const { return findDrive(profile_, letter); }
    // The absolute, lexically normal host folder of a drive.
    std::filesystem::path hostFolder(const Drive& drive) const;
    // The host folder of a drive letter, or an empty path when the machine has no such drive.
    std::filesystem::path driveFolder(char letter) const;

private:
    std::filesystem::path folder_;
    Profile profile_;
};

// $KV_MACHINE, else ${XDG_DATA_HOME:-$HOME/.local/share}/kestrovane/machine.
std::filesystem::path defaultMachineFolder();

// The machine of this process; opened from defaultMachineFolder() on first use, and
// created there with the default profile when it has none.
const Machine& current();
// Whether a machine is current already (current() would not open the default one).
bool isOpen();

// Opens the machine in a folder (creating a default one when it has no profile) and makes
// it current; sets the process's ANSI code page from the profile. False when the folder
// cannot be used: not a folder, a profile that cannot be read, or the folder, its run,
// run/locks, registry or tables folder not writable (the machine is current anyway).
bool openMachine(const std::filesystem::path& folder);

// Creates a machine in a folder from a profile (profile file, drive folders, the known
// folders on their drives, run-time folder) and makes it current. An existing profile is
// replaced. False when the folder cannot be written.
bool createMachine(const std::filesystem::path& folder, const Profile& profile);

// Drops the system library's process-wide state: the current machine (the next current()
// opens the default one again), the program's path and arguments, its added resources and
// the actions registered for the next start.
void resetForTests();

} // namespace kv::machine
