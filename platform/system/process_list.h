#pragma once
// The machine's process list, kept in its run-time state so every process sees it: one
// entry per running program of the machine (host pid, the pid's start time, the image's
// machine path and host file, the show mode it was started with). An entry whose pid is
// gone, has ended or now belongs to another process drops out.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kv::machine {

struct ProcessEntry {
    int id = 0;                  // the host pid
    long long startTime = 0;     // the pid's start time on the host (clock ticks since boot)
    std::string path;            // the image's machine path
    std::filesystem::path image; // the image's host file
    int showMode = 1;            // as given to the start (1: shown normally)
    std::uint64_t device = 0;    // the image's device and inode, taken when entered
    std::uint64_t inode = 0;
};

// The start time of a running host pid; nothing when it is gone or has ended (a zombie).
std::optional<long long> hostStartTime(int pid);

// Enters a process (its start time, device and inode are taken from the host). False when
// the pid is not running or the list cannot be written.
bool enterProcess(ProcessEntry entry);
// Removes the entry of an id, whatever its state.
void leaveProcess(int id);

// The live entries, by id; entries found dead are removed on the way.
std::vector<ProcessEntry> listedProcesses();
// The live entry of an id.
std::optional<ProcessEntry> listedProcess(int id);
// Whether the image of a live entry is this host file (same device and inode).
bool isImageInUse(const std::filesystem::path& host);

} // namespace kv::machine
