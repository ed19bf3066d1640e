#include "platform/registry/seed.h"

#include "platform/registry/registry.h"
#include "platform/system/known_folders.h"
#include "platform/system/machine.h"

#include <fstream>
#include <string>

namespace kv::registry {
namespace {

using machine::KnownFolder;
using machine::knownFolderPath;

// The host processor's speed in MHz from /proc/cpuinfo; 2000 when it cannot be read.
std::uint32_t hostMHz() {
    std::ifstream in("/proc/cpuinfo");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("cpu MHz", 0) != 0) continue;
        const auto colon = line.find(':');
        if (colon == std::string::npos) break;
        try {
            const double mhz = std::stod(line.substr(colon + 1));
            if (mhz > 0) return static_cast<std::uint32_t>(mhz + 0.5);
        } catch (...) {}
        break;
    }
    return 2000;
}

bool seed(Root root, const char* path, const char* name, const Value& value) {
    Key k;
    if (createKey(rootKey(root), path, k) != Status::Success) return false;
    Value existing;
    if (queryValue(k, name, existing) == Status::Success) return true;
    return setValue(k, name, value) == Status::Success;
}

bool seedText(Root root, const char* path, const char* name, const std::string& text) {
    return seed(root, path, name, stringValue(text));
}

} // namespace

bool seedMachineValues() {
    const machine::Profile& profile = machine::current().profile();
    constexpr const char* kCurrentVersion = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
    constexpr const char* kShellFolders =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    constexpr const char* kEnvironment =
        "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
    bool ok = true;
    ok &= seedText(Root::LocalMachine, kCurrentVersion, "RegisteredOwner", profile.userName);
    ok &= seedText(Root::LocalMachine, kCurrentVersion, "RegisteredOrganization", "");
    ok &= seedText(Root::LocalMachine, kCurrentVersion, "ProgramFilesDir",
                   knownFolderPath(profile, KnownFolder::ProgramFiles));
    ok &= seedText(Root::LocalMachine, kCurrentVersion, "CommonFilesDir",
                   knownFolderPath(profile, KnownFolder::CommonFiles));
    for (const machine::ShellFolder& f : machine::shellFolders())
        ok &= seedText(f.common ? Root::LocalMachine : Root::CurrentUser, kShellFolders,
                       f.valueName, knownFolderPath(profile, f.folder));
    ok &= seed(Root::LocalMachine, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", "~MHz",
               dwordValue(hostMHz()));
    const std::string windows = knownFolderPath(profile, KnownFolder::Windows);
    const std::string system = knownFolderPath(profile, KnownFolder::System);
    const std::string temp = knownFolderPath(profile, KnownFolder::Temp);
    ok &= seedText(Root::LocalMachine, kEnvironment, "ComSpec", system + "\\cmd.exe");
    ok &= seedText(Root::LocalMachine, kEnvironment, "Path", system + ";" + windows);
    ok &= seedText(Root::LocalMachine, kEnvironment, "windir", windows);
    ok &= seedText(Root::LocalMachine, kEnvironment, "TEMP", temp);
    ok &= seedText(Root::LocalMachine, kEnvironment, "TMP", temp);
    if (profile.os.platformId == 2)
        ok &= seedText(Root::LocalMachine, kEnvironment, "OS", "Windows_NT");
    return ok;
}

} // namespace kv::registry
