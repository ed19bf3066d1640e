#pragma once
// A fresh XP machine with the headless window model and the uninstaller at
// C:\App\UnInstall.exe; programs written as scripts, each process the test started ended at
// its end.

#include "platform/system/testing/temp_machine.h"
#include "platform/ui/headless/headless.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kv::installer::uninstall::testing {

class UninstallTest : public ::testing::Test {
protected:
    UninstallTest();
    ~UninstallTest() override;

    // Makes the running program's path `exe` (a machine path; its file is created).
    void setProgram(const std::string& exe);
    // Writes the uninstall script beside the program: the lines, each ended by CR LF.
    void writeScript(const std::vector<std::string>& lines);
    // Writes an executable shell script that sleeps, and starts it through the machine.
    void startSleeper(const std::string& path);

    static constexpr const char* kExe = "C:\\App\\UnInstall.exe";
    static constexpr const char* kScript = "C:\\App\\UnInstall.txt";

    kv::machine::testing::TempMachine machine_;
    kv::ui::headless::HeadlessBackend* ui_ = nullptr;

private:
    std::vector<std::string> started_;
};

} // namespace kv::installer::uninstall::testing
