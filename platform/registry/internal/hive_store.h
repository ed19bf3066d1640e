#pragma once
// One hive file on the host and its cached tree. Readers reload when the file changed since
// they last read it; every change takes the hive's lock (flock on "<hive>.lock"), reloads
// when another process changed the file, applies the change and saves atomically (temporary
// file, fsync, rename). A file that does not parse is reported on stderr and renamed aside,
// never overwritten; one that cannot be read at all makes every call fail.

#include "platform/registry/internal/tree.h"
#include "platform/registry/status.h"

#include <cstdint>
#include <ctime>
#include <functional>
#include <set>
#include <string>
#include <sys/types.h>
#include <vector>

namespace kv::registry::internal {

class HiveStore {
public:
    explicit HiveStore(std::string path) : path_(std::move(path)) {}

    // Runs fn on the current tree.
    Status read(const std::function<Status(const KeyNode&)>& fn);
    // Runs fn under the hive's lock on the current tree; saves when fn succeeded and set
    // changed.
    Status modify(const std::function<Status(KeyNode&, bool& changed)>& fn);

    const std::string& path() const { return path_; }

private:
    struct Identity {
        bool exists = false;
        dev_t dev = 0;
        ino_t ino = 0;
        off_t size = 0;
        std::int64_t mtimeNs = 0;
        std::int64_t ctimeNs = 0;
        std::uint64_t generation = 0;
        bool operator==(const Identity&) const = default;
    };
    enum class Refresh { Ok, Unreadable, NeedsLock };

    Refresh refresh(bool locked);
    bool setAside(const std::string& reason);
    Status save();
    void report(const std::string& message);

    std::string path_;
    KeyNode root_;
    Identity loaded_;
    bool valid_ = false;
    std::set<std::string> reported_;
};

// The reports made since the last call, in order (each hive reports a message once).
std::vector<std::string> takeReports();

// Test hook: called during a save after part of the temporary file has been written.
void setSaveHookForTests(std::function<void()> hook);

} // namespace kv::registry::internal
