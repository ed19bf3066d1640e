// service-sim: the stand-in service on loopback, for the demo and manual checks.

#include "tools/service-sim/server.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

constexpr const char* kUsage =
    "usage: service-sim [options]\n"
    "\n"
    "A stand-in for the sniping service on 127.0.0.1: answers /tx.cgi in the client's wire\n"
    "format and /code.bmp with the security-code picture. Prints the port it listens on,\n"
    "then serves until it is stopped. Users alice, bob (offered an upgrade) and carol (asked\n"
    "for the security code 7Q4K), each with the password secret. A request the client would\n"
    "not send is refused with a failure reply and its reason on standard error.\n"
    "\n"
    "options:\n"
    "  --port N          listen on port N (default 0: a free port)\n"
    "  --refuse-login    refuse every login (\"Your account is suspended.\")\n"
    "  --fail MESSAGE    every record command fails with MESSAGE; the store is unchanged\n"
    "  --garbage         answer text that is no cipher text\n"
    "  --slow MS         wait MS milliseconds before each answer\n"
    "  --close-early     send half of each body, then drop the connection\n"
    "  --repeat-keys     send every reply field twice, first with an empty value\n"
    "  --status-500      answer with HTTP status 500, the body as always\n"
    "  --pace MS         send each body a few bytes at a time, MS milliseconds apart\n"
    "  --print-requests  print each deciphered request on standard output\n"
    "  --help            show this text\n"
    "\n"
    "environment: none is read (the client finds the service through KV_SERVICE_URL,\n"
    "e.g. http://127.0.0.1:PORT).\n";

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
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg == "--port" && hasValue)
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
        else if (arg == "--repeat-keys")
            sw.repeatKeys = true;
        else if (arg == "--status-500")
            sw.status500 = true;
        else if (arg == "--pace" && hasValue)
            sw.paceMs = smallNumber(argv[++i]);
        else if (arg == "--print-requests")
            sw.printRequests = true;
        else {
            std::fprintf(stderr, "service-sim: unknown argument %s (see --help)\n", arg.c_str());
            return 2;
        }
    }
    if (port < 0 || sw.slowMs < 0 || sw.paceMs < 0) {
        std::fprintf(stderr,
                     "service-sim: --port, --slow and --pace take a number from 0 to 65535\n");
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
