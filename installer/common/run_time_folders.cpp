#include "installer/common/run_time_folders.h"

#include "installer/common/delimited_lists.h"
#include "installer/common/file_ops.h"
#include "installer/common/internal/reset.h"
#include "installer/common/messages.h"
#include "installer/common/paths.h"
#include "installer/common/registry_primitives.h"

#include <array>

namespace kv::installer {
namespace {

constexpr const char* kNotResolved = "*";
constexpr int kFixed = 3;
constexpr int kNetwork = 4;

struct State {
    std::array<std::string, 3> records;
    std::array<std::string, 3> resolved{kNotResolved, kNotResolved, kNotResolved};
    bool abort = false;
};

State& state() {
    static State s;
    return s;
}

std::string resolvedDir(int index) {
    State& s = state();
    if (s.resolved[index] == kNotResolved) s.resolved[index] = ResolveRunTimeDir(s.records[index]);
    return s.resolved[index];
}

bool on(std::string_view record, int item) {
    return ListItem(record, item) == "1";
}

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('\\');
    return slash == std::string::npos ? std::string{} : path.substr(0, slash);
}

} // namespace

void SetRunTimeDirName1(std::string_view record) {
    state().records[0] = record;
}
void SetRunTimeDirName2(std::string_view record) {
    state().records[1] = record;
}
void SetRunTimeDirName3(std::string_view record) {
    state().records[2] = record;
}
std::string GetRunTimeDir1() {
    return resolvedDir(0);
}
std::string GetRunTimeDir2() {
    return resolvedDir(1);
}
std::string GetRunTimeDir3() {
    return resolvedDir(2);
}
bool RunTimeDirAbort() {
    return state().abort;
}
void internal::resetRunTimeDirs() {
    state() = State{};
}

std::string GetAppPath(std::string_view programFile) {
    return RegReadValue(
        "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" +
            std::string(programFile),
        "Path", "");
}

std::string ResolveRunTimeDir(std::string_view record) {
    std::string name;
    std::string folder;
    if (on(record, 0)) {
        name = ListItem(record, 1);
        folder = SetTrailingSlash(GetAppPath(name), false);
    }
    if (on(record, 4) && folder.empty()) {
        const std::string file = ListItem(record, 5);
        if (name.empty()) name = file;
        std::string found;
        if (on(record, 6)) found = FindFileOnDrives(file, kFixed);
        if (found.empty() && on(record, 7)) found = FindFileOnDrives(file, kNetwork);
        folder = folderOf(found);
    }
    if (on(record, 8) && folder.empty()) {
        const std::string dir = ListItem(record, 9);
        if (name.empty()) name = dir;
        if (on(record, 10)) folder = FindDirOnDrives(dir, kFixed);
        if (folder.empty() && on(record, 11)) folder = FindDirOnDrives(dir, kNetwork);
    }
    if (on(record, 12) && folder.empty()) folder = ListItem(record, 13);
    if (folder.empty()) {
        if (on(record, 16)) ShowErrorBox(nullptr, "RunTimeDir(" + name + ")\\n\\nNot Found!");
        if (on(record, 17)) state().abort = true;
    }
    return folder;
}

} // namespace kv::installer
