#pragma once
// Reading files of the machine by their machine path ("Z:\dir\Setup.txt").

#include <filesystem>
#include <optional>
#include <string>

namespace kv::installer::internal {

// The host path of a machine path on one of the machine's drives; empty when the path has
// no drive letter or the machine has no such drive.
std::filesystem::path HostPathOf(const std::string& machinePath);
bool MachineFileExists(const std::string& machinePath);
bool MachineDirExists(const std::string& machinePath);
// The whole file, or nothing when it cannot be read.
std::optional<std::string> ReadMachineFile(const std::string& machinePath);

} // namespace kv::installer::internal
