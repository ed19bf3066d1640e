#pragma once
// A setup test on a machine of its own and the headless backend, with setup's program path
// and its English texts; at its end no box is left unanswered and the run's values, the
// windows and the registry are dropped.

#include "installer/setup/english.h"
#include "installer/setup/language.h"
#include "installer/setup/reset.h"
#include "platform/registry/registry.h"
#include "platform/system/process.h"
#include "platform/system/testing/temp_machine.h"
#include "platform/ui/application.h"
#include "platform/ui/headless/headless.h"

#include <gtest/gtest.h>

namespace kv::installer::testing {

class SetupFixture : public ::testing::Test {
protected:
    void SetUp() override {
        registry::resetForTests();
        ui_ = &ui::headless::install();
        machine::setProgram(machine_.hostFolder('C') / "Setup" / "setup.exe", {});
        AddEnglishResource();
        LoadBuiltInText();
    }
    void TearDown() override {
        EXPECT_EQ(ui_->finish(), "");
        resetForTests();
        ui::resetForTests();
        registry::resetForTests();
    }

    machine::testing::TempMachine machine_;
    ui::headless::HeadlessBackend* ui_ = nullptr;
};

} // namespace kv::installer::testing
