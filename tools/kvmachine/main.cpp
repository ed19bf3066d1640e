// kvmachine: commands on the machine named by $KV_MACHINE (or the default machine).

#include "tools/kvmachine/commands.h"

#include "platform/process/batch.h"
#include "platform/system/machine.h"

#include <iostream>
#include <optional>

int main(int argc, char** argv) {
    // kvmachine started to run a batch (by "run" of a ".BAT"): that and nothing else.
    if (const std::optional<int> code = kv::process::runBatchIfAsked()) return *code;
    kv::machine::current(); // opens (or creates) the machine and takes its code page
    return kv::tools::runKvmachine(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                   std::cerr);
}
