#pragma once
// Test support: a fresh machine in a temporary folder, current while the object lives.

#include "platform/system/profile.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace kv::machine::testing {

class TempMachine {
public:
    // Creates the machine (default profile unless one is given), makes it current and points
    // $KV_MACHINE at it, so child processes use it too.
    TempMachine();
    explicit TempMachine(const Profile& profile);
    // Forgets the machine, removes its folder and restores code page 1252.
    ~TempMachine();
    TempMachine(const TempMachine&) = delete;
    TempMachine& operator=(const TempMachine&) = delete;

    const std::filesystem::path& folder() const { return folder_; }
    // The host folder of a drive of this machine.
    std::filesystem::path hostFolder(char letter) const;

private:
    std::filesystem::path folder_;
    std::string savedEnvironment_;
    bool hadEnvironment_ = false;
};

// The default profile with the version of a Windows release named by its short name:
// "95", "98", "ME", "NT" (4.0), "2000" or "XP"; the XP profile for any other name.
Profile windowsProfile(std::string_view shortName);

} // namespace kv::machine::testing
