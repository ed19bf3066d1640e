#include "platform/process/services.h"

#include "platform/fs/errors.h"
#include "platform/fs/path.h"
#include "platform/process/internal/launch.h"
#include "platform/registry/registry.h"
#include "platform/system/machine.h"
#include "platform/system/process.h"
#include "platform/system/process_list.h"
#include "platform/text/ansi.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <optional>
#include <thread>

namespace kv::process {
namespace {

namespace stdfs = std::filesystem;
using Clock = std::chrono::system_clock;

// How long a service may take to end after the term signal before it is killed.
constexpr std::chrono::milliseconds kStopBound{5000};

bool fail(int code) {
    fs::setLastError(code);
    return false;
}

registry::Key servicesKey() {
    return {registry::Root::LocalMachine, std::string(kServicesKey)};
}

// The key name as the registry spells it, or nothing when there is no such service.
std::optional<std::string> spelledKeyName(std::string_view keyName) {
    std::vector<std::string> names;
    if (keyName.empty() || registry::subKeyNames(servicesKey(), names) != registry::Status::Success)
        return std::nullopt;
    for (const std::string& name : names)
        if (text::equalsNoCase(name, keyName)) return name;
    return std::nullopt;
}

std::string stringValue(const std::string& keyName, std::string_view valueName) {
    registry::Key key;
    registry::Value value;
    if (registry::openKey(servicesKey(), keyName, key) != registry::Status::Success ||
        registry::queryValue(key, valueName, value) != registry::Status::Success)
        return {};
    return registry::textOf(value);
}

// The run-time state of one service: its process and, once asked to stop, when.
struct RunState {
    int pid = 0;
    long long startTime = 0;
    long long stopAsked = 0; // milliseconds since the epoch; 0: running on
};

stdfs::path stateFolder() {
    return machine::current().runtimeFolder() / "services";
}

stdfs::path stateFile(const std::string& keyName) {
    std::string name = text::toUtf8(text::toLower(keyName));
    for (char& c : name)
        if (c == '/') c = '_';
    return stateFolder() / ("service-" + name);
}

std::optional<RunState> readState(const std::string& keyName) {
    std::ifstream in(stateFile(keyName));
    RunState s;
    if (!(in >> s.pid >> s.startTime >> s.stopAsked)) return std::nullopt;
    return s;
}

bool writeState(const std::string& keyName, const RunState& s) {
    std::error_code ec;
    stdfs::create_directories(stateFolder(), ec);
    const stdfs::path file = stateFile(keyName);
    stdfs::path tmp = file;
    tmp += ".tmp";
    {
        std::ofstream out(tmp, std::ios::trunc);
        out << s.pid << " " << s.startTime << " " << s.stopAsked << "\n";
        if (!out.flush()) return false;
    }
    stdfs::rename(tmp, file, ec);
    return !ec;
}

void clearState(const std::string& keyName) {
    std::error_code ec;
    stdfs::remove(stateFile(keyName), ec);
}

// Serialises starts and stops of the machine's services across processes.
class StateLock {
public:
    StateLock() {
        std::error_code ec;
        stdfs::create_directories(stateFolder(), ec);
        fd_ = ::open((stateFolder() / "lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd_ >= 0) ::flock(fd_, LOCK_EX);
    }
    ~StateLock() {
        if (fd_ >= 0) ::close(fd_); // releases the lock
    }
    StateLock(const StateLock&) = delete;
    StateLock& operator=(const StateLock&) = delete;

private:
    int fd_ = -1;
};

long long nowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch())
        .count();
}

bool running(const RunState& s) {
    return s.pid > 0 && machine::hostStartTime(s.pid) == s.startTime;
}

// Kills the service's group when it outlasted the stop bound.
void killWhenOverdue(const RunState& s) {
    if (s.stopAsked != 0 && nowMs() - s.stopAsked >= kStopBound.count() && running(s))
        ::kill(-s.pid, SIGKILL);
}

// The state of a service, dropping the run-time state of one whose process is gone.
std::uint32_t currentState(const std::string& keyName, RunState* state = nullptr) {
    std::optional<RunState> s = readState(keyName);
    if (s) killWhenOverdue(*s);
    if (!s || !running(*s)) {
        if (s) clearState(keyName);
        return kServiceStopped;
    }
    if (state) *state = *s;
    return s->stopAsked != 0 ? kServiceStopPending : kServiceRunning;
}

} // namespace

ServiceHandle OpenSCManager(std::string_view database) {
    if (!database.empty() && !text::equalsNoCase(database, "ServicesActive")) {
        fs::setLastError(kErrorDatabaseDoesNotExist);
        return {};
    }
    fs::setLastError(fs::kErrorSuccess);
    return {.valid = true, .keyName = {}};
}

bool GetServiceKeyName(const ServiceHandle& manager, std::string_view displayName,
                       std::string& keyName) {
    if (!manager.valid || !manager.keyName.empty()) return fail(fs::kErrorInvalidHandle);
    std::vector<std::string> names;
    if (!displayName.empty() &&
        registry::subKeyNames(servicesKey(), names) == registry::Status::Success) {
        for (const std::string& name : names) {
            if (text::equalsNoCase(stringValue(name, "DisplayName"), displayName)) {
                keyName = name;
                fs::setLastError(fs::kErrorSuccess);
                return true;
            }
        }
    }
    return fail(kErrorServiceDoesNotExist);
}

ServiceHandle OpenService(const ServiceHandle& manager, std::string_view keyName) {
    if (!manager.valid || !manager.keyName.empty()) {
        fs::setLastError(fs::kErrorInvalidHandle);
        return {};
    }
    const std::optional<std::string> name = spelledKeyName(keyName);
    if (!name) {
        fs::setLastError(kErrorServiceDoesNotExist);
        return {};
    }
    fs::setLastError(fs::kErrorSuccess);
    return {.valid = true, .keyName = *name};
}

bool QueryServiceStatus(const ServiceHandle& service, ServiceStatus& status) {
    if (!service.valid || service.keyName.empty()) return fail(fs::kErrorInvalidHandle);
    RunState s;
    status.currentState = currentState(service.keyName, &s);
    status.processId = status.currentState == kServiceStopped ? 0 : s.pid;
    fs::setLastError(fs::kErrorSuccess);
    return true;
}

bool StartService(const ServiceHandle& service) {
    if (!service.valid || service.keyName.empty()) return fail(fs::kErrorInvalidHandle);
    StateLock lock;
    if (!spelledKeyName(service.keyName)) return fail(kErrorServiceDoesNotExist);
    if (currentState(service.keyName) != kServiceStopped) return fail(kErrorServiceAlreadyRunning);
    const std::string command = stringValue(service.keyName, "ImagePath");
    if (text::trimBlanks(command).empty()) return fail(kErrorServiceNoImage);
    internal::SpawnRequest request;
    request.program = "/bin/sh";
    request.arguments = {"sh", "-c", text::toUtf8(command)};
    request.folder = machine::current().folder();
    request.values = {{machine::kMachineVariable, machine::current().folder().string()}};
    const Started started =
        internal::launch(request, request.program, fs::machinePath(request.program), kShowHide);
    if (started.result != kExecStarted) return fail(fs::kErrorFileNotFound);
    RunState s;
    s.pid = started.id;
    s.startTime = machine::hostStartTime(started.id).value_or(0);
    if (!writeState(service.keyName, s)) {
        ::kill(-s.pid, SIGKILL);
        return fail(fs::kErrorAccessDenied);
    }
    fs::setLastError(fs::kErrorSuccess);
    return true;
}

bool ControlService(const ServiceHandle& service, std::uint32_t control, ServiceStatus& status) {
    if (!service.valid || service.keyName.empty()) return fail(fs::kErrorInvalidHandle);
    if (control != kServiceControlStop) return fail(kErrorInvalidServiceControl);
    StateLock lock;
    RunState s;
    const std::uint32_t state = currentState(service.keyName, &s);
    if (state == kServiceStopped) return fail(kErrorServiceNotActive);
    if (state == kServiceStopPending) return fail(kErrorServiceCannotAcceptControl);
    s.stopAsked = nowMs();
    writeState(service.keyName, s);
    ::kill(-s.pid, SIGTERM);
    // A watch that kills the service should it outlast the bound while this process runs;
    // any later query does the same.
    std::thread([s] {
        std::this_thread::sleep_for(kStopBound);
        if (running(s)) ::kill(-s.pid, SIGKILL);
    }).detach();
    status.currentState = kServiceStopPending;
    status.processId = s.pid;
    fs::setLastError(fs::kErrorSuccess);
    return true;
}

bool CloseServiceHandle(ServiceHandle& handle) {
    if (!handle.valid) return fail(fs::kErrorInvalidHandle);
    handle = {};
    return true;
}

} // namespace kv::process
