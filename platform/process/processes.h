#pragma once
// Queries of the machine's process list: each program of the project and each process
// started through the machine, while it runs.

#include <string>
#include <vector>

namespace kv::process {

// The ids of the running processes of the machine, in ascending order.
std::vector<int> processIds();
// Whether the id is a running process of the machine.
bool isProcessAlive(int id);
// The machine path of the process's image ("" when the id is not running).
std::string processImagePath(int id);
// The show mode the process was started with (1 when not running or not given).
int processShowMode(int id);

} // namespace kv::process
