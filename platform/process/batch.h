#pragma once
// Batch files (".BAT") of the machine: a small interpreter of the commands the programs
// write into them. A batch started through the machine runs as a host process of its own,
// outside the machine's process list: the starter's own host executable is run again with
// the batch named in kBatchVariable, and its start hook (runBatchIfAsked) runs the batch
// and ends before the program does anything else.

#include <chrono>
#include <optional>
#include <string_view>

namespace kv::process {

// The variable that names the batch (a machine path) to the process started to run it.
constexpr const char* kBatchVariable = "KV_BATCH";

// How long a jump back waits, and how long a batch may run before it gives up.
struct BatchLimits {
    std::chrono::milliseconds jumpWait{100};
    std::chrono::milliseconds bound{std::chrono::minutes(2)};
};

// How a run ended: not read, run to its end (or to a jump to a missing label), or given
// up at a jump back once the bound had passed; the last ERRORLEVEL.
enum class BatchEnd { NotRead, Done, GaveUp };
struct BatchResult {
    BatchEnd end = BatchEnd::NotRead;
    int errorLevel = 0;
};

// Runs a batch file in this process. The file is read once; lines end with CR LF or LF.
// Commands (without regard to case, "@" before one ignored): ":label", "GOTO label",
// "IF [NOT] ERRORLEVEL n command", "IF [NOT] EXIST path command", "DEL path" (ERRORLEVEL 1
// when the file exists and cannot be deleted, else 0), "RD path" (an empty folder only,
// failing silently); "REM", "@ECHO OFF" and other lines do nothing. Paths are machine
// paths, optionally in double quotes; short names are followed.
BatchResult runBatch(std::string_view path, const BatchLimits& limits = {});

// The start hook, called first in a program's main: when this process was started to run a
// batch, opens the machine, runs the batch and gives the exit code the program should end
// with (0 when the batch ran to its end, 1 otherwise); nothing in any other process.
std::optional<int> runBatchIfAsked();

} // namespace kv::process
