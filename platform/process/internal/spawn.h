#pragma once
// Host processes started detached: a session and process group of their own (so they
// outlive their starter and can be ended as a group), an argument vector (never a shell),
// a working folder, the starter's environment with some variables set, stdin from
// /dev/null (and stdout and stderr too when asked).

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace kv::process::internal {

struct SpawnRequest {
    std::filesystem::path program;                           // the host file executed
    std::vector<std::string> arguments;                      // argv, argv[0] included
    std::filesystem::path folder;                            // working folder; none: keep
    std::vector<std::pair<std::string, std::string>> values; // environment set
    std::string processIdVariable; // when set, the child's pid is handed on in it
    bool detachOutput = false;     // stdout and stderr to /dev/null as well
};

// The pid, or -1 and the errno of the failed step (the change of folder gives ENOTDIR or
// the like with folderFailed set).
struct SpawnResult {
    int pid = -1;
    int error = 0;
    bool folderFailed = false;
};

SpawnResult spawnDetached(const SpawnRequest& request);

// The host file of a program name searched on the host's PATH (a name with a "/" is taken
// as it is); empty when none is found.
std::filesystem::path searchHostPath(const std::string& name);

} // namespace kv::process::internal
