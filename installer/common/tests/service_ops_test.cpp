#include "installer/common/service_ops.h"
#include "installer/common/service_progress.h"
#include "platform/registry/registry.h"
#include "platform/ui/application.h"
#include "platform/ui/control_host.h"
#include "programs_fixture.h"

#include <memory>

namespace kv::installer {
namespace {

using testing::ProgramsTest;
using ui::headless::Record;

constexpr const char* kName = "Kestrovane Update Service";

// The headless backend, also noting the labels of the progress window when it shows.
class ProgressUi : public ui::headless::HeadlessBackend {
public:
    void formShown(ui::Form& form, ui::ShowMode mode) override {
        HeadlessBackend::formShown(form, mode);
        if (auto* dlg = dynamic_cast<TSrvBarDlg*>(&form))
            shownLabels.push_back(dlg->Label1.caption() + " " + dlg->Label2.caption());
    }
    std::vector<std::string> shownLabels;
};

class ServiceOps : public ProgramsTest {
protected:
    explicit ServiceOps(std::string_view release = "XP") : ProgramsTest(release) {
        ui::resetApplication();
        ui::resetControlHost();
        auto backend = std::make_unique<ProgressUi>();
        progressUi_ = backend.get();
        ui_ = backend.get();
        ui::app().setBackend(std::move(backend));
    }
    ~ServiceOps() override {
        // Ends the service's process while the machine is still there.
        process::ServiceHandle manager = process::OpenSCManager("");
        process::ServiceHandle service = process::OpenService(manager, "KvUpdate");
        process::ServiceStatus status;
        if (GetServiceState(service) == process::kServiceRunning)
            process::ControlService(service, process::kServiceControlStop, status);
    }

    void addService(const std::string& command) {
        namespace reg = kv::registry;
        reg::Key k;
        ASSERT_EQ(reg::createKey(reg::rootKey(reg::Root::LocalMachine),
                                 std::string(process::kServicesKey) + "\\KvUpdate", k),
                  reg::Status::Success);
        ASSERT_EQ(reg::setValue(k, "DisplayName", reg::stringValue(kName)), reg::Status::Success);
        ASSERT_EQ(reg::setValue(k, "ImagePath", reg::stringValue(command)), reg::Status::Success);
    }

    // The ticks at which the progress window showed and went, in pairs.
    std::vector<std::uint32_t> windowTicks() const {
        std::vector<std::uint32_t> ticks;
        for (const Record& r : ui_->records())
            if (r.form == "SrvBarDlg" && r.kind != Record::Kind::Hidden) ticks.push_back(r.tick);
        return ticks;
    }

    ProgressUi* progressUi_ = nullptr;
};

TEST_F(ServiceOps, StartAndStopWithProgressAndStateTexts) {
    addService("sleep 30");
    ::testing::internal::CaptureStdout();
    EXPECT_TRUE(StartServiceByName(kName, true));
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "The service is not running.\nThe service is running.\n");
    EXPECT_TRUE(IsServiceRunning("kestrovane update SERVICE"));
    EXPECT_EQ(SrvBarDlg(), nullptr); // freed after the action

    ::testing::internal::CaptureStdout();
    EXPECT_TRUE(StopServiceByName(kName, true));
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "The service is running.\nThe service is not running.\n");
    EXPECT_FALSE(IsServiceRunning(kName));

    EXPECT_EQ(progressUi_->shownLabels,
              (std::vector<std::string>{std::string("STARTING Service: ") + kName,
                                        std::string("STOPING Service: ") + kName}));
    const std::vector<std::uint32_t> ticks = windowTicks();
    ASSERT_EQ(ticks.size(), 4u); // shown, unloaded; shown, unloaded
    EXPECT_GE(ticks[1] - ticks[0], 1000u);
    EXPECT_GE(ticks[3] - ticks[2], 1000u);
    for (const Record& r : ui_->records())
        if (r.kind == Record::Kind::Shown) {
            EXPECT_EQ(r.caption, "Start/Stop NT-Service");
        }
}

TEST_F(ServiceOps, FailedRequestsAreFalseAfterTheStateTexts) {
    addService("sleep 30");
    ::testing::internal::CaptureStdout();
    EXPECT_FALSE(StopServiceByName(kName, false)); // not running
    EXPECT_TRUE(StartServiceByName(kName, false));
    EXPECT_FALSE(StartServiceByName(kName, false)); // already running
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "The service is not running.\nThe service is not running.\n"
              "The service is not running.\nThe service is running.\n"
              "The service is running.\nThe service is running.\n");
    EXPECT_TRUE(windowTicks().empty());
}

TEST_F(ServiceOps, UnknownServicesDoNothing) {
    addService("sleep 30");
    ::testing::internal::CaptureStdout();
    for (const char* name : {"KvUpdate", "No Such Service", ""}) { // a key name is no display name
        EXPECT_FALSE(StartServiceByName(name, true)) << name;
        EXPECT_FALSE(StopServiceByName(name, true)) << name;
        EXPECT_FALSE(IsServiceRunning(name)) << name;
    }
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    EXPECT_TRUE(ui_->records().empty());
    EXPECT_EQ(GetServiceState(process::ServiceHandle{}), 0u);
    ::testing::internal::CaptureStdout();
    ServiceStateText(process::ServiceHandle{});
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "Unknown state condition\n");
}

TEST_F(ServiceOps, ProgressWindowRunsItsBarRoundAndGoes) {
    ShowServiceProgress("STARTING Service:", "Spooler");
    TSrvBarDlg* dlg = SrvBarDlg();
    ASSERT_NE(dlg, nullptr);
    EXPECT_TRUE(dlg->shown());
    EXPECT_EQ(dlg->caption(), "Start/Stop NT-Service");
    EXPECT_EQ(dlg->Label1.caption(), "STARTING Service:");
    EXPECT_EQ(dlg->Label2.caption(), "Spooler");
    EXPECT_EQ(dlg->ProgressBar1.min(), 0);
    EXPECT_EQ(dlg->ProgressBar1.max(), 20);
    EXPECT_TRUE(dlg->Timer1.enabled());

    // A second show reuses the window and starts the bar again.
    ShowServiceProgress("STOPING Service:", "Spooler");
    EXPECT_EQ(SrvBarDlg(), dlg);
    EXPECT_EQ(dlg->Label1.caption(), "STOPING Service:");

    dlg->ProgressBar1.setValue(0);
    const struct {
        int ticks;
        int value;
    } steps[] = {{1, 1}, {18, 19}, {1, 0}, {5, 5}};
    for (const auto& s : steps) {
        for (int i = 0; i < s.ticks; ++i)
            dlg->Timer1.tick();
        EXPECT_EQ(dlg->ProgressBar1.value(), s.value);
    }

    dlg->hide();
    EXPECT_FALSE(dlg->Timer1.enabled());
    HideServiceProgress();
    EXPECT_EQ(SrvBarDlg(), nullptr);
    HideServiceProgress(); // none left: nothing happens
}

class ServiceOps98 : public ServiceOps {
protected:
    ServiceOps98() : ServiceOps("98") {}
};

TEST_F(ServiceOps98, EveryRoutineIsFalseAtOnce) {
    addService("sleep 30");
    ::testing::internal::CaptureStdout();
    EXPECT_FALSE(StartServiceByName(kName, true));
    EXPECT_FALSE(IsServiceRunning(kName));
    EXPECT_FALSE(StopServiceByName(kName, true));
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(ui::app().tickCount(), 0u);
    EXPECT_TRUE(ui_->records().empty());
}

} // namespace
} // namespace kv::installer
