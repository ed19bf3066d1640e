#pragma once
// A fresh machine (XP unless another release is named) with the headless window model, the
// installer program at C:\Setup\setup, the current folder C:\Work, programs written as
// scripts, and every process the test started ended at its end.

#include "platform/system/testing/temp_machine.h"
#include "platform/ui/headless/headless.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kv::installer::testing {

class ProgramsTest : public ::testing::Test {
protected:
    explicit ProgramsTest(std::string_view release = "XP");
    ~ProgramsTest() override;

    // Writes a shell script (after a "#!/bin/sh" line) at a machine path, executable; its
    // processes are ended at the end of the test.
    std::filesystem::path writeScript(const std::string& path, const std::string& body);
    // Copies a host file to a machine path.
    void copyHostFile(const std::filesystem::path& from, const std::string& to);
    // The content of a host file once it holds a line "end" (bounded wait); "" if never.
    static std::string awaitEnd(const std::filesystem::path& host);

    kv::machine::testing::TempMachine machine_;
    kv::ui::headless::HeadlessBackend* ui_ = nullptr;

private:
    std::vector<std::string> scripts_;
};

} // namespace kv::installer::testing
