#include "platform/system/testing/temp_machine.h"

#include "platform/system/internal/reset.h"
#include "platform/system/machine.h"
#include "platform/text/ansi.h"

#include <cstdlib>
#include <string>
#include <system_error>

namespace kv::machine::testing {
namespace {

std::filesystem::path makeTempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kv-machine-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) return {};
    return pattern;
}

} // namespace

TempMachine::TempMachine() : TempMachine(defaultProfile()) {}

TempMachine::TempMachine(const Profile& profile) : folder_(makeTempFolder()) {
    createMachine(folder_ / "machine", profile);
    if (const char* env = std::getenv("KV_MACHINE")) {
        hadEnvironment_ = true;
        savedEnvironment_ = env;
    }
    ::setenv("KV_MACHINE", (folder_ / "machine").c_str(), 1);
}

TempMachine::~TempMachine() {
    // Only the machine: a test's own resets drop the rest, and at exit the other parts'
    // state may be gone already.
    internal::resetMachine();
    text::resetForTests();
    if (hadEnvironment_)
        ::setenv("KV_MACHINE", savedEnvironment_.c_str(), 1);
    else
        ::unsetenv("KV_MACHINE");
    std::error_code ec;
    if (!folder_.empty()) std::filesystem::remove_all(folder_, ec);
}

std::filesystem::path TempMachine::hostFolder(char letter) const {
    const Profile& p = current().profile();
    const Drive* d = findDrive(p, letter);
    return d ? current().hostFolder(*d) : std::filesystem::path{};
}

Profile windowsProfile(std::string_view name) {
    Profile p = defaultProfile();
    auto set = [&](int platform, int major, int minor, int build, const char* sp) {
        p.os = OsVersion{platform, major, minor, build, sp};
    };
    if (name == "95")
        set(1, 4, 0, 950, "");
    else if (name == "98")
        set(1, 4, 10, 1998, "");
    else if (name == "ME")
        set(1, 4, 90, 3000, "");
    else if (name == "NT")
        set(2, 4, 0, 1381, "Service Pack 6");
    else if (name == "2000")
        set(2, 5, 0, 2195, "Service Pack 4");
    if (p.os.platformId == 1) {
        p.folders.system = p.folders.windows + "\\SYSTEM";
        p.folders.profiles = p.folders.windows + "\\Profiles";
    } else if (name == "NT") {
        p.folders.windows = "C:\\WINNT";
        p.folders.system = "C:\\WINNT\\system32";
        p.folders.profiles = "C:\\WINNT\\Profiles";
    }
    return p;
}

} // namespace kv::machine::testing
