// The uninstall program run as the interpreter of its own deletion batch: started with the
// batch named in its environment it runs the batch before anything else, outside the
// machine's process list, so the batch can delete the very file it runs from.

#include "installer/common/system_queries.h"
#include "platform/fs/files.h"
#include "platform/fs/path.h"
#include "platform/fs/short_names.h"
#include "platform/process/batch.h"
#include "platform/system/process.h"
#include "platform/system/testing/temp_machine.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

namespace kv::installer::uninstall {
namespace {

namespace fsys = std::filesystem;

TEST(SelfDeleteProgram, TheUninstallerRunsTheBatchFirstAndIsDeletedByIt) {
    machine::testing::TempMachine machine(machine::testing::windowsProfile("XP"));
    fs::resetForTests();
    const std::string folder = "C:\\Program Files\\My App";
    const std::string exe = folder + "\\UnInstall.exe";
    ASSERT_TRUE(fs::createFolders(folder));
    std::error_code ec;
    fsys::create_hard_link(KV_UNINSTALL_EXE, fs::hostPath(exe), ec);
    if (ec) fsys::copy_file(KV_UNINSTALL_EXE, fs::hostPath(exe));
    // Its script is there: a start of the program body would ask its question.
    ASSERT_TRUE(fs::writeFile(folder + "\\UnInstall.txt", "PROG_NAME=Demo\r\n"));
    const std::string batch = GetTempDir(true) + "_DEL_ME_.BAT";
    ASSERT_TRUE(fs::writeFile(batch, "ABC\r\n"));
    ASSERT_TRUE(fs::writeFile(
        batch, ":START\r\nDEL " + fs::shortPath(exe) + "\r\nIF errorlevel 1 GOTO START\r\nRD " +
                   fs::shortPath(folder) + "\r\nDEL " + fs::shortPath(batch) + "\r\n"));

    const fsys::path transcript = machine.folder() / "transcript.txt";
    // The shell's pid is the program's once it execs: the batch is handed to that process.
    const std::string command = "KV_UI=headless KV_UI_TRANSCRIPT='" + transcript.string() + "' " +
                                process::kBatchVariable + "='" + batch +
                                "' sh -c 'KV_PROCESS_ID=$$ exec \"$0\"' '" +
                                fs::hostPath(exe).string() + "' >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    // Deleted at the first try: the program never listed itself. No box was shown.
    EXPECT_FALSE(fs::exists(exe));
    EXPECT_FALSE(fs::exists(batch));
    EXPECT_TRUE(fs::exists(folder + "\\UnInstall.txt")); // so the folder stays
    EXPECT_FALSE(fsys::exists(transcript));
    fs::resetForTests();
}

} // namespace
} // namespace kv::installer::uninstall
