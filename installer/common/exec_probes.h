#pragma once
// What the machine offers to the execute-operation conditions: memory, processor speed,
// screen resolution and colour depth.

#include <cstdint>
#include <string_view>

namespace kv::installer {

// Total physical memory in megabytes.
std::int64_t GetMemoryMB();
// The registry's "~MHz" of the first processor: 0 when absent, -1 when not a number.
std::int64_t GetCpuMHzFromRegistry();
// The registry's speed when above 100, else MeasureCpuMHz.
std::int64_t GetCpuMHz();
// The speed measured once on the host's clock and time-stamp counter, then kept.
std::int64_t MeasureCpuMHz();
// Bits per pixel times colour planes of the screen.
std::int64_t GetColorBits();
// The screen's width and height in pixels.
std::int64_t GetScreenWidth();
std::int64_t GetScreenHeight();

// The measured quantity in the relation to the record's value (0 when not a number).
bool CheckMemorySize(std::string_view relation, std::string_view value);
bool CheckCpuSpeed(std::string_view relation, std::string_view value);

} // namespace kv::installer
