// An execution-extension library for the tests: conditions at indexes 0 and 2, operations
// at index 1 (its title written into the caller's buffer) and 4 (without its function). The
// functions check what arrives: GetCondition_0 holds only for window 77, stage 3 and ("disk", ">",
// "10"); GetCondition_2 answers 2; SetExecution_1 succeeds only for window 77, stage 5 and
// ("copy", "now").

#include <cstdint>
#include <cstring>

#define KV_EXPORT extern "C" __attribute__((visibility("default")))

namespace {
bool same(const char* a, const char* b) {
    return a && std::strcmp(a, b) == 0;
}
} // namespace

KV_EXPORT const char* GetConditionAlias(int index, char*) {
    if (index == 0) return "DiskSpaceAbove";
    if (index == 2) return "PrinterReady";
    return "";
}

KV_EXPORT const char* GetExecutionAlias(int index, char* buffer) {
    if (index == 4) return "NoSuchStep"; // no SetExecution_4 behind it
    if (index != 1) return "";
    std::strcpy(buffer, "CopyNow");
    return buffer;
}

KV_EXPORT int GetCondition_0(std::uintptr_t window, int stage, const char* argument,
                             const char* relation, const char* value) {
    return window == 77 && stage == 3 && same(argument, "disk") && same(relation, ">") &&
                   same(value, "10")
               ? 1
               : 0;
}

KV_EXPORT int GetCondition_2(std::uintptr_t, int, const char*, const char*, const char*) {
    return 2;
}

KV_EXPORT int SetExecution_1(std::uintptr_t window, int stage, const char* argument1,
                             const char* argument2) {
    return window == 77 && stage == 5 && same(argument1, "copy") && same(argument2, "now") ? 1 : 0;
}
