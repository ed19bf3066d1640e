#include "installer/common/service_ops.h"

#include "installer/common/internal/host_wait.h"
#include "installer/common/service_progress.h"
#include "installer/common/system_queries.h"
#include "platform/ui/application.h"

#include <cstdio>
#include <string>

namespace kv::installer {
namespace {

using process::ServiceHandle;

constexpr std::uint32_t kPollRound = 100;
constexpr std::uint32_t kWaitLimit = 30 * 1000;

const char* stateText(std::uint32_t state) {
    switch (state) {
    case 1:
        return "The service is not running.";
    case 2:
        return "The service is starting.";
    case 3:
        return "The service is stopping.";
    case 4:
        return "The service is running.";
    case 5:
        return "The service continue is pending.";
    case 6:
        return "The service pause is pending.";
    case 7:
        return "The service is paused.";
    default:
        return "Unknown state condition";
    }
}

// The manager and one service opened by display name; both closed when it goes.
class OpenedService {
public:
    explicit OpenedService(std::string_view displayName) {
        manager_ = process::OpenSCManager("ServicesActive");
        std::string key;
        if (manager_.valid && process::GetServiceKeyName(manager_, displayName, key))
            service_ = process::OpenService(manager_, key);
    }
    ~OpenedService() {
        process::CloseServiceHandle(service_);
        process::CloseServiceHandle(manager_);
    }
    OpenedService(const OpenedService&) = delete;
    OpenedService& operator=(const OpenedService&) = delete;

    bool valid() const { return service_.valid; }
    const ServiceHandle& handle() const { return service_; }

private:
    ServiceHandle manager_;
    ServiceHandle service_;
};

// Processes messages until `done` holds for the service's state, or the limit passed.
template <class Done> void awaitState(const ServiceHandle& service, Done done) {
    auto& a = ui::app();
    const std::uint32_t start = a.tickCount();
    const auto reached = [&] { return done(GetServiceState(service)); };
    while (!reached() && a.tickCount() - start < kWaitLimit)
        internal::waitHostRound(kPollRound, reached);
}

// One service action: the progress window, the state before, the request, the wait for
// the state it leads to, the state after.
template <class Request, class Done>
bool serviceAction(std::string_view displayName, bool showProgress, const char* actionText,
                   Request request, Done done) {
    if (!IsWinNT()) return false;
    OpenedService service(displayName);
    if (!service.valid()) return false;
    if (showProgress) ShowServiceProgress(actionText, displayName);
    ServiceStateText(service.handle());
    const bool ok = request(service.handle());
    if (ok) awaitState(service.handle(), done);
    ServiceStateText(service.handle());
    if (showProgress) HideServiceProgress();
    return ok;
}

} // namespace

bool StartServiceByName(std::string_view displayName, bool showProgress) {
    return serviceAction(
        displayName, showProgress,
        "STARTING Service:", [](const ServiceHandle& s) { return process::StartService(s); },
        // A service whose process ended reads stopped again: it will not come up.
        [](std::uint32_t state) {
            return state == process::kServiceRunning || state == process::kServiceStopped;
        });
}

bool StopServiceByName(std::string_view displayName, bool showProgress) {
    return serviceAction(
        displayName, showProgress, "STOPING Service:",
        [](const ServiceHandle& s) {
            process::ServiceStatus status;
            return process::ControlService(s, process::kServiceControlStop, status);
        },
        [](std::uint32_t state) { return state == process::kServiceStopped; });
}

bool IsServiceRunning(std::string_view displayName) {
    if (!IsWinNT()) return false;
    OpenedService service(displayName);
    return service.valid() && GetServiceState(service.handle()) == process::kServiceRunning;
}

std::uint32_t GetServiceState(const ServiceHandle& service) {
    process::ServiceStatus status;
    return process::QueryServiceStatus(service, status) ? status.currentState : 0;
}

void ServiceStateText(const ServiceHandle& service) {
    std::fputs(stateText(GetServiceState(service)), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

} // namespace kv::installer
