// kvmachine: commands on the machine named by $KV_MACHINE (or the default machine).

#include "tools/kvmachine/commands.h"

#include "platform/system/machine.h"

#include <iostream>

int main(int argc, char** argv) {
    kv::machine::current(); // opens (or creates) the machine and takes its code page
    return kv::tools::runKvmachine(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                                   std::cerr);
}
