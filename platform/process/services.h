#pragma once
// The machine's services: keys of HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services
// with a "DisplayName" and an "ImagePath" that holds a host command line. Starting one runs
// the command through the host shell as a process of the machine; stopping one ends it.
// The state lives in the machine's run-time state, so every process sees it. The calls
// follow the platform's service manager; failures set fs::lastError().

#include <cstdint>
#include <string>
#include <string_view>

namespace kv::process {

// Where the services are kept, below HKEY_LOCAL_MACHINE.
constexpr std::string_view kServicesKey = "SYSTEM\\CurrentControlSet\\Services";

// Service states, numbered as the platform numbers them.
constexpr std::uint32_t kServiceStopped = 1;
constexpr std::uint32_t kServiceStartPending = 2;
constexpr std::uint32_t kServiceStopPending = 3;
constexpr std::uint32_t kServiceRunning = 4;

// Errors of the service calls, numbered as the platform numbers them.
constexpr int kErrorInvalidServiceControl = 1052;
constexpr int kErrorServiceAlreadyRunning = 1056;
constexpr int kErrorServiceCannotAcceptControl = 1061;
constexpr int kErrorServiceNotActive = 1062;
constexpr int kErrorServiceDoesNotExist = 1060;
constexpr int kErrorDatabaseDoesNotExist = 1065;
constexpr int kErrorServiceNoImage = 2; // no "ImagePath": nothing to start

// The control that asks a service to stop.
constexpr std::uint32_t kServiceControlStop = 1;

// A handle of the manager or of one service (its key name); closing it is a no-op.
struct ServiceHandle {
    bool valid = false;
    std::string keyName; // empty for the manager
};

struct ServiceStatus {
    std::uint32_t currentState = kServiceStopped;
    int processId = 0; // the service's process while it runs
};

// Opens the manager's database: "ServicesActive" (any case) or empty.
ServiceHandle OpenSCManager(std::string_view database);
// The key name of the service whose "DisplayName" is the given text (without regard to
// case); a key name is not a display name. False when none has it.
bool GetServiceKeyName(const ServiceHandle& manager, std::string_view displayName,
                       std::string& keyName);
// Opens a service by key name (without regard to case).
ServiceHandle OpenService(const ServiceHandle& manager, std::string_view keyName);
// The service's current state.
bool QueryServiceStatus(const ServiceHandle& service, ServiceStatus& status);
// Runs the service's command; it reads running once spawned and stopped again when its
// process ends. Fails for a running service or one without "ImagePath".
bool StartService(const ServiceHandle& service);
// Sends a control; the stop control ends the service's process group (a term signal, a
// kill when it outlasts a bound) and returns at once. Fails for a stopped service.
bool ControlService(const ServiceHandle& service, std::uint32_t control, ServiceStatus& status);
bool CloseServiceHandle(ServiceHandle& handle);

} // namespace kv::process
