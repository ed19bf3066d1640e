#pragma once
// Resolution of a normalised machine path to its host path, component by component.

#include <filesystem>
#include <string>
#include <vector>

namespace kv::fs::internal {

// Whether a drive letter (upper case) refuses every change: Z:, the host root.
bool isWriteProtectedDrive(char drive);

struct Resolved {
    bool valid = false;            // a well-formed path on an existing drive
    char drive = 0;                // upper-case letter
    std::filesystem::path root;    // the drive's host folder
    std::vector<std::string> host; // host (UTF-8) names of the components
    size_t found = 0;              // how many leading components exist on the host
    std::filesystem::path path() const;
    bool exists() const { return valid && found == host.size(); }
    // The host path relative to the drive's folder, as kept in the drive table.
    std::string tableKey() const;
    // Whether the drive refuses every change (the host root, like a CD-ROM).
    bool writeProtected() const { return valid && isWriteProtectedDrive(drive); }
};

// Resolves a machine path (made full first). Fails (valid false) on a bad path or drive.
Resolved resolve(std::string_view machinePath);

// Splits a full machine path "C:\a\b" into its drive letter and components.
bool splitFull(const std::string& full, char& drive, std::vector<std::string>& parts);

} // namespace kv::fs::internal
