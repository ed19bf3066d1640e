// A COM server for the tests: registering leaves a mark in the machine folder
// ($KV_MACHINE/com-server-registered), unregistering removes it and fails (a non-zero
// result) when there was none.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#define KV_EXPORT extern "C" __attribute__((visibility("default")))

namespace {
std::string mark() {
    const char* machine = std::getenv("KV_MACHINE");
    return std::string(machine ? machine : ".") + "/com-server-registered";
}
} // namespace

KV_EXPORT std::int32_t DllRegisterServer() {
    std::FILE* f = std::fopen(mark().c_str(), "w");
    if (!f) return 1;
    std::fclose(f);
    return 0;
}

KV_EXPORT std::int32_t DllUnregisterServer() {
    return std::remove(mark().c_str()) == 0 ? 0 : static_cast<std::int32_t>(0x80004005u);
}
