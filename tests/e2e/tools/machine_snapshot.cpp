// machine-snapshot: saves a snapshot of the machine of $KV_MACHINE in a file, or prints what
// changed on that machine since a snapshot was saved, one line each (the demo shows with it
// what setup installed and what the uninstaller left).

#include "tests/e2e/snapshot.h"
#include "tests/e2e/snapshot_file.h"

#include "platform/system/machine.h"

#include <iostream>
#include <optional>
#include <string>

namespace {

int usage(std::ostream& out, int code) {
    out << "Usage: machine-snapshot save FILE   saves the machine's files, registry and run-time"
           " state\n"
           "       machine-snapshot diff FILE   prints what changed since FILE was saved\n"
           "The machine is $KV_MACHINE (or the default machine).\n";
    return code;
}

} // namespace

int main(int argc, char** argv) {
    using namespace kv::e2e;
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h"))
        return usage(std::cout, 0);
    if (argc != 3) return usage(std::cerr, 2);
    const std::string command = argv[1];
    const std::string file = argv[2];
    if (command != "save" && command != "diff") return usage(std::cerr, 2);
    if (!kv::machine::openMachine(kv::machine::defaultMachineFolder())) {
        std::cerr << "machine-snapshot: the machine folder cannot be used\n";
        return 1;
    }
    if (command == "save") {
        if (saveSnapshot(takeSnapshot(), file)) return 0;
        std::cerr << "machine-snapshot: cannot write " << file << "\n";
        return 1;
    }
    const std::optional<Snapshot> before = loadSnapshot(file);
    if (!before) {
        std::cerr << "machine-snapshot: not a snapshot file: " << file << "\n";
        return 1;
    }
    for (const std::string& line : difference(*before, takeSnapshot()))
        std::cout << line << "\n";
    return 0;
}
