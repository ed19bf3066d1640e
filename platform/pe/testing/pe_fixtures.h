#pragma once
// Test support: real PE files (resource-only DLLs) carrying version resources, compiled
// from resource scripts with the MinGW binutils (windres and ld).

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kv::pe::testing {

enum class Bits { Pe32, Pe32Plus };

// One "StringFileInfo" block: its translation name ("040904E4") and key/value pairs (the
// values in code page 1252).
struct StringTable {
    std::string translation;
    std::vector<std::pair<std::string, std::string>> values;
};

// A VERSIONINFO script with the fixed file version (four numbers), the string tables, and
// a "VarFileInfo" translation table of (language, code page) pairs unless it is nothing.
std::string versionScript(const std::string& fileVersion, const std::vector<StringTable>& tables,
                          const std::optional<std::vector<std::pair<int, int>>>& translations);

// Compiles the script and links a resource-only DLL at `output` (a host path). Returns ""
// on success, else what the tools reported.
std::string buildDll(const std::string& script, Bits bits, const std::filesystem::path& output);

// Runs a shell command; its exit status and what it wrote to stdout and stderr.
std::pair<int, std::string> runCommand(const std::string& command);

} // namespace kv::pe::testing
