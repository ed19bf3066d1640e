#pragma once
// Result codes of the registry calls, numbered as the platform numbers them.

namespace kv::registry {

enum class Status : long {
    Success = 0,
    FileNotFound = 2,      // the key or value does not exist
    AccessDenied = 5,      // e.g. a single-key delete of a key that has subkeys
    InvalidParameter = 87, // e.g. a key name that holds no name at all
    NoMoreItems = 259,     // an enumeration index past the end
    RegistryCorrupt = 1015,
    RegistryIoFailed = 1016, // the hive file could not be read or written
};

} // namespace kv::registry
