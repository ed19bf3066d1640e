#pragma once
// Finding the program of a command line the way the platform's search does.

#include <filesystem>
#include <string>
#include <string_view>

namespace kv::process::internal {

struct FoundProgram {
    unsigned error = 0;         // 0 when found, else 2 (file) or 3 (path) not found
    std::string path;           // the program's full machine path, as written
    std::filesystem::path host; // its host file
    std::string rest;           // the command line after the program
};

// A leading double quote: the program is the quoted text. Otherwise each blank-separated
// prefix, shortest first, is tried. A candidate is an existing file, also with ".exe"
// added when its name has no extension.
FoundProgram findProgram(std::string_view commandLine);

// Whether a host file can run as a host program: an ELF file, or a script ("#!") with its
// executable bit.
bool isHostExecutable(const std::filesystem::path& host);

} // namespace kv::process::internal
