// Cost of one whole command over loopback to the stand-in service (request built,
// enciphered, fetched, decoded) beside a bare libcurl GET of the same URL.
#include "client/service/security.h"
#include "platform/ui/headless/headless.h"
#include "tools/service-sim/server.h"

#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <cstdlib>
#include <string>

namespace {

using kv::service::clsSecurity;
using kv::service::Hash;

// The stand-in service on a free port with the client pointed at it.
struct Loopback {
    kv::servicesim::Server sim;
    Loopback() {
        kv::ui::headless::install();
        if (sim.start() > 0) setenv("KV_SERVICE_URL", sim.baseUrl().c_str(), 1);
    }
    ~Loopback() {
        sim.stop();
        unsetenv("KV_SERVICE_URL");
    }
};

Hash diagnoseArgs() {
    Hash args;
    args.Add("chal", "5");
    return args;
}

void BM_DiagnoseCommand(benchmark::State& state) {
    Loopback loop;
    clsSecurity security;
    for (auto _ : state) {
        Hash args = diagnoseArgs();
        Hash reply = security.queryKestrovane("diagnose", args);
        if (reply.Retrieve("invalid").text() == "1")
            state.SkipWithError("the service refused the request");
        benchmark::DoNotOptimize(reply);
    }
}
BENCHMARK(BM_DiagnoseCommand)->UseRealTime();

std::size_t keep(char* data, std::size_t size, std::size_t n, void* out) {
    static_cast<std::string*>(out)->append(data, size * n);
    return size * n;
}

// Its floor: a fresh libcurl handle fetching the URL the command sends, body kept in memory.
void BM_DiagnoseCommand_Floor(benchmark::State& state) {
    Loopback loop;
    clsSecurity security;
    Hash args = diagnoseArgs();
    const std::string url = security.getURLSecure("diagnose", args);
    for (auto _ : state) {
        std::string body;
        CURL* curl = curl_easy_init();
        curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
        curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, keep);
        curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
        if (curl_easy_perform(curl) != CURLE_OK) state.SkipWithError("fetch failed");
        curl_easy_cleanup(curl);
        benchmark::DoNotOptimize(body.data());
    }
}
BENCHMARK(BM_DiagnoseCommand_Floor)->UseRealTime();

} // namespace
