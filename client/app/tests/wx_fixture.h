#pragma once
// The client's windows on a real (virtual) screen: a fresh machine and the wx backend, the
// test skipped when there is no display.

#include "platform/registry/registry.h"
#include "platform/system/testing/temp_machine.h"
#include "platform/ui/application.h"
#include "platform/ui/wx/wx_backend.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

namespace kv::app::testing {

// Runs the message loop for `ms` milliseconds.
inline void pump(int ms) {
    const std::uint32_t end = ui::app().tickCount() + static_cast<std::uint32_t>(ms);
    while (static_cast<std::int32_t>(end - ui::app().tickCount()) > 0) {
        ui::app().processMessages();
        ui::app().idleUntil(end);
    }
}

class WxFixture : public ::testing::Test {
protected:
    void SetUp() override {
        registry::resetForTests();
        machine_.emplace();
        backend_ = ui::wx::install();
        if (!backend_) GTEST_SKIP() << "no display";
    }
    void TearDown() override {
        ui::resetApplication();
        registry::resetForTests();
        machine_.reset();
    }

    std::optional<machine::testing::TempMachine> machine_;
    ui::wx::WxBackend* backend_ = nullptr;
};

} // namespace kv::app::testing
