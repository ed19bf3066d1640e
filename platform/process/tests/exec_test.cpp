#include "platform/process/exec.h"

#include "platform/fs/errors.h"
#include "platform/fs/file.h"
#include "platform/fs/files.h"
#include "platform/fs/path.h"
#include "platform/fs/pending_renames.h"
#include "platform/fs/program.h"
#include "platform/fs/short_names.h"
#include "platform/process/processes.h"
#include "platform/system/machine.h"
#include "platform/system/process.h"
#include "platform/system/process_list.h"
#include "platform/text/ansi.h"
#include "process_fixture.h"

#include <unistd.h>

#include <fstream>

namespace kv::process {
namespace {

using testing::ProcessTest;
namespace fs = kv::fs;

// Writes its output aside and renames it, so a reader sees all of it or nothing.
std::string reportTo(const std::string& file, const std::string& printfArgs) {
    return "printf " + printfArgs + " > \"$PWD/" + file + ".tmp\" && mv \"$PWD/" + file +
           ".tmp\" \"$PWD/" + file + "\"\n";
}

// Waits (bounded) for a file "stop" in the working folder.
const std::string kWaitForStop =
    "n=0; while [ ! -e \"$PWD/stop\" ] && [ $n -lt 400 ]; do sleep 0.05; n=$((n+1)); done\n";

class ExecTest : public ProcessTest {};

TEST_F(ExecTest, ScriptGetsItsArgumentsFolderAndCommandLineAndIsListed) {
    const std::string path = "C:\\Program Files\\My App\\report.sh";
    writeScript(path, reportTo("out.txt", "'%s|%s|%s|%s|%s|%s\\n' \"$#\" \"$1\" \"$2\" \"$(pwd)\" "
                                          "\"$KV_COMMAND_LINE\" \"$KV_PROCESS_ID\"") +
                          kWaitForStop);
    const std::string line = "\"" + path + "\" -n \"with a blank\"";
    const Started s = startProgram(line, kShowHide);
    ASSERT_EQ(s.result, kExecStarted);
    endProcessAtTearDown(s.id);
    const auto out = awaitFile(work_ / "out.txt");
    ASSERT_TRUE(out);
    EXPECT_EQ(*out, "2|-n|with a blank|" + work_.string() + "|" + line + "|" +
                        std::to_string(s.id) + "\n");

    EXPECT_EQ(processIds(), std::vector<int>{s.id});
    EXPECT_TRUE(isProcessAlive(s.id));
    EXPECT_EQ(processImagePath(s.id), path);
    EXPECT_EQ(processShowMode(s.id), kShowHide);
    // Found by the path in other case and by the 8.3 forms.
    const std::string shortForm = fs::shortPath(path);
    EXPECT_EQ(shortForm, "C:\\PROGRA~1\\MYAPP~1\\report.sh");
    EXPECT_TRUE(text::equalsNoCase(processImagePath(s.id), "c:\\PROGRAM FILES\\my app\\REPORT.SH"));
    EXPECT_EQ(fs::shortPath(processImagePath(s.id)),
              fs::shortPath("c:\\program files\\MY APP\\report.SH"));

    // In use while it runs, from this process as from any other.
    EXPECT_FALSE(fs::deleteFile(path));
    EXPECT_EQ(fs::lastError(), fs::kErrorSharingViolation);
    EXPECT_FALSE(fs::moveFile(path, "C:\\Work\\moved.sh"));
    EXPECT_EQ(fs::lastError(), fs::kErrorSharingViolation);
    writeFile("C:\\Work\\other.sh", "other");
    EXPECT_FALSE(fs::copyFile("C:\\Work\\other.sh", path, false));
    EXPECT_EQ(fs::lastError(), fs::kErrorSharingViolation);
    EXPECT_FALSE(fs::moveFile("C:\\Work\\other.sh", path, true));
    EXPECT_FALSE(fs::File::open(path, fs::Access::Write).isOpen());
    EXPECT_EQ(fs::lastError(), fs::kErrorSharingViolation);
    EXPECT_TRUE(fs::readFile(path).has_value()); // reading stays possible
    EXPECT_TRUE(fs::copyFile(path, "C:\\Work\\copy.sh", false));

    writeFile("C:\\Work\\stop", "");
    EXPECT_EQ(waitForProcess(s.id), 0u);
    EXPECT_FALSE(isProcessAlive(s.id));
    EXPECT_TRUE(fs::deleteFile(path));
}

TEST_F(ExecTest, FindsTheProgramTheWayThePlatformSearches) {
    writeScript("C:\\Program Files\\My App\\echo.exe", reportTo("out-$1.txt", "'%s\\n' \"$1\""));
    const std::string shortForm = fs::shortPath("C:\\Program Files\\My App\\echo.exe");
    const struct {
        std::string line;
        std::string word;
    } cases[] = {
        {"C:\\Program Files\\My App\\echo.exe one", "one"}, // unquoted, with blanks
        {"C:\\Program Files\\My App\\echo two", "two"},     // ".exe" added
        {"\"C:\\Program Files\\My App\\echo\" three", "three"},
        {shortForm + " four", "four"},
        {"c:\\PROGRAM files\\my app\\ECHO.EXE five", "five"},
        {"..\\Program Files\\My App\\echo.exe six", "six"}, // against the current folder
    };
    for (const auto& c : cases) {
        const Started s = startProgram(c.line, kShowNormal);
        ASSERT_EQ(s.result, kExecStarted) << c.line;
        EXPECT_EQ(waitForProcess(s.id), 0u);
        EXPECT_EQ(awaitFile(work_ / ("out-" + c.word + ".txt")), c.word + "\n") << c.line;
    }
}

TEST_F(ExecTest, WhatIsNoProgramStartsNothing) {
    writeFile("C:\\Work\\notes.txt", "just text\n");
    writeFile("C:\\Work\\plain.exe", "echo no interpreter line\n", true);
    writeFile("C:\\Work\\script.sh", "#!/bin/sh\nexit 0\n"); // no executable bit
    const struct {
        std::string line;
        unsigned result;
    } cases[] = {
        {"C:\\Work\\notes.txt", kExecBadFormat},
        {"\"C:\\Work\\notes.txt\" arg", kExecBadFormat},
        {"C:\\Work\\plain.exe", kExecBadFormat},
        {"C:\\Work\\script.sh", kExecBadFormat},
        {"C:\\Work\\missing.exe", kExecFileNotFound},
        {"C:\\Work", kExecFileNotFound}, // a folder is no file
        {"", kExecFileNotFound},
        {"C:\\Nowhere\\prog.exe", kExecPathNotFound},
        {"\"C:\\Nowhere\\prog.exe\" -a", kExecPathNotFound},
        {"Q:\\prog.exe", kExecPathNotFound},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WinExec(c.line, kShowNormal), c.result) << c.line;
    EXPECT_TRUE(processIds().empty());
}

TEST_F(ExecTest, ExitCodeAndTheChildrenOfAnEndedScriptKeepNothingInUse) {
    const std::string path = "C:\\Work\\parent.sh";
    writeScript(path,
                "sleep 30 >/dev/null 2>&1 &\n" + reportTo("child.txt", "'%s\\n' $!") + "exit 5\n");
    const Started s = startProgram("\"" + path + "\"", kShowNormal);
    ASSERT_EQ(s.result, kExecStarted);
    const auto child = awaitFile(work_ / "child.txt");
    ASSERT_TRUE(child);
    const int childPid = std::stoi(*child);
    endAtTearDown(childPid);
    EXPECT_EQ(waitForProcess(s.id), 5u);
    EXPECT_TRUE(kv::machine::hostStartTime(childPid).has_value());
    EXPECT_TRUE(fs::deleteFile(path));
}

TEST_F(ExecTest, TerminateEndsTheGroupAndFreesTheImageAtOnce) {
    const std::string path = "C:\\Work\\group.sh";
    writeScript(path,
                "sleep 30 >/dev/null 2>&1 &\n" + reportTo("child.txt", "'%s\\n' $!") + "wait\n");
    const Started s = startProgram(path, kShowNormal);
    ASSERT_EQ(s.result, kExecStarted);
    const auto child = awaitFile(work_ / "child.txt");
    ASSERT_TRUE(child);
    const int childPid = std::stoi(*child);
    endAtTearDown(childPid);
    EXPECT_FALSE(fs::deleteFile(path));

    EXPECT_TRUE(TerminateProcess(s.id, 7));
    EXPECT_FALSE(isProcessAlive(s.id));
    EXPECT_TRUE(fs::deleteFile(path));
    EXPECT_TRUE(awaitHostEnd(childPid));
    EXPECT_EQ(waitForProcess(s.id), 7u);
    EXPECT_FALSE(TerminateProcess(s.id, 7));
    EXPECT_FALSE(TerminateProcess(::getpid(), 0)); // not a process of the machine
}

TEST_F(ExecTest, EntriesOfEndedOrReusedPidsDropOut) {
    writeScript("C:\\Work\\quick.sh", "exit 0\n");
    const Started s = startProgram("C:\\Work\\quick.sh", kShowNormal);
    ASSERT_EQ(s.result, kExecStarted);
    ASSERT_TRUE(awaitHostEnd(s.id)); // ended, not yet reaped
    EXPECT_FALSE(isProcessAlive(s.id));
    EXPECT_TRUE(processIds().empty());
    EXPECT_EQ(waitForProcess(s.id), 0u);

    // An entry for this test's pid with another start time: the pid was reused.
    const auto list = kv::machine::current().runtimeFolder() / "processes";
    std::ofstream(list / std::to_string(::getpid())) << "start=1\npath=C:\\old.exe\n";
    EXPECT_FALSE(isProcessAlive(::getpid()));
    EXPECT_TRUE(processIds().empty());
    EXPECT_FALSE(std::filesystem::exists(list / std::to_string(::getpid())));
}

TEST_F(ExecTest, AProgramStartedOtherwiseListsItselfAtStart) {
    const char* argv[] = {"prog"};
    fs::startProgram(1, argv);
    EXPECT_EQ(processIds(), std::vector<int>{::getpid()});
    EXPECT_EQ(processImagePath(::getpid()), fs::machinePath(kv::machine::hostProgram()));
    kv::machine::leaveProcess(::getpid());
    kv::machine::resetForTests();
}

TEST_F(ExecTest, AStartedProgramTakesTheCommandLineHandedToIt) {
    const std::string self = std::to_string(::getpid());
    ::setenv(kv::machine::kCommandLineVariable, "\"C:\\App\\setup.exe\" /x", 1);
    ::setenv(kv::machine::kProgramVariable, "C:\\App\\setup.exe", 1);
    for (const std::string& pid : {self, std::string("1")}) {
        ::setenv(kv::machine::kProcessIdVariable, pid.c_str(), 1);
        const char* argv[] = {"prog", "/y"};
        kv::machine::setProgramArguments(2, argv);
        const bool mine = pid == self; // inherited by a host child, the values are not its own
        EXPECT_EQ(fs::commandLine() == "\"C:\\App\\setup.exe\" /x", mine);
        EXPECT_EQ(fs::programPath() == "C:\\App\\setup.exe", mine);
    }
    for (const char* v : {kv::machine::kCommandLineVariable, kv::machine::kProgramVariable,
                          kv::machine::kProcessIdVariable})
        ::unsetenv(v);
    kv::machine::resetForTests();
}

} // namespace
} // namespace kv::process
