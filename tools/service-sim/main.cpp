// service-sim: the stand-in service on loopback, for the demo and manual checks.
// service-sim [--port N] [--refuse-login] [--fail MESSAGE] [--garbage] [--slow MS]
//             [--close-early] [--print-requests]

#include "tools/service-sim/server.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

// A whole number from 0 to 65535 given on the command line, or -1.
int smallNumber(const char* text) {
    char* end = nullptr;
    const long n = std::strtol(text, &end, 10);
    return end != text && *end == '\0' && n >= 0 && n <= 65535 ? static_cast<int>(n) : -1;
}

} // namespace

int main(int argc, char** argv) {
    int port = 0;
    kv::servicesim::Switches sw;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--port" && hasValue)
            port = smallNumber(argv[++i]);
        else if (arg == "--refuse-login")
            sw.refuseLogin = true;
        else if (arg == "--fail" && hasValue)
            sw.failMessage = argv[++i];
        else if (arg == "--garbage")
            sw.garbage = true;
        else if (arg == "--slow" && hasValue)
            sw.slowMs = smallNumber(argv[++i]);
        else if (arg == "--close-early")
            sw.closeEarly = true;
        else if (arg == "--print-requests")
            sw.printRequests = true;
        else {
            std::fprintf(stderr, "service-sim: unknown argument %s\n", arg.c_str());
            return 2;
        }
    }
    if (port < 0 || sw.slowMs < 0) {
        std::fprintf(stderr, "service-sim: --port and --slow take a number from 0 to 65535\n");
        return 2;
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
