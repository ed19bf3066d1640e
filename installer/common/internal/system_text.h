#pragma once
// The text logic of the system queries, as functions of plain values so that it can be
// tested apart from the machine.

#include <string>
#include <string_view>

namespace kv::installer::internal {

// The version values the system queries read (platform id 0 Win32s, 1 Windows 9x, 2 NT).
struct OsVersionValues {
    int platformId = 2;
    int major = 5;
    int minor = 1;
    int build = 2600;
    std::string servicePack;
};

// "major.minor", for example "4.10".
std::string versionText(const OsVersionValues& v);
// NT platform and version 5.1.
bool isWinXP(const OsVersionValues& v);
// "32S", "95", "98", "ME", "NT", "2000", "XP", or the version text.
std::string osShortName(const OsVersionValues& v);
// "Win" + short name, version and build, with the service pack in parentheses.
std::string osDescription(const OsVersionValues& v);
// The command line without the program's path (found without regard to case), stripped of
// blanks and double quotes at both ends.
std::string commandTail(std::string_view commandLine, std::string_view exePath);
// The value of `switchText` in the command tail; empty when absent, "TRUE" when it has none.
std::string switchValue(std::string_view tail, std::string_view switchText);

} // namespace kv::installer::internal
