#include "installer/common/install_registry.h"
#include "installer/common/process_ops.h"
#include "installer/common/program_ops.h"
#include "platform/fs/files.h"
#include "platform/fs/path.h"
#include "platform/fs/short_names.h"
#include "platform/process/exec.h"
#include "platform/process/shell.h"
#include "platform/ui/application.h"
#include "programs_fixture.h"

#include <algorithm>

namespace kv::installer {
namespace {

using testing::ProgramsTest;

constexpr const char* kLongTool = "C:\\Program Files\\Long Named Tools\\Background Worker.exe";

// Starts a program that runs until the test ends it; its id.
int startSleeper(const std::string& path) {
    EXPECT_TRUE(RunProgram(path, "", false, 1));
    return FindProcessNT(path, true);
}

class ProcessOps : public ProgramsTest {};

TEST_F(ProcessOps, RunProgramQuotesThePathWaitsAndRestoresTheFolder) {
    const auto out = machine_.hostFolder('C') / "out.txt";
    writeScript("C:\\My Tools\\report tool.exe",
                "pwd > \"" + out.string() + "\"\n" + "for a in \"$@\"; do echo \"[$a]\" >> \"" +
                    out.string() + "\"; done\n" + "sleep 0.3\necho end >> \"" + out.string() +
                    "\"\n");
    const std::uint32_t before = ui::app().tickCount();
    EXPECT_TRUE(RunProgram("C:\\My Tools\\report tool.exe", "one \"two three\"", true, 1));
    // Waited for: the program has ended, after at least one round of the clock.
    EXPECT_FALSE(IsProcessRunning("C:\\My Tools\\report tool.exe"));
    EXPECT_GE(ui::app().tickCount() - before, 1000u);
    EXPECT_EQ(awaitEnd(out), fs::hostPath("C:\\Setup").string() + "\n[one]\n[two three]\nend\n");
    EXPECT_EQ(fs::currentFolder(), "C:\\Work");
}

TEST_F(ProcessOps, RunProgramFailuresKeepTheFolder) {
    fs::createFolders("C:\\Data");
    fs::writeFile("C:\\Data\\notes.txt", "not a program");
    for (const char* path : {"C:\\Missing\\tool.exe", "C:\\Data\\notes.txt", ""}) {
        EXPECT_FALSE(RunProgram(path, "x", true, 1)) << path;
        EXPECT_EQ(fs::currentFolder(), "C:\\Work") << path;
    }
}

TEST_F(ProcessOps, RunAppPathProgramUsesTheRegisteredPath) {
    const auto out = machine_.hostFolder('C') / "app.txt";
    writeScript("C:\\Apps\\Viewer\\viewer.exe",
                "echo \"$1\" > \"" + out.string() + "\"\necho end >> \"" + out.string() + "\"\n");
    WriteAppPath("C:\\Apps\\Viewer\\viewer.exe");
    EXPECT_TRUE(RunAppPathProgram("VIEWER.EXE", "readme", true, 1));
    EXPECT_EQ(awaitEnd(out), "readme\nend\n");
    EXPECT_FALSE(RunAppPathProgram("unknown.exe", "", false, 1));
}

TEST_F(ProcessOps, ProcessesMatchByPathNameOrShortForm) {
    writeScript(kLongTool, "sleep 30\n");
    const int id = startSleeper(kLongTool);
    ASSERT_NE(id, 0);
    const std::string shortForm = fs::shortPath(kLongTool);
    ASSERT_NE(shortForm, kLongTool);
    writeScript("C:\\Other\\Background Worker.exe", "exit 0\n"); // exists, not running
    const struct {
        std::string path;
        bool fullPathOnly;
        bool found;
    } cases[] = {
        {kLongTool, true, true},
        {"c:\\program files\\long named tools\\BACKGROUND WORKER.EXE", true, true},
        {shortForm, true, true},
        {"background worker.exe", false, true},
        {"Background Worker.exe", true, false}, // a bare name needs the name rule
        {"C:\\Other\\Background Worker.exe", true, false},
        {"C:\\Nowhere\\missing.exe", true, false}, // neither has a short form
        {"", false, false},
    };
    for (const auto& c : cases) {
        const int expected = c.found ? id : 0;
        EXPECT_EQ(FindProcessNT(c.path, c.fullPathOnly), expected) << c.path;
        EXPECT_EQ(FindProcess9x(c.path, c.fullPathOnly), expected) << c.path;
    }
    EXPECT_TRUE(IsProcessRunning(shortForm));
    EXPECT_TRUE(IsProcessRunning("BACKGROUND WORKER.EXE"));
    EXPECT_FALSE(IsProcessRunning("worker.exe"));
}

TEST_F(ProcessOps, ProcessIdsAndTheirEnd) {
    writeScript(kLongTool, "sleep 30\n");
    const int id = startSleeper(kLongTool);
    ASSERT_NE(id, 0);
    const std::vector<int> ids = GetProcessIds();
    EXPECT_NE(std::find(ids.begin(), ids.end(), id), ids.end());
    EXPECT_TRUE(IsProcessIdAlive(id));
    ASSERT_TRUE(process::TerminateProcess(id, 1));
    EXPECT_FALSE(IsProcessIdAlive(id));
    EXPECT_FALSE(IsProcessIdAlive(0));
    EXPECT_FALSE(IsProcessRunning(kLongTool));
}

TEST_F(ProcessOps, WaitProcessEndOnNtWaitsOnlyForARunningProgram) {
    const std::uint32_t start = ui::app().tickCount();
    WaitProcessEnd("C:\\Nowhere\\missing.exe");
    EXPECT_EQ(ui::app().tickCount(), start);

    writeScript("C:\\Tools\\brief.exe", "sleep 0.5\n");
    ASSERT_TRUE(RunProgram("C:\\Tools\\brief.exe", "", false, 1));
    ASSERT_TRUE(IsProcessRunning("brief.exe"));
    WaitProcessEnd("brief.exe");
    EXPECT_FALSE(IsProcessRunning("C:\\Tools\\brief.exe"));
    EXPECT_GE(ui::app().tickCount() - start, 1000u);
}

class ProcessOps98 : public ProgramsTest {
protected:
    ProcessOps98() : ProgramsTest("98") {}
};

TEST_F(ProcessOps98, WaitProcessEndWaitsAtLeastOnce) {
    const std::uint32_t start = ui::app().tickCount();
    WaitProcessEnd("C:\\Nowhere\\missing.exe");
    EXPECT_GE(ui::app().tickCount() - start, 1000u); // one round only
    EXPECT_LT(ui::app().tickCount() - start, 2000u);

    writeScript("C:\\Tools\\brief.exe", "sleep 0.5\n");
    ASSERT_TRUE(RunProgram("C:\\Tools\\brief.exe", "", true, 1));
    EXPECT_FALSE(IsProcessRunning("brief.exe"));
}

TEST_F(ProcessOps, ShellOpenSucceedsAboveThirtyTwo) {
    const auto out = machine_.hostFolder('C') / "shell.txt";
    writeScript("C:\\Tools\\opened.exe",
                "echo \"$1\" > \"" + out.string() + "\"\necho end >> \"" + out.string() + "\"\n");
    EXPECT_TRUE(ShellOpen("C:\\Tools\\opened.exe", "page", 1));
    EXPECT_EQ(awaitEnd(out), "page\nend\n");
    EXPECT_TRUE(ShellOpen("http://example.com/", "", 1)); // recorded in the machine
    EXPECT_FALSE(ShellOpen("C:\\Tools\\missing.doc", "", 1));
}

} // namespace
} // namespace kv::installer
