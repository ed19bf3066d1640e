#pragma once
// kvmachine: commands on the machine for tests and users (see docs/kvmachine.md).

#include <iosfwd>
#include <string>
#include <vector>

namespace kv::tools {

// Runs one command line of kvmachine (arguments after the program name, UTF-8 as the
// terminal gives them); writes its output and errors to the streams and returns the
// process exit status (0 done, 1 failed, 2 bad usage).
int runKvmachine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace kv::tools
