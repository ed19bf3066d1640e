#include "installer/common/exec_probes.h"

#include "installer/common/exec_op.h"
#include "installer/common/internal/reset.h"
#include "installer/common/registry_ops.h"
#include "platform/system/machine.h"

#include <cerrno>
#include <charconv>
#include <chrono>
#include <cmath>
#include <string>
#include <sys/resource.h>
#include <thread>
#if defined(__x86_64__) || defined(__i386__)
#include <x86intrin.h>
#endif

namespace kv::installer {
namespace {

std::int64_t measuredMHz_ = 0;

std::uint64_t timeStamp() {
#if defined(__x86_64__) || defined(__i386__)
    return __rdtsc();
#else
    return static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
#endif
}

std::int64_t counterNow() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void sleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

} // namespace

namespace internal {
void resetExecProbes() {
    measuredMHz_ = 0;
}
} // namespace internal

std::int64_t GetMemoryMB() {
    return static_cast<std::int64_t>(machine::current().profile().memoryBytes >> 20);
}

std::int64_t GetCpuMHzFromRegistry() {
    bool isDword = false;
    std::string text = RegReadString(
        "HKEY_LOCAL_MACHINE\\HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", "~MHz", isDword);
    if (text.empty()) {
        text = "0";
    }
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size()) {
        return -1;
    }
    return value;
}

std::int64_t GetCpuMHz() {
    const std::int64_t fromRegistry = GetCpuMHzFromRegistry();
    return fromRegistry > 100 ? fromRegistry : MeasureCpuMHz();
}

std::int64_t MeasureCpuMHz() {
    if (measuredMHz_ != 0) {
        return measuredMHz_;
    }
    // Raise the priority for the short measurement when the host allows it.
    errno = 0;
    const int oldNice = getpriority(PRIO_PROCESS, 0);
    const bool haveNice = errno == 0;
    if (haveNice) {
        (void)setpriority(PRIO_PROCESS, 0, -20);
    }
    sleepMs(10);
    const std::int64_t c1 = counterNow();
    const std::uint64_t t1 = timeStamp();
    sleepMs(10);
    const std::int64_t c2 = counterNow();
    const std::uint64_t t2 = timeStamp();
    std::int64_t mhz = 0;
    if (c2 > c1) {
        // Counter frequency 1e9 per second: ticks * 1e9 / (ns * 1e6).
        mhz =
            std::llround(static_cast<double>(t2 - t1) * 1e9 / (static_cast<double>(c2 - c1) * 1e6));
    }
    if (mhz < 101) {
        sleepMs(10);
        const std::uint64_t s1 = timeStamp();
        sleepMs(500);
        const std::uint64_t s2 = timeStamp();
        mhz = std::llround(static_cast<double>(s2 - s1) * 1000.0 / (500.0 * 1e6));
    }
    measuredMHz_ = mhz;
    if (haveNice) {
        (void)setpriority(PRIO_PROCESS, 0, oldNice);
    }
    return mhz;
}

std::int64_t GetColorBits() {
    const machine::Screen& screen = machine::current().profile().screen;
    return static_cast<std::int64_t>(screen.bitsPerPixel) * screen.planes;
}

std::int64_t GetScreenWidth() {
    return machine::current().profile().screen.width;
}
std::int64_t GetScreenHeight() {
    return machine::current().profile().screen.height;
}

bool CheckMemorySize(std::string_view relation, std::string_view value) {
    return CompareNumbers(relation, GetMemoryMB(), value);
}

bool CheckCpuSpeed(std::string_view relation, std::string_view value) {
    return CompareNumbers(relation, GetCpuMHz(), value);
}

} // namespace kv::installer
