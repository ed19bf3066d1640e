#include "platform/process/services.h"

#include "platform/fs/errors.h"
#include "platform/registry/registry.h"
#include "platform/system/process_list.h"
#include "process_fixture.h"

#include <chrono>
#include <thread>

namespace kv::process {
namespace {

using testing::ProcessTest;
using namespace std::chrono_literals;

class ServiceTest : public ProcessTest {
protected:
    void addService(const std::string& key, const std::string& display,
                    const std::string& command) {
        namespace reg = kv::registry;
        reg::Key k;
        ASSERT_EQ(reg::createKey(reg::rootKey(reg::Root::LocalMachine),
                                 std::string(kServicesKey) + "\\" + key, k),
                  reg::Status::Success);
        ASSERT_EQ(reg::setValue(k, "DisplayName", reg::stringValue(display)), reg::Status::Success);
        if (!command.empty()) {
            ASSERT_EQ(reg::setValue(k, "ImagePath", reg::stringValue(command)),
                      reg::Status::Success);
        }
    }

    ServiceHandle open(const std::string& key) {
        const ServiceHandle manager = OpenSCManager("ServicesActive");
        EXPECT_TRUE(manager.valid);
        return OpenService(manager, key);
    }

    static std::uint32_t state(const ServiceHandle& service) {
        ServiceStatus status;
        EXPECT_TRUE(QueryServiceStatus(service, status));
        return status.currentState;
    }

    // The state once it is no longer `from` (bounded).
    static std::uint32_t stateAfter(const ServiceHandle& service, std::uint32_t from) {
        for (int i = 0; i < 1000 && state(service) == from; ++i)
            std::this_thread::sleep_for(10ms);
        return state(service);
    }
};

TEST_F(ServiceTest, DisplayNamesTranslateToKeyNames) {
    addService("KvSpooler", "Kestrovane Print Spooler", "true");
    const ServiceHandle manager = OpenSCManager("servicesactive");
    ASSERT_TRUE(manager.valid);
    const struct {
        const char* display;
        const char* key; // nullptr: no service
    } cases[] = {
        {"Kestrovane Print Spooler", "KvSpooler"},
        {"KESTROVANE print spooler", "KvSpooler"},
        {"KvSpooler", nullptr}, // a key name is not a display name
        {"No Such Service", nullptr},
        {"", nullptr},
    };
    for (const auto& c : cases) {
        std::string key;
        EXPECT_EQ(GetServiceKeyName(manager, c.display, key), c.key != nullptr) << c.display;
        if (c.key) {
            EXPECT_EQ(key, c.key);
        } else {
            EXPECT_EQ(kv::fs::lastError(), kErrorServiceDoesNotExist);
        }
    }
    EXPECT_TRUE(OpenService(manager, "kvspooler").valid);
    EXPECT_FALSE(OpenService(manager, "Kestrovane Print Spooler").valid);
    EXPECT_EQ(kv::fs::lastError(), kErrorServiceDoesNotExist);
    EXPECT_FALSE(OpenSCManager("SomeOtherDatabase").valid);
}

TEST_F(ServiceTest, StartRunsTheCommandAndStopEndsIt) {
    const auto log = work_ / "service.log";
    addService("KvWatch", "Kestrovane Watch",
               "trap 'echo ended >> \"" + log.string() + "\"; exit 0' TERM; echo started >> '" +
                   log.string() + "'; while :; do sleep 0.05; done");
    ServiceHandle service = open("KvWatch");
    ASSERT_TRUE(service.valid);
    EXPECT_EQ(state(service), kServiceStopped);
    ASSERT_TRUE(StartService(service));
    EXPECT_EQ(state(service), kServiceRunning);
    ServiceStatus status;
    ASSERT_TRUE(QueryServiceStatus(service, status));
    endProcessAtTearDown(status.processId);
    EXPECT_TRUE(kv::machine::listedProcess(status.processId)); // a process of the machine
    EXPECT_EQ(awaitFile(log), "started\n");

    EXPECT_FALSE(StartService(service));
    EXPECT_EQ(kv::fs::lastError(), kErrorServiceAlreadyRunning);
    ASSERT_TRUE(ControlService(service, kServiceControlStop, status));
    EXPECT_EQ(status.currentState, kServiceStopPending);
    EXPECT_EQ(stateAfter(service, kServiceStopPending), kServiceStopped);
    EXPECT_EQ(awaitFile(log), "started\nended\n");
    EXPECT_FALSE(ControlService(service, kServiceControlStop, status));
    EXPECT_EQ(kv::fs::lastError(), kErrorServiceNotActive);
    EXPECT_TRUE(CloseServiceHandle(service));
    EXPECT_FALSE(service.valid);
}

TEST_F(ServiceTest, AServiceThatEndsByItselfReadsStopped) {
    addService("KvOnce", "Kestrovane Once", "exit 0");
    addService("KvNoImage", "Kestrovane Without Image", "");
    const ServiceHandle once = open("KvOnce");
    ASSERT_TRUE(StartService(once));
    EXPECT_EQ(stateAfter(once, kServiceRunning), kServiceStopped);
    EXPECT_TRUE(StartService(once)); // stopped again, so it starts again
    EXPECT_EQ(stateAfter(once, kServiceRunning), kServiceStopped);
    EXPECT_FALSE(StartService(open("KvNoImage")));
    EXPECT_EQ(state(open("KvNoImage")), kServiceStopped);
}

TEST_F(ServiceTest, AServiceThatIgnoresTheStopIsKilledAfterTheBound) {
    // The stop is sent only once the trap is set, so the service really ignores it.
    const auto ready = work_ / "ready";
    addService("KvStubborn", "Kestrovane Stubborn",
               "trap '' TERM; echo ready > '" + ready.string() + "'; while :; do sleep 0.05; done");
    const ServiceHandle service = open("KvStubborn");
    ASSERT_TRUE(StartService(service));
    EXPECT_EQ(awaitFile(ready), "ready\n");
    ServiceStatus status;
    ASSERT_TRUE(ControlService(service, kServiceControlStop, status));
    endProcessAtTearDown(status.processId);
    EXPECT_EQ(state(service), kServiceStopPending);
    EXPECT_EQ(stateAfter(service, kServiceStopPending), kServiceStopped);
}

} // namespace
} // namespace kv::process
