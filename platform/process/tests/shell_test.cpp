#include "platform/process/shell.h"

#include "platform/process/exec.h"
#include "platform/process/processes.h"
#include "platform/registry/registry.h"
#include "process_fixture.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

namespace kv::process {
namespace {

using testing::ProcessTest;

class ShellTest : public ProcessTest {
protected:
    void associate(const std::string& ext, const std::string& type, const std::string& command) {
        namespace reg = kv::registry;
        const reg::Key classes = reg::rootKey(reg::Root::ClassesRoot);
        reg::Key key;
        ASSERT_EQ(reg::createKey(classes, ext, key), reg::Status::Success);
        ASSERT_EQ(reg::setValue(key, "", reg::stringValue(type)), reg::Status::Success);
        ASSERT_EQ(reg::createKey(classes, type + "\\shell\\open\\command", key),
                  reg::Status::Success);
        ASSERT_EQ(reg::setValue(key, "", reg::stringValue(command)), reg::Status::Success);
    }
};

TEST_F(ShellTest, HeadlessOpensOfAddressesAndUnassociatedFilesAreRecorded) {
    writeFile("C:\\Work\\readme.txt", "read me\n");
    EXPECT_GT(ShellExecute("http://www.example.com/a?b=1", "", 5), 32);
    EXPECT_GT(ShellExecute("C:\\Work\\readme.txt", "-p", 1), 32);
    EXPECT_GT(ShellExecute("www.example.com", "", 3), 32);
    const std::vector<ShellOpenRecord> expected = {
        {"http://www.example.com/a?b=1", "", 5},
        {"C:\\Work\\readme.txt", "-p", 1},
        {"www.example.com", "", 3},
    };
    EXPECT_EQ(recordedShellOpens(), expected);
    EXPECT_TRUE(processIds().empty());
}

TEST_F(ShellTest, WithTheHostOpenerAddressesAndFilesGoToItAsOneArgument) {
    // A stand-in opener first on PATH records what it was given.
    const auto bin = machine_.folder() / "bin";
    std::filesystem::create_directories(bin);
    const auto seen = work_ / "opened.txt";
    {
        std::ofstream opener(bin / "xdg-open");
        opener << "#!/bin/sh\nprintf '%s|%s\\n' \"$#\" \"$1\" >> '" << seen.string() << "'\n";
    }
    std::filesystem::permissions(bin / "xdg-open", std::filesystem::perms::owner_all);
    const std::string savedPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    ::setenv("PATH", (bin.string() + ":" + savedPath).c_str(), 1);
    setHostOpenerEnabled(true);

    writeFile("C:\\Work\\readme.txt", "read me\n");
    EXPECT_GT(ShellExecute("http://example.com/a?b=1&c=$(x);d", "", 1), 32);
    ASSERT_TRUE(awaitFile(seen));
    EXPECT_GT(ShellExecute("C:\\Work\\readme.txt", "", 1), 32);
    for (int i = 0; i < 1000 && awaitFile(seen)->find("readme") == std::string::npos; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));

    setHostOpenerEnabled(false);
    ::setenv("PATH", savedPath.c_str(), 1);
    EXPECT_EQ(awaitFile(seen),
              "1|http://example.com/a?b=1&c=$(x);d\n1|" + (work_ / "readme.txt").string() + "\n");
    EXPECT_TRUE(recordedShellOpens().empty());
    EXPECT_TRUE(processIds().empty()); // the host's opener is no process of the machine
}

TEST_F(ShellTest, AnAssociatedDocumentStartsItsProgramWithThePath) {
    writeScript("C:\\Tools\\viewer.sh",
                "printf '%s|%s\\n' \"$#\" \"$1\" > \"$PWD/seen.tmp\" && mv \"$PWD/seen.tmp\" "
                "\"$PWD/seen.txt\"\n");
    associate(".txt", "txtfile", "\"C:\\Tools\\viewer.sh\" \"%1\"");
    writeFile("C:\\Work\\My Notes.TXT", "notes\n");
    EXPECT_GT(ShellExecute("C:\\Work\\My Notes.TXT", "", 1), 32);
    EXPECT_EQ(awaitFile(work_ / "seen.txt"), "1|C:\\Work\\My Notes.TXT\n");
    EXPECT_TRUE(recordedShellOpens().empty());
}

TEST_F(ShellTest, AProgramStartsWithItsParameters) {
    writeScript("C:\\Tools\\run me.sh", "printf '%s\\n' \"$2\" > \"$PWD/ran.tmp\" && mv "
                                        "\"$PWD/ran.tmp\" \"$PWD/ran.txt\"\n");
    EXPECT_GT(ShellExecute("C:\\Tools\\run me.sh", "-a \"b c\"", 1), 32);
    EXPECT_EQ(awaitFile(work_ / "ran.txt"), "b c\n");
}

TEST_F(ShellTest, FailuresGiveThePlatformsNumbers) {
    writeFile("C:\\Work\\fake.exe", "not a program\n");
    associate(".doc", "docfile", "\"C:\\Work\\missing.exe\" \"%1\"");
    writeFile("C:\\Work\\letter.doc", "letter\n");
    const struct {
        const char* file;
        int result;
    } cases[] = {
        {"C:\\Work\\missing.txt", kShellFileNotFound},
        {"C:\\Nowhere\\missing.txt", kShellPathNotFound},
        {"C:\\Work\\fake.exe", kShellBadFormat},
        {"C:\\Work\\letter.doc", kShellFileNotFound}, // the associated program is missing
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShellExecute(c.file, "", 1), c.result) << c.file;
    EXPECT_TRUE(recordedShellOpens().empty());
    EXPECT_TRUE(processIds().empty());
}

} // namespace
} // namespace kv::process
