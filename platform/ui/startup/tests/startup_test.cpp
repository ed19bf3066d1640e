#include "platform/ui/startup/startup.h"

#include "platform/ui/application.h"
#include "platform/ui/headless/headless.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace kv::ui {
namespace {

TEST(Startup, ChoosesTheBackendFromKvUiAndTheDisplay) {
    struct Case {
        const char* kvUi;
        bool display;
        BackendKind expected;
    };
    const Case cases[] = {
        {nullptr, true, BackendKind::Wx},
        {nullptr, false, BackendKind::Headless},
        {"headless", true, BackendKind::Headless},
        {"HEADLESS", true, BackendKind::Headless},
        {"wx", false, BackendKind::Wx},
        {"Wx", true, BackendKind::Wx},
        {"", true, BackendKind::Wx},
        {"qt", false, BackendKind::Headless},
    };
    for (const Case& c : cases)
        EXPECT_EQ(chooseBackend(c.kvUi, c.display), c.expected)
            << (c.kvUi ? c.kvUi : "(unset)") << " display " << c.display;
}

TEST(Startup, FallsBackToHeadlessWithoutADisplay) {
    ::setenv("KV_UI", "wx", 1);
    ::unsetenv("DISPLAY");
    ::unsetenv("WAYLAND_DISPLAY");
    EXPECT_EQ(installBackendFromEnvironment(), BackendKind::Headless);
    EXPECT_NE(dynamic_cast<headless::HeadlessBackend*>(&app().backend()), nullptr);
    ::unsetenv("KV_UI");
    resetForTests();
}

} // namespace
} // namespace kv::ui
