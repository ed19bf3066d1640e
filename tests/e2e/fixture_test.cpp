// The fixture itself: the setup folder it lays out, runs of the real setup read back, and
// programs started through the machine waited for with what they started.

#include "tests/e2e/fixture.h"
#include "tests/e2e/snapshot.h"

#include "platform/fs/path.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <sstream>

namespace kv::e2e {
namespace {

namespace stdfs = std::filesystem;
using namespace std::chrono;

std::string hostBytes(const stdfs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// A host shell script as a machine command line.
std::string shellLine(const std::string& script) {
    return "\"" + fs::machinePath(stdfs::canonical("/bin/sh")) + "\" -c \"" + script + "\"";
}

TEST(InstallerFixture, StartUpFailureOfSetupReadBack) {
    struct Case {
        SetupPlace place;
        const char* drive;
    };
    for (const Case c : {Case{SetupPlace::Host, "Z:\\"}, Case{SetupPlace::DriveC, "C:\\"}}) {
        InstallerFixture f(machine::defaultProfile(), c.place);
        EXPECT_EQ(f.setupFolderPath().substr(0, 3), c.drive);
        const Snapshot before = takeSnapshot();
        const RunResult r = f.runSetup();
        EXPECT_EQ(difference(before, takeSnapshot()), std::vector<std::string>{});
        ASSERT_TRUE(r.started);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.boxes, "BOX Error\n" + f.setupFolderPath() +
                               "\\Setup.txt\nScript file not found.\nSetup Aborted!\n.\n");
        EXPECT_TRUE(r.ended.empty());
    }
}

TEST(InstallerFixture, SetupUnderAUiScript) {
    InstallerFixture f(machine::testing::windowsProfile("XP"));
    f.writeSetupText("SET_PROG_NAME(Demo)\nSET_ALLOWED_OS(98)\n");
    struct Case {
        const char* script;
        int exitCode;
        const char* last;
    };
    const Case cases[] = {
        {"box caption \"Error\" plain \"\\\"Demo\\\" is not allowed to run on WinXP. --- Setup "
         "Aborted!\"\n",
         1, "--- ui script: all as expected ---\n"},
        {"box caption \"Error\" plain \"something else\"\n", 1, "--- ui script FAILED ---\n"},
    };
    for (const Case& c : cases) {
        const RunResult r = f.runSetup({.uiScript = c.script});
        EXPECT_EQ(r.exitCode, c.exitCode) << c.script;
        EXPECT_NE(r.output.find("--- ui script transcript ---\n[0] box caption \"Error\""),
                  std::string::npos)
            << r.output;
        EXPECT_NE(r.output.find(c.last), std::string::npos) << r.output;
        EXPECT_EQ(r.boxes, "") << "a scripted run writes its transcript to standard output";
    }
}

TEST(InstallerFixture, WholeRunStatementsInSetupsTranscript) {
    InstallerFixture f(machine::testing::windowsProfile("XP"));
    f.writeSetupText("SET_PROG_NAME(Demo)\nSET_ALLOWED_OS(98)\n");
    const RunResult r =
        f.runSetup({.uiScript = "modal frmNever optional\nend\nbox other answer OK\n"});
    EXPECT_EQ(r.exitCode, 1);
    for (const char* line :
         {"] box caption \"Error\", text \"\\r\\n\\r\\n\"Demo\" is not allowed to run on WinXP.",
          "style MB_OK|MB_ICONERROR|0x52000 -> OK (not listed)\n",
          "optional modal block of frmNever at line 1 not used\n",
          "--- ui script: all as expected ---\n"})
        EXPECT_NE(r.output.find(line), std::string::npos) << line << "\n" << r.output;
}

TEST(InstallerFixture, SetupFolderLayout) {
    InstallerFixture f;
    EXPECT_TRUE(stdfs::exists(f.setupFolder() / "setup"));
    EXPECT_EQ(stdfs::exists(f.setupFolder() / "UnInstall.exe"), InstallerFixture::hasUninstaller());
    f.writeSetupText("A\nB\n");
    EXPECT_EQ(hostBytes(f.setupFolder() / "Setup.txt"), "A\r\nB\r\n");
    f.writeSetupText("A\nB", LineEnds::Lf);
    EXPECT_EQ(hostBytes(f.setupFolder() / "Setup.txt"), "A\nB");

    const sys_seconds date = sys_days{2003y / 5 / 17} + 13h + 30min;
    f.addPayload({.name = "Data/a.dat", .bytes = std::string("x\0y", 3), .modified = date});
    f.addPayload({.name = "tool", .bytes = "#!/bin/sh\n", .executable = true});
    EXPECT_EQ(hostBytes(f.setupFolder() / "Data" / "a.dat"), std::string("x\0y", 3));
    struct stat data {
    }, tool{};
    ASSERT_EQ(::stat((f.setupFolder() / "Data" / "a.dat").c_str(), &data), 0);
    ASSERT_EQ(::stat((f.setupFolder() / "tool").c_str(), &tool), 0);
    EXPECT_EQ(data.st_mtime, date.time_since_epoch().count());
    EXPECT_EQ(data.st_mode & 0111, 0u);
    EXPECT_EQ(tool.st_mode & 0111, 0111u);
}

TEST(InstallerFixture, StartedProgramGetsTheEnvironmentAndGivesItsExitCode) {
    InstallerFixture f;
    const RunResult r = f.start(shellLine("echo $KV_WORD; echo oops >&2; exit 3"),
                                {.environment = {{"KV_WORD", "hello"}}});
    ASSERT_TRUE(r.started);
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.output, "hello\n");
    EXPECT_EQ(r.errors, "oops\n");
    EXPECT_EQ(std::getenv("KV_WORD"), nullptr);
    EXPECT_FALSE(f.start("\"C:\\none.exe\"").started);
}

TEST(InstallerFixture, WaitsForWhatTheProgramStarted) {
    InstallerFixture f;
    const stdfs::path marker = f.scratch() / "marker";
    const std::string child = "sleep 0.3; echo done > " + marker.string();
    const RunResult r =
        f.start(shellLine("'" + std::string(KV_KVMACHINE_EXE) + "' run '" +
                          fs::machinePath(stdfs::canonical("/bin/sh")) + "' -c '" + child + "'"));
    EXPECT_EQ(r.exitCode, 0) << r.errors;
    EXPECT_EQ(hostBytes(marker), "done\n");
    EXPECT_TRUE(r.ended.empty());

    // One that outlives the limit is ended and named.
    const RunResult late =
        f.start(shellLine("'" + std::string(KV_KVMACHINE_EXE) + "' run '" +
                          fs::machinePath(stdfs::canonical("/bin/sh")) + "' -c 'sleep 60'"),
                {.limit = 1s});
    ASSERT_EQ(late.ended.size(), 1u);
    EXPECT_EQ(late.ended[0], fs::machinePath(stdfs::canonical("/bin/sh")));
}

} // namespace
} // namespace kv::e2e
