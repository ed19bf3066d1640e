#pragma once
// Starting a batch file: this process's own host executable run again, detached, with the
// batch named in its environment, so that its start hook runs the batch. The process is
// not entered in the machine's process list and keeps none of the starter's output.

#include "platform/process/exec.h"

#include <string>

namespace kv::process::internal {

// Whether a machine path names a batch file (extension ".BAT", without regard to case).
bool isBatchFile(const std::string& path);

// Whether this process was started to run a batch (its start hook reads the batch named).
bool handedBatch();

// Starts the batch at a full machine path; kExecStarted and the host pid, or the failure
// (11 also in a process that was itself handed a batch, whose start hook is missing).
Started startBatch(const std::string& path);

} // namespace kv::process::internal
