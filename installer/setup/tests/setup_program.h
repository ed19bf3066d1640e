#pragma once
// The setup program run as a process on a test machine: a copy of setup in a folder of the
// host (so on Z:) with the test's script, run headless, its boxes or its UI script's
// transcript read back.

#include "platform/system/testing/temp_machine.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <sys/wait.h>

namespace kv::installer::testing {

namespace fsys = std::filesystem;

inline std::string readHostFile(const fsys::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// A folder outside the machine's drives (so on Z:) holding a copy of setup.
class SetupProgram : public ::testing::Test {
protected:
    void start(const machine::Profile& profile) {
        machine_.emplace(profile);
        folder_ = machine_->folder() / "dist" / "app";
        fsys::create_directories(folder_);
        std::error_code ec;
        fsys::create_hard_link(KV_SETUP_EXE, folder_ / "setup", ec);
        if (ec) fsys::copy_file(KV_SETUP_EXE, folder_ / "setup");
    }
    void writeScript(const std::string& text) {
        std::ofstream(folder_ / "Setup.txt", std::ios::binary) << text;
    }
    // Runs setup and returns its transcript of boxes; `environment` goes before the rest.
    std::string run(const std::string& environment = "", int exitCode = 0) {
        const fsys::path transcript = machine_->folder() / "transcript.txt";
        const std::string command = environment + " KV_UI=headless KV_MACHINE='" +
                                    (machine_->folder() / "machine").string() +
                                    "' KV_UI_TRANSCRIPT='" + transcript.string() + "' '" +
                                    (folder_ / "setup").string() + "' >/dev/null 2>&1";
        const int status = std::system(command.c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == exitCode) << status;
        return readHostFile(transcript);
    }
    // Runs setup with the arguments under the UI script and returns what it printed (the
    // script's transcript and report); `exitCode` 1 when the script is not met.
    std::string runUi(const std::string& uiScript, int exitCode = 0,
                      const std::string& arguments = "") {
        const fsys::path ui = machine_->folder() / "ui.txt";
        const fsys::path out = machine_->folder() / "out.txt";
        std::ofstream(ui, std::ios::binary) << uiScript;
        const std::string command = "KV_UI_SCRIPT='" + ui.string() + "' KV_MACHINE='" +
                                    (machine_->folder() / "machine").string() + "' '" +
                                    (folder_ / "setup").string() + "' " + arguments + " >'" +
                                    out.string() + "' 2>&1";
        const int status = std::system(command.c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == exitCode) << status;
        return readHostFile(out);
    }
    static std::string box(const std::string& text) { return "BOX Error\n" + text + "\n.\n"; }

    std::optional<machine::testing::TempMachine> machine_;
    fsys::path folder_;
};

} // namespace kv::installer::testing
