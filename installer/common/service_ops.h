#pragma once
// The machine's services, named by display name. Every routine gives false at once on
// systems other than NT. Starts and stops write the service's state text to standard
// output before the request and after the wait, and may show the service progress window.

#include "platform/process/services.h"

#include <cstdint>
#include <string_view>

namespace kv::installer {

// Starts the service and waits until it runs (or its process ended, or 30 s passed).
// True when the start request succeeded.
bool StartServiceByName(std::string_view displayName, bool showProgress);
// Sends the stop control and waits until the service has stopped (or 30 s passed). True
// when the request succeeded.
bool StopServiceByName(std::string_view displayName, bool showProgress);
// Whether the service's state is running (4).
bool IsServiceRunning(std::string_view displayName);
// The service's current state number; 0 when it cannot be read.
std::uint32_t GetServiceState(const process::ServiceHandle& service);
// Writes the text of the service's state as a line to standard output.
void ServiceStateText(const process::ServiceHandle& service);

} // namespace kv::installer
