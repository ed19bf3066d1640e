#pragma once
// Programs started through the machine. A host executable (an ELF file, or a script with
// its executable bit) starts detached, in the host folder of the current machine folder,
// with the machine and the command line as written handed on; it enters the machine's
// process list under its machine path with its show mode. A ".BAT" file runs in the
// machine's batch interpreter (platform/process/batch.h), unlisted and with no window.
// Anything else does not start.

#include <optional>
#include <string_view>

namespace kv::process {

// Results of WinExec, numbered as the platform numbers them.
constexpr unsigned kExecOutOfMemory = 0;
constexpr unsigned kExecFileNotFound = 2;
constexpr unsigned kExecPathNotFound = 3;
constexpr unsigned kExecBadFormat = 11;
constexpr unsigned kExecStarted = 33;

// Show modes as the platform numbers them (the ones the programs use).
constexpr int kShowHide = 0;
constexpr int kShowNormal = 1;
constexpr int kShowDefault = 10;

// A process started through the machine: the start's result and, once started, its id.
struct Started {
    unsigned result = kExecFileNotFound;
    int id = 0;
};

// Starts the program of a command line: a quoted program, or the first blank-separated
// prefix that names a file (".exe" tried when it has no extension); the rest of the line
// becomes the arguments by the C runtime's rules.
Started startProgram(std::string_view commandLine, int showMode);
// The same, giving only the result: kExecStarted, or 2 file not found, 3 path not found,
// 11 not a program.
unsigned WinExec(std::string_view commandLine, int showMode);

// Waits until a process of the machine has ended. For a process this one started, its exit
// code (the code given to TerminateProcess when it was ended so; 128 + the signal when a
// signal ended it); for others nothing once it is gone.
std::optional<unsigned> waitForProcess(int id);

// Ends a process of the machine with its whole host process group, at once: its image is
// free when this returns. False when the id is not a running process of the machine.
bool TerminateProcess(int id, unsigned exitCode);

} // namespace kv::process
