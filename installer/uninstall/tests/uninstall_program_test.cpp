// The uninstall program run as a process on test machines, headless: the boxes it shows
// (read back from the transcript) and what it leaves on the machine.

#include "platform/fs/path.h"
#include "platform/system/testing/temp_machine.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <sys/wait.h>

namespace kv::installer::uninstall {
namespace {

namespace fsys = std::filesystem;
using machine::testing::TempMachine;

// A folder outside the machine's drives (so on Z:) holding a copy of uninstall.
class UninstallProgram : public ::testing::Test {
protected:
    void start(const std::string& name = "UnInstall") {
        machine_.emplace(machine::defaultProfile());
        folder_ = machine_->folder() / "dist" / "app";
        fsys::create_directories(folder_);
        exe_ = folder_ / name;
        std::error_code ec;
        fsys::create_hard_link(KV_UNINSTALL_EXE, exe_, ec);
        if (ec) fsys::copy_file(KV_UNINSTALL_EXE, exe_);
    }
    // Runs uninstall and returns its transcript of boxes; `environment` goes before the rest.
    std::string run(const std::string& environment = "", int exitCode = 0) {
        const fsys::path transcript = machine_->folder() / "transcript.txt";
        const std::string command = environment + " KV_UI=headless KV_MACHINE='" +
                                    (machine_->folder() / "machine").string() +
                                    "' KV_UI_TRANSCRIPT='" + transcript.string() + "' '" +
                                    exe_.string() + "' >/dev/null 2>&1";
        const int status = std::system(command.c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == exitCode) << status;
        std::ifstream in(transcript, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }

    std::optional<TempMachine> machine_;
    fsys::path folder_;
    fsys::path exe_;
};

TEST_F(UninstallProgram, Starts) {
    start();
    run();
}

} // namespace
} // namespace kv::installer::uninstall
