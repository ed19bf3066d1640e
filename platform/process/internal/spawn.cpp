#include "platform/process/internal/spawn.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

extern char** environ;

namespace kv::process::internal {

namespace {

// Everything the child needs is made before the fork: after it only async-signal-safe
// calls are allowed, the starter may have other threads.
struct ChildPlan {
    std::vector<std::string> environment;
    std::vector<char*> envp;
    std::vector<char*> argv;
    char* pidDigits = nullptr; // inside one environment string, written by the child
};

constexpr std::size_t kPidWidth = 20;

void writeDigits(char* out, long value) {
    char digits[kPidWidth];
    int n = 0;
    do {
        digits[n++] = char('0' + value % 10);
        value /= 10;
    } while (value > 0 && n < int(kPidWidth) - 1);
    for (int i = 0; i < n; ++i)
        out[i] = digits[n - 1 - i];
    out[n] = '\0';
}

bool isSetBy(const std::string& entry, const SpawnRequest& r) {
    const auto eq = entry.find('=');
    const std::string name = entry.substr(0, eq);
    if (!r.processIdVariable.empty() && name == r.processIdVariable) return true;
    for (const auto& [key, value] : r.values)
        if (key == name) return true;
    return false;
}

void makePlan(ChildPlan& plan, const SpawnRequest& r, std::vector<std::string>& args) {
    for (char** e = environ; e && *e; ++e)
        if (!isSetBy(*e, r)) plan.environment.emplace_back(*e);
    for (const auto& [key, value] : r.values)
        plan.environment.push_back(key + "=" + value);
    std::size_t pidEntry = plan.environment.size();
    if (!r.processIdVariable.empty())
        plan.environment.push_back(r.processIdVariable + "=" + std::string(kPidWidth, '0'));
    for (std::string& e : plan.environment)
        plan.envp.push_back(e.data());
    plan.envp.push_back(nullptr);
    if (!r.processIdVariable.empty())
        plan.pidDigits = plan.environment[pidEntry].data() + r.processIdVariable.size() + 1;
    for (std::string& a : args)
        plan.argv.push_back(a.data());
    plan.argv.push_back(nullptr);
}

[[noreturn]] void childFails(int pipeFd, int error, bool folder) {
    int report[2] = {error, folder ? 1 : 0};
    [[maybe_unused]] ssize_t ignored = ::write(pipeFd, report, sizeof report);
    ::_exit(127);
}

[[noreturn]] void runChild(const SpawnRequest& r, ChildPlan& plan, int pipeFd, int nullFd) {
    ::setsid();
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    struct sigaction dfl = {};
    dfl.sa_handler = SIG_DFL;
    for (int sig = 1; sig < NSIG; ++sig)
        if (sig != SIGKILL && sig != SIGSTOP) ::sigaction(sig, &dfl, nullptr);
    if (!r.folder.empty() && ::chdir(r.folder.c_str()) != 0) childFails(pipeFd, errno, true);
    if (nullFd >= 0) ::dup2(nullFd, 0);
    if (nullFd >= 0 && r.detachOutput) {
        ::dup2(nullFd, 1);
        ::dup2(nullFd, 2);
    }
    if (plan.pidDigits) writeDigits(plan.pidDigits, long(::getpid()));
#ifdef SYS_close_range
    ::syscall(SYS_close_range, 3U, ~0U, 4U /* CLOSE_RANGE_CLOEXEC */);
#endif
    ::execve(r.program.c_str(), plan.argv.data(), plan.envp.data());
    childFails(pipeFd, errno, false);
}

} // namespace

SpawnResult spawnDetached(const SpawnRequest& request) {
    SpawnResult result;
    std::vector<std::string> args = request.arguments;
    if (args.empty()) args.push_back(request.program.string());
    ChildPlan plan;
    makePlan(plan, request, args);
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        result.error = errno;
        return result;
    }
    const int nullFd = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    const pid_t pid = ::fork();
    if (pid == 0) runChild(request, plan, fds[1], nullFd);
    const int forkError = errno;
    ::close(fds[1]);
    if (nullFd >= 0) ::close(nullFd);
    if (pid < 0) {
        ::close(fds[0]);
        result.error = forkError;
        return result;
    }
    int report[2] = {0, 0};
    ssize_t n;
    do {
        n = ::read(fds[0], report, sizeof report);
    } while (n < 0 && errno == EINTR);
    ::close(fds[0]);
    if (n == ssize_t(sizeof report)) {
        // The exec failed: the child is gone, reap it.
        while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {}
        result.error = report[0];
        result.folderFailed = report[1] != 0;
        return result;
    }
    result.pid = pid;
    return result;
}

std::filesystem::path searchHostPath(const std::string& name) {
    if (name.empty()) return {};
    if (name.find('/') != std::string::npos) return name;
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        std::size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        std::filesystem::path dir = dirs.substr(start, end - start);
        if (dir.empty()) dir = ".";
        std::filesystem::path candidate = dir / name;
        if (::access(candidate.c_str(), X_OK) == 0) return candidate;
        start = end + 1;
    }
    return {};
}

} // namespace kv::process::internal
