#pragma once
// A fresh machine with a current folder, scripts written into it, bounded waits for what
// the scripts do, and the clean-up of every process a test started.

#include "platform/system/testing/temp_machine.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kv::process::testing {

class ProcessTest : public ::testing::Test {
protected:
    ProcessTest();
    ~ProcessTest() override;

    // Writes a shell script (a "#!/bin/sh" line is put first) at a machine path, executable.
    std::filesystem::path writeScript(const std::string& path, const std::string& body);
    // Writes a plain file at a machine path.
    std::filesystem::path writeFile(const std::string& path, const std::string& content,
                                    bool executable = false);
    // The content of a host file once it exists and ends with a line break (bounded wait).
    std::optional<std::string> awaitFile(const std::filesystem::path& host);
    // Whether a host pid ends within the bound.
    static bool awaitHostEnd(int pid);
    // Ends a host pid at the end of the test (one a script reported).
    void endAtTearDown(int pid) { hostPids_.push_back(pid); }
    // Ends a machine process at the end of the test.
    void endProcessAtTearDown(int id) { ids_.push_back(id); }

    kv::machine::testing::TempMachine machine_;
    std::filesystem::path work_; // host folder of the current folder C:\Work

private:
    std::vector<int> ids_;
    std::vector<int> hostPids_;
};

} // namespace kv::process::testing
