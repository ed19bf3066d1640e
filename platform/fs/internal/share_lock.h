#pragma once
// Share locks on host files, seen by every process of the machine: an open file
// description lock on a lock file per host file (device and inode) in the machine's
// run-time folder. The lock file goes away when its last holder lets go.

#include <sys/stat.h>

#include <filesystem>

namespace kv::fs::internal {

struct ShareLock {
    int fd = -1;
    std::filesystem::path file; // the lock file, kept to remove it on release
};

// Takes a shared or exclusive lock on the host file of st; false when another holder's
// lock conflicts (or the lock file cannot be made).
bool acquireShareLock(const struct stat& st, bool exclusive, ShareLock& lock);
// Lets go of the lock; the last holder removes the lock file.
void releaseShareLock(ShareLock& lock);
// Whether some holder has the host file of st exclusively.
bool heldExclusively(const struct stat& st);

} // namespace kv::fs::internal
