// service-sim: the stand-in service on loopback, for the demo and manual checks.
// service-sim [--port N] [--refuse-login] [--fail MESSAGE] [--garbage] [--slow MS]
//             [--close-early] [--print-requests]

#include "tools/service-sim/server.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

int main(int argc, char** argv) {
    int port = 0;
    kv::servicesim::Switches sw;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--port" && hasValue)
            port = std::atoi(argv[++i]);
        else if (arg == "--refuse-login")
            sw.refuseLogin = true;
        else if (arg == "--fail" && hasValue)
            sw.failMessage = argv[++i];
        else if (arg == "--garbage")
            sw.garbage = true;
        else if (arg == "--slow" && hasValue)
            sw.slowMs = std::atoi(argv[++i]);
        else if (arg == "--close-early")
            sw.closeEarly = true;
        else if (arg == "--print-requests")
            sw.printRequests = true;
        else {
            std::fprintf(stderr, "service-sim: unknown argument %s\n", arg.c_str());
            return 2;
        }
    }
    kv::servicesim::Server server;
    server.setSwitches(sw);
    const int bound = server.start(port);
    if (bound < 0) {
        std::fprintf(stderr, "service-sim: cannot listen on port %d\n", port);
        return 1;
    }
    std::printf("%d\n", bound);
    std::fflush(stdout);
    for (;;)
        std::this_thread::sleep_for(std::chrono::hours(1));
}
