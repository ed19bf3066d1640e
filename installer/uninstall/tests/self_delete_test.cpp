// The self-deletion in this process: the running program is a sleeper started through the
// machine at the program's path, so its file stays in use until the test ends it.

#include "installer/common/process_ops.h"
#include "installer/common/system_queries.h"
#include "installer/uninstall/self_delete.h"
#include "installer/uninstall/tests/uninstall_fixture.h"
#include "platform/fs/attributes.h"
#include "platform/fs/files.h"
#include "platform/fs/short_names.h"
#include "platform/process/exec.h"

#include <chrono>
#include <thread>

namespace kv::installer::uninstall {
namespace {

using namespace std::chrono_literals;
using testing::UninstallTest;

class SelfDelete : public UninstallTest {
protected:
    static constexpr const char* kFolder = "C:\\Program Files\\My App";
    static constexpr const char* kProgram = "C:\\Program Files\\My App\\UnInstall.exe";

    std::string batch() const { return GetTempDir(true) + "_DEL_ME_.BAT"; }
    // The program "runs" until endProgram().
    void startProgram() {
        setProgram(kProgram);
        startSleeper(kProgram);
    }
    static void endProgram() {
        for (int id; (id = FindProcessNT(kProgram, true)) != 0;)
            process::TerminateProcess(id, 0);
    }
    // Waits (bounded) until the batch has deleted itself.
    bool awaitBatchGone() const {
        for (int i = 0; i < 500 && fs::exists(batch()); ++i)
            std::this_thread::sleep_for(10ms);
        return !fs::exists(batch());
    }
};

TEST_F(SelfDelete, WriteTextToFile) {
    fs::createFolders("C:\\Work");
    ASSERT_TRUE(fs::writeFile("C:\\Work\\long.txt", "a much longer text than the new one"));
    ASSERT_TRUE(fs::writeFile("C:\\Work\\ro.txt", "kept"));
    fs::setAttributes("C:\\Work\\ro.txt", fs::kAttrReadOnly);
    const std::uint64_t date = fs::fileTimeFromUnixNanos(1'000'000'000'000'000'000);
    const struct {
        const char* path;
        const char* text;
        bool written;
    } cases[] = {
        {"C:\\Work\\new.txt", "line\r\n", true}, {"C:\\Work\\long.txt", "short", true},
        {"C:\\Work\\empty.txt", "", true},       {"C:\\Work\\ro.txt", "replaced", false},
        {"C:\\Missing\\x.txt", "x", false},      {"Z:\\kv-never-written.txt", "x", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(WriteTextToFile(c.path, c.text, 0), c.written);
        if (c.written) {
            EXPECT_EQ(fs::readFile(c.path), std::string(c.text));
        }
    }
    EXPECT_EQ(fs::readFile("C:\\Work\\ro.txt"), "kept");
    ASSERT_TRUE(WriteTextToFile("C:\\Work\\dated.txt", "d", date));
    EXPECT_EQ(fs::getFileTimes("C:\\Work\\dated.txt")->lastWrite, date);
}

// While the program runs the batch holds its five lines, in short paths free of blanks;
// once the program has ended the program, its folder and the batch are gone.
TEST_F(SelfDelete, DeletesTheProgramItsFolderAndItselfOnceTheProgramHasEnded) {
    startProgram();
    StartSelfDelete(true);
    ASSERT_TRUE(fs::exists(batch()));
    const std::string batchShort = fs::shortPath(batch());
    const std::string programShort = fs::shortPath(kProgram);
    const std::string folderShort = fs::shortPath(kFolder);
    EXPECT_EQ(programShort, "C:\\PROGRA~1\\MYAPP~1\\UNINST~1.EXE");
    EXPECT_EQ(batchShort.find(' '), std::string::npos);
    std::this_thread::sleep_for(300ms); // the batch is retrying meanwhile
    EXPECT_EQ(fs::readFile(batch()), ":START\r\nDEL " + programShort +
                                         "\r\nIF errorlevel 1 GOTO START\r\nRD " + folderShort +
                                         "\r\nDEL " + batchShort + "\r\n");
    EXPECT_TRUE(fs::exists(kProgram));
    endProgram();
    ASSERT_TRUE(awaitBatchGone());
    EXPECT_FALSE(fs::exists(kProgram));
    EXPECT_FALSE(fs::exists(kFolder));
}

TEST_F(SelfDelete, AFolderThatHoldsMoreOrIsToStayIsKept) {
    for (const bool removeFolder : {true, false}) {
        SCOPED_TRACE(removeFolder);
        startProgram();
        if (removeFolder) {
            ASSERT_TRUE(fs::writeFile("C:\\Program Files\\My App\\notes.txt", "n"));
        }
        StartSelfDelete(removeFolder);
        if (!removeFolder) {
            // Four lines: no RD.
            EXPECT_EQ(fs::readFile(batch()), ":START\r\nDEL " + fs::shortPath(kProgram) +
                                                 "\r\nIF errorlevel 1 GOTO START\r\nDEL " +
                                                 fs::shortPath(batch()) + "\r\n");
        }
        endProgram();
        ASSERT_TRUE(awaitBatchGone());
        EXPECT_FALSE(fs::exists(kProgram));
        EXPECT_TRUE(fs::isDirectory(kFolder));
        fs::deleteFile("C:\\Program Files\\My App\\notes.txt");
    }
}

TEST_F(SelfDelete, NothingHappensWhenTheBatchCannotBeWritten) {
    startProgram();
    // A folder where the batch should be: the file cannot be created.
    ASSERT_TRUE(fs::createFolders(batch()));
    StartSelfDelete(true);
    endProgram();
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(fs::isDirectory(batch()));
    EXPECT_TRUE(fs::exists(kProgram));
}

} // namespace
} // namespace kv::installer::uninstall
