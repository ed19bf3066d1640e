#include "platform/process/batch.h"

#include "platform/fs/attributes.h"
#include "platform/fs/files.h"
#include "platform/fs/path.h"
#include "platform/fs/short_names.h"
#include "platform/process/exec.h"
#include "platform/process/processes.h"
#include "platform/system/process.h"
#include "process_fixture.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <thread>

namespace kv::process {
namespace {

using namespace std::chrono_literals;
using testing::ProcessTest;
namespace fs = kv::fs;

// A program that holds its own file until a file "stop" appears in C:\Work (bounded).
const std::string kHoldUntilStop =
    "n=0; while [ ! -e \"$PWD/stop\" ] && [ $n -lt 600 ]; do sleep 0.05; n=$((n+1)); done\n";

class BatchTest : public ProcessTest {
protected:
    void write(const std::string& path, const std::string& content = "x") {
        writeFile(path, content);
    }
    // Starts a program of the machine at the path; its file is in use until stopHolder().
    int startHolder(const std::string& path) {
        writeScript(path, kHoldUntilStop);
        const Started s = startProgram("\"" + path + "\"", kShowHide);
        EXPECT_EQ(s.result, kExecStarted);
        endProcessAtTearDown(s.id);
        return s.id;
    }
    void stopHolder() { write("C:\\Work\\stop"); }
    BatchResult run(const std::string& text, BatchLimits limits = {}) {
        write("C:\\Work\\run.bat", text);
        return runBatch("C:\\Work\\run.bat", limits);
    }
};

TEST_F(BatchTest, ConditionsAndCommands) {
    // Each batch runs against the files a.txt (present), b.txt and c.txt; the case gives
    // which of b.txt and c.txt are left.
    struct Case {
        std::string batch;
        bool bLeft, cLeft;
    } cases[] = {
        {"IF EXIST C:\\Work\\a.txt DEL C:\\Work\\b.txt\r\n", false, true},
        {"if not exist C:\\Work\\a.txt del C:\\Work\\b.txt\r\n", true, true},
        {"IF NOT EXIST C:\\Work\\none.txt DEL C:\\Work\\b.txt\n", false, true},
        {"IF EXIST \"C:\\Work\\none.txt\" DEL C:\\Work\\b.txt\n", true, true},
        // DEL of a missing file: ERRORLEVEL 0; of a read-only one: 1.
        {"DEL C:\\Work\\none.txt\r\nIF ERRORLEVEL 1 DEL C:\\Work\\b.txt\r\n", true, true},
        {"DEL C:\\Work\\ro.txt\r\nIF ERRORLEVEL 1 DEL C:\\Work\\b.txt\r\n", false, true},
        {"DEL C:\\Work\\ro.txt\r\nIF NOT ERRORLEVEL 1 DEL C:\\Work\\b.txt\r\n", true, true},
        {"DEL C:\\Work\\none.txt\nIF NOT errorlevel 1 DEL C:\\Work\\b.txt\n", false, true},
        // A later DEL that succeeds clears the level again.
        {"DEL C:\\Work\\ro.txt\nDEL C:\\Work\\c.txt\nIF ERRORLEVEL 1 DEL C:\\Work\\b.txt\n", true,
         false},
        // A forward jump skips; a jump to a missing label ends the batch.
        {"goto Skip\nDEL C:\\Work\\b.txt\n:SKIP\nDEL C:\\Work\\c.txt\n", true, false},
        {"GOTO NOWHERE\nDEL C:\\Work\\b.txt\n", true, true},
        // Comments, echo and unknown lines do nothing; "@" before a command is ignored.
        {"@ECHO OFF\nREM DEL C:\\Work\\b.txt\nDELX C:\\Work\\b.txt\n@del \"C:\\Work\\c.txt\"\n",
         true, false},
        // A nested condition.
        {"IF EXIST C:\\Work\\a.txt IF NOT EXIST C:\\Work\\none.txt DEL C:\\Work\\b.txt", false,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.batch);
        write("C:\\Work\\a.txt");
        write("C:\\Work\\b.txt");
        write("C:\\Work\\c.txt");
        write("C:\\Work\\ro.txt");
        fs::setAttributes("C:\\Work\\ro.txt", fs::kAttrReadOnly);
        EXPECT_EQ(run(c.batch).end, BatchEnd::Done);
        EXPECT_EQ(fs::exists("C:\\Work\\b.txt"), c.bLeft);
        EXPECT_EQ(fs::exists("C:\\Work\\c.txt"), c.cLeft);
        EXPECT_TRUE(fs::exists("C:\\Work\\ro.txt"));
        fs::setAttributes("C:\\Work\\ro.txt", fs::kAttrNormal);
    }
}

TEST_F(BatchTest, RdRemovesOnlyAnEmptyFolderAndTheBatchGoesOn) {
    write("C:\\Work\\Full Folder\\keep.txt");
    fs::createFolders("C:\\Work\\Empty Folder");
    write("C:\\Work\\b.txt");
    const std::string full = fs::shortPath("C:\\Work\\Full Folder");
    const std::string empty = fs::shortPath("C:\\Work\\Empty Folder");
    ASSERT_EQ(full.find(' '), std::string::npos);
    const BatchResult r =
        run("RD " + full + "\r\nRD " + empty + "\r\nRD C:\\Work\\None\r\nDEL C:\\Work\\b.txt\r\n");
    EXPECT_EQ(r.end, BatchEnd::Done);
    EXPECT_TRUE(fs::exists("C:\\Work\\Full Folder\\keep.txt"));
    EXPECT_FALSE(fs::exists("C:\\Work\\Empty Folder"));
    EXPECT_FALSE(fs::exists("C:\\Work\\b.txt"));
}

TEST_F(BatchTest, RetryLoopEndsOnceTheProgramHoldingTheFileEnds) {
    const std::string program = "C:\\Program Files\\My App\\holder.sh";
    startHolder(program);
    write("C:\\Work\\after.txt");
    const std::string text = ":START\r\nDEL " + fs::shortPath(program) +
                             "\r\nIF errorlevel 1 GOTO START\r\nDEL C:\\Work\\after.txt\r\n";
    auto running = std::async(std::launch::async, [&] { return run(text); });
    EXPECT_EQ(running.wait_for(500ms), std::future_status::timeout); // still retrying
    EXPECT_TRUE(fs::exists(program));
    EXPECT_TRUE(fs::exists("C:\\Work\\after.txt"));
    stopHolder();
    ASSERT_EQ(running.wait_for(30s), std::future_status::ready);
    const BatchResult r = running.get();
    EXPECT_EQ(r.end, BatchEnd::Done);
    EXPECT_EQ(r.errorLevel, 0);
    EXPECT_FALSE(fs::exists(program));
    EXPECT_FALSE(fs::exists("C:\\Work\\after.txt"));
}

TEST_F(BatchTest, GivesUpOnAFileThatNeverFrees) {
    const std::string program = "C:\\Work\\holder.sh";
    startHolder(program);
    write("C:\\Work\\after.txt");
    const auto start = std::chrono::steady_clock::now();
    const BatchResult r = run(":START\nDEL " + program +
                                  "\nIF ERRORLEVEL 1 GOTO START\n"
                                  "DEL C:\\Work\\after.txt\n",
                              {.jumpWait = 20ms, .bound = 300ms});
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(r.end, BatchEnd::GaveUp);
    EXPECT_EQ(r.errorLevel, 1);
    EXPECT_GE(took, 300ms);
    EXPECT_TRUE(fs::exists(program));
    EXPECT_TRUE(fs::exists("C:\\Work\\after.txt")); // nothing after the loop ran
    stopHolder();
}

TEST_F(BatchTest, AMissingFileIsNotRead) {
    EXPECT_EQ(runBatch("C:\\Work\\none.bat").end, BatchEnd::NotRead);
}

// Started through the machine, a batch runs on its own, unlisted, and may delete the
// program that started it and itself.
TEST_F(BatchTest, StartedThroughTheMachineItRunsDetachedAndUnlisted) {
    const std::string program = "C:\\Program Files\\My App\\holder.sh";
    const int holder = startHolder(program);
    fs::createFolders("C:\\Temp Files");
    const std::string bat = "C:\\Temp Files\\_DEL_ME_.BAT";
    write(bat, "ABC\r\n");
    const std::string batShort = fs::shortPath(bat);
    write(bat, ":START\r\nDEL " + fs::shortPath(program) + "\r\nIF errorlevel 1 GOTO START\r\n" +
                   "RD " + fs::shortPath("C:\\Program Files\\My App") + "\r\nDEL " + batShort +
                   "\r\n");
    ASSERT_EQ(WinExec("\"" + bat + "\"", kShowHide), kExecStarted);
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(fs::exists(program));
    EXPECT_EQ(processIds(), std::vector<int>{holder});
    stopHolder();
    for (int i = 0; i < 300 && fs::exists(bat); ++i)
        std::this_thread::sleep_for(20ms);
    EXPECT_FALSE(fs::exists(bat));
    EXPECT_FALSE(fs::exists(program));
    EXPECT_FALSE(fs::exists("C:\\Program Files\\My App"));
    EXPECT_TRUE(processIds().empty());
}

TEST_F(BatchTest, OnlyBatFilesStartSo) {
    write("C:\\Work\\plain.txt", "DEL C:\\Work\\b.txt\r\n");
    write("C:\\Work\\b.txt");
    EXPECT_EQ(WinExec("C:\\Work\\plain.txt", kShowHide), kExecBadFormat);
    EXPECT_EQ(WinExec("C:\\Work\\none.bat", kShowHide), kExecFileNotFound);
    // A process that was itself handed a batch (so has no start hook) starts none.
    write("C:\\Work\\run.bat", "DEL C:\\Work\\b.txt\r\n");
    ::setenv(kBatchVariable, "C:\\Work\\other.bat", 1);
    ::setenv(machine::kProcessIdVariable, std::to_string(::getpid()).c_str(), 1);
    EXPECT_EQ(WinExec("C:\\Work\\run.bat", kShowHide), kExecBadFormat);
    ::unsetenv(kBatchVariable);
    ::unsetenv(machine::kProcessIdVariable);
    std::this_thread::sleep_for(100ms);
    EXPECT_TRUE(fs::exists("C:\\Work\\b.txt"));
}

} // namespace
} // namespace kv::process
