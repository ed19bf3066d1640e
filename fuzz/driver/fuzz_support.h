#pragma once
// What the fuzz targets share: the fuzzer's entry point, a broken invariant reported as a
// crash (so libFuzzer keeps the input), input split into parts, and a machine of their own.

#include "platform/system/testing/temp_machine.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace kv::fuzz {

inline std::string_view asText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Aborts with the invariant's description when it does not hold.
inline void check(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

// The parts of the input between the separator bytes.
inline std::vector<std::string_view> split(std::string_view input, char separator) {
    std::vector<std::string_view> parts;
    for (;;) {
        const std::size_t at = input.find(separator);
        parts.push_back(input.substr(0, at));
        if (at == std::string_view::npos) return parts;
        input.remove_prefix(at + 1);
    }
}

// A fresh machine in a temporary folder for the whole run, so that no target ever uses
// the user's own machine; removed when the program ends normally.
inline const machine::testing::TempMachine& fuzzMachine() {
    static const machine::testing::TempMachine machine;
    return machine;
}

} // namespace kv::fuzz
