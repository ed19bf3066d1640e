#include "platform/system/restart.h"

#include "platform/system/internal/reset.h"
#include "platform/system/machine.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace kv::machine {
namespace {

std::vector<std::function<void()>> g_actions;

std::filesystem::path markFile() {
    return current().runtimeFolder() / "restart-requested";
}

} // namespace

bool requestRestart() {
    std::error_code ec;
    std::filesystem::create_directories(current().runtimeFolder(), ec);
    std::ofstream out(markFile(), std::ios::trunc);
    out << "restart\n";
    return static_cast<bool>(out.flush());
}

bool restartRequested() {
    std::error_code ec;
    return std::filesystem::exists(markFile(), ec);
}

void clearRestartRequest() {
    std::error_code ec;
    std::filesystem::remove(markFile(), ec);
}

bool consumeRestartMark() {
    // Renaming is atomic: of several processes only one moves the mark away.
    std::filesystem::path mark = markFile();
    std::filesystem::path taken = mark;
    taken += "." + std::to_string(::getpid());
    if (std::rename(mark.c_str(), taken.c_str()) != 0) return false;
    std::error_code ec;
    std::filesystem::remove(taken, ec);
    return true;
}

void onFirstStartAfterRestart(std::function<void()> action) {
    g_actions.push_back(std::move(action));
}

bool runStartActions() {
    if (!consumeRestartMark()) return false;
    for (const auto& a : g_actions)
        if (a) a();
    return true;
}

void internal::resetStartActions() {
    g_actions.clear();
}

} // namespace kv::machine
