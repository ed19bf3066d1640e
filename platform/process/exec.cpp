#include "platform/process/exec.h"

#include "platform/fs/path.h"
#include "platform/process/command_line.h"
#include "platform/process/internal/batch_start.h"
#include "platform/process/internal/launch.h"
#include "platform/process/internal/program_search.h"
#include "platform/system/machine.h"
#include "platform/system/process.h"
#include "platform/system/process_list.h"
#include "platform/text/ansi.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <fstream>
#include <map>
#include <mutex>
#include <thread>

namespace kv::process {
namespace {

namespace stdfs = std::filesystem;
using namespace std::chrono_literals;

// The processes this one started: their start time, and their status once reaped early.
struct Child {
    long long startTime = 0;
    std::optional<int> status;
    bool awaited = true; // false: nobody asks for its exit code
};

std::mutex g_childrenMutex;
std::map<int, Child> g_children;

// Reaps children that ended without anyone waiting, keeping their status for a later wait.
void reapEnded() {
    std::lock_guard lock(g_childrenMutex);
    for (auto it = g_children.begin(); it != g_children.end();) {
        int status = 0;
        if (!it->second.status && ::waitpid(it->first, &status, WNOHANG) == it->first) {
            if (!it->second.awaited) {
                it = g_children.erase(it);
                continue;
            }
            it->second.status = status;
        }
        ++it;
    }
}

// The code TerminateProcess gave a process, kept until its waiter reads it.
stdfs::path exitRecord(int id, long long startTime) {
    return machine::current().runtimeFolder() / "exits" /
           (std::to_string(id) + "-" + std::to_string(startTime));
}

std::optional<unsigned> takeExitRecord(int id, long long startTime) {
    const stdfs::path file = exitRecord(id, startTime);
    std::ifstream in(file);
    unsigned code = 0;
    const bool have = static_cast<bool>(in >> code);
    in.close();
    std::error_code ec;
    stdfs::remove(file, ec);
    return have ? std::optional<unsigned>(code) : std::nullopt;
}

// Records nobody waited for are dropped after a day.
void pruneExitRecords(const stdfs::path& folder) {
    std::error_code ec;
    const auto limit = stdfs::file_time_type::clock::now() - std::chrono::hours(24);
    for (stdfs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code e;
        if (it->last_write_time(e) < limit && !e) stdfs::remove(it->path(), e);
    }
}

unsigned spawnError(const internal::SpawnResult& r) {
    if (r.folderFailed) return kExecPathNotFound;
    return r.error == ENOMEM || r.error == EAGAIN ? kExecOutOfMemory : kExecBadFormat;
}

} // namespace

namespace internal {

void rememberHostChild(int pid) {
    reapEnded();
    std::lock_guard lock(g_childrenMutex);
    g_children[pid] = Child{0, std::nullopt, false};
}

Started launch(const SpawnRequest& request, const stdfs::path& image,
               const std::string& machinePath, int showMode, bool listed) {
    reapEnded();
    Started started;
    const SpawnResult spawned = spawnDetached(request);
    if (spawned.pid < 0) {
        started.result = spawnError(spawned);
        return started;
    }
    const long long startTime = machine::hostStartTime(spawned.pid).value_or(0);
    {
        std::lock_guard lock(g_childrenMutex);
        g_children[spawned.pid] = Child{startTime, std::nullopt};
    }
    // Listed before the start returns, so its file is in use at once. A program that has
    // already ended is not listed.
    if (listed)
        machine::enterProcess(
            {.id = spawned.pid, .path = machinePath, .image = image, .showMode = showMode});
    started.result = kExecStarted;
    started.id = spawned.pid;
    return started;
}

} // namespace internal

Started startProgram(std::string_view commandLine, int showMode) {
    Started started;
    const internal::FoundProgram program = internal::findProgram(commandLine);
    if (program.error != 0) {
        started.result = program.error;
        return started;
    }
    if (internal::isBatchFile(program.path)) return internal::startBatch(program.path);
    if (!internal::isHostExecutable(program.host)) {
        started.result = kExecBadFormat;
        return started;
    }
    internal::SpawnRequest request;
    request.program = program.host;
    request.arguments.push_back(program.host.string());
    for (const std::string& arg : splitArguments(program.rest))
        request.arguments.push_back(text::toUtf8(arg));
    request.folder = fs::hostPath(fs::currentFolder());
    request.values = {{machine::kMachineVariable, machine::current().folder().string()},
                      {machine::kCommandLineVariable, std::string(commandLine)},
                      {machine::kProgramVariable, program.path}};
    request.processIdVariable = machine::kProcessIdVariable;
    return internal::launch(request, program.host, fs::machinePath(program.host), showMode);
}

unsigned WinExec(std::string_view commandLine, int showMode) {
    return startProgram(commandLine, showMode).result;
}

std::optional<unsigned> waitForProcess(int id) {
    std::optional<Child> child;
    {
        std::lock_guard lock(g_childrenMutex);
        if (auto it = g_children.find(id); it != g_children.end()) {
            child = it->second;
            g_children.erase(it);
        }
    }
    if (!child) {
        while (machine::listedProcess(id))
            std::this_thread::sleep_for(50ms);
        return std::nullopt;
    }
    int status = 0;
    if (child->status) {
        status = *child->status;
    } else {
        while (::waitpid(id, &status, 0) < 0) {
            if (errno != EINTR) return std::nullopt;
        }
    }
    machine::leaveProcess(id);
    const std::optional<unsigned> given = takeExitRecord(id, child->startTime);
    if (WIFEXITED(status)) return unsigned(WEXITSTATUS(status));
    if (given) return given;
    return WIFSIGNALED(status) ? 128u + unsigned(WTERMSIG(status)) : 0u;
}

bool TerminateProcess(int id, unsigned exitCode) {
    const std::optional<machine::ProcessEntry> entry = machine::listedProcess(id);
    if (!entry || id == ::getpid()) return false;
    {
        const stdfs::path record = exitRecord(id, entry->startTime);
        std::error_code ec;
        stdfs::create_directories(record.parent_path(), ec);
        pruneExitRecords(record.parent_path());
        std::ofstream(record) << exitCode << "\n";
    }
    // A process started through the machine leads its own group: the group goes with it.
    const bool leader = ::getpgid(id) == id && id != ::getpgrp();
    if (::kill(leader ? -id : id, SIGKILL) != 0 && ::kill(id, SIGKILL) != 0) return false;
    for (int i = 0; i < 1000 && machine::hostStartTime(id) == entry->startTime; ++i)
        std::this_thread::sleep_for(5ms);
    machine::leaveProcess(id);
    return true;
}

} // namespace kv::process
