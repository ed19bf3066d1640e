#pragma once
// Snapshots of a test machine, to show what a program run changed: the files below every
// drive but the host root, the registry, and the run-time state (pending renames, the
// restart mark, service states); their difference as readable lines.

#include "platform/registry/value.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace kv::e2e {

// Machine paths, key and value names in the order the machine lists them: without regard
// to case.
struct NoCaseLess {
    bool operator()(const std::string& a, const std::string& b) const;
};

struct FileState {
    bool folder = false;
    std::uint64_t size = 0;
    std::uint64_t hash = 0; // of the bytes
    std::uint32_t attributes = 0;
    std::string shortName; // as given so far ("" when none was)
    bool operator==(const FileState&) const = default;
};

struct Snapshot {
    std::map<std::string, FileState, NoCaseLess> files; // by machine path
    // By key path from the root's full name, then by value name ("" the default value).
    std::map<std::string, std::map<std::string, registry::Value, NoCaseLess>, NoCaseLess> keys;
    std::vector<std::string> pendingRenames; // "from -> to", as they will be carried out
    bool restartMark = false;
    std::map<std::string, std::uint32_t, NoCaseLess> services; // by key name: the state
};

// The current machine now. Taking it changes nothing: no short name is given.
Snapshot takeSnapshot();

// What changed from `before` to `after`, one line each ("added file C:\App\a.exe, 3 bytes,
// attributes A"), files first, then keys and values, then the run-time state; empty when
// nothing did.
std::vector<std::string> difference(const Snapshot& before, const Snapshot& after);

} // namespace kv::e2e
