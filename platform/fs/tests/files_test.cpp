#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "platform/fs/attributes.h"
#include "platform/fs/drives.h"
#include "platform/fs/enumerate.h"
#include "platform/fs/errors.h"
#include "platform/fs/file.h"
#include "platform/fs/files.h"
#include "platform/fs/path.h"
#include "platform/fs/short_names.h"
#include "platform/system/machine.h"
#include "platform/system/testing/temp_machine.h"

namespace {

namespace fs = kv::fs;

class FsFiles : public ::testing::Test {
protected:
    void SetUp() override {
        fs::resetForTests();
        ASSERT_TRUE(fs::createFolders("C:\\Work"));
    }
    void TearDown() override { fs::resetForTests(); }
    kv::machine::testing::TempMachine machine_;
};

struct Operation {
    const char* name;
    std::function<bool()> run;
};

// The operations that replace or remove C:\Work\target.txt.
std::vector<Operation> replacingOperations() {
    return {
        {"delete", [] { return fs::deleteFile("C:\\Work\\target.txt"); }},
        {"copy over",
         [] { return fs::copyFile("C:\\Work\\source.txt", "C:\\work\\TARGET.txt", false); }},
        {"move over",
         [] { return fs::moveFile("C:\\Work\\source.txt", "C:\\Work\\target.txt", true); }},
        {"write", [] { return fs::writeFile("C:\\Work\\target.txt", "new"); }},
    };
}

TEST_F(FsFiles, ReadOnlyFileIsNotReplacedUntilItsAttributesAreCleared) {
    for (const Operation& op : replacingOperations()) {
        ASSERT_TRUE(fs::writeFile("C:\\Work\\source.txt", "source"));
        ASSERT_TRUE(fs::writeFile("C:\\Work\\target.txt", "old"));
        ASSERT_TRUE(fs::setAttributes("C:\\Work\\target.txt", fs::kAttrReadOnly));
        EXPECT_EQ(fs::getAttributes("c:\\work\\target.txt"), fs::kAttrReadOnly);
        EXPECT_FALSE(op.run()) << op.name;
        EXPECT_EQ(fs::lastError(), fs::kErrorAccessDenied) << op.name;
        EXPECT_EQ(fs::readFile("C:\\Work\\target.txt"), "old") << op.name;
        ASSERT_TRUE(fs::setAttributes("C:\\Work\\target.txt", fs::kAttrNormal));
        EXPECT_TRUE(op.run()) << op.name;
        fs::deleteFile("C:\\Work\\target.txt");
    }
}

TEST_F(FsFiles, FileHeldExclusivelyByAnotherProcessIsNotReplacedUntilReleased) {
    for (const Operation& op : replacingOperations()) {
        ASSERT_TRUE(fs::writeFile("C:\\Work\\source.txt", "source"));
        ASSERT_TRUE(fs::writeFile("C:\\Work\\target.txt", "old"));
        int ready[2], release[2];
        ASSERT_EQ(pipe(ready), 0);
        ASSERT_EQ(pipe(release), 0);
        pid_t child = fork();
        if (child == 0) {
            fs::File held =
                fs::File::open("c:\\WORK\\Target.TXT", fs::Access::Read, fs::Share::Exclusive);
            char c = held.isOpen() ? 'y' : 'n';
            (void)!write(ready[1], &c, 1);
            (void)!read(release[0], &c, 1);
            _exit(0);
        }
        char c = 0;
        ASSERT_EQ(read(ready[0], &c, 1), 1);
        ASSERT_EQ(c, 'y');
        EXPECT_FALSE(op.run()) << op.name;
        EXPECT_EQ(fs::lastError(), fs::kErrorSharingViolation) << op.name;
        EXPECT_FALSE(fs::File::open("C:\\Work\\target.txt", fs::Access::Read).isOpen());
        EXPECT_EQ(fs::readFile("C:\\Work\\target.txt"), std::nullopt) << op.name;
        (void)!write(release[1], "x", 1);
        int status = 0;
        waitpid(child, &status, 0);
        for (int fd : {ready[0], ready[1], release[0], release[1]})
            close(fd);
        EXPECT_TRUE(op.run()) << op.name;
        fs::deleteFile("C:\\Work\\target.txt");
    }
}

TEST_F(FsFiles, ExclusiveOpenIsRefusedWhileTheFileIsOpen) {
    ASSERT_TRUE(fs::writeFile("C:\\Work\\a.txt", "a"));
    fs::File shared = fs::File::open("C:\\Work\\a.txt", fs::Access::Read);
    ASSERT_TRUE(shared.isOpen());
    EXPECT_FALSE(
        fs::File::open("C:\\Work\\a.txt", fs::Access::Read, fs::Share::Exclusive).isOpen());
    EXPECT_EQ(fs::lastError(), fs::kErrorSharingViolation);
    shared.close();
    fs::File exclusive =
        fs::File::open("C:\\Work\\a.txt", fs::Access::ReadWrite, fs::Share::Exclusive);
    EXPECT_TRUE(exclusive.isOpen());
}

TEST_F(FsFiles, LockFilesGoWithTheirLastHolder) {
    const std::filesystem::path locks = kv::machine::current().runtimeFolder() / "locks";
    auto count = [&] {
        std::error_code ec;
        return std::distance(std::filesystem::directory_iterator(locks, ec), {});
    };
    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(fs::writeFile("C:\\Work\\f" + std::to_string(i) + ".txt", "x"));
        ASSERT_TRUE(fs::readFile("C:\\Work\\f" + std::to_string(i) + ".txt"));
    }
    EXPECT_EQ(count(), 0);
    ASSERT_TRUE(fs::writeFile("C:\\Work\\a.txt", "a"));
    fs::File first = fs::File::open("C:\\Work\\a.txt", fs::Access::Read);
    fs::File second = fs::File::open("C:\\Work\\a.txt", fs::Access::Read);
    ASSERT_TRUE(first.isOpen() && second.isOpen());
    EXPECT_FALSE(
        fs::File::open("C:\\Work\\a.txt", fs::Access::Read, fs::Share::Exclusive).isOpen());
    EXPECT_EQ(count(), 1);
    first.close();
    // The remaining holder still keeps an exclusive open out.
    EXPECT_EQ(count(), 1);
    EXPECT_FALSE(
        fs::File::open("C:\\Work\\a.txt", fs::Access::Read, fs::Share::Exclusive).isOpen());
    fs::File moved = std::move(second);
    moved.close();
    EXPECT_EQ(count(), 0);
    fs::File exclusive = fs::File::open("C:\\Work\\a.txt", fs::Access::Read, fs::Share::Exclusive);
    EXPECT_TRUE(exclusive.isOpen());
    EXPECT_FALSE(fs::deleteFile("C:\\Work\\a.txt"));
    EXPECT_EQ(fs::lastError(), fs::kErrorSharingViolation);
}

TEST_F(FsFiles, EnumerationIsOrderedWithoutCaseAndFilteredByMasks) {
    for (const char* name : {"beta.TXT", "Alpha.txt", "gamma.dat", "ALPHA2.txt", "noext"})
        ASSERT_TRUE(fs::writeFile(std::string("C:\\Work\\") + name, "x"));
    ASSERT_TRUE(fs::createFolder("C:\\Work\\Delta"));
    struct Case {
        const char* mask;
        std::vector<std::string> names;
    } cases[] = {
        {"*", {"Alpha.txt", "ALPHA2.txt", "beta.TXT", "Delta", "gamma.dat", "noext"}},
        {"*.*", {"Alpha.txt", "ALPHA2.txt", "beta.TXT", "Delta", "gamma.dat", "noext"}},
        {"*.txt", {"Alpha.txt", "ALPHA2.txt", "beta.TXT"}},
        {"alpha?.TXT", {"ALPHA2.txt"}},
        {"?eta.*", {"beta.TXT"}},
        {"noext.*", {"noext"}},
        {"*z*", {}},
    };
    for (const Case& k : cases) {
        std::vector<std::string> got;
        for (const fs::DirEntry& e : fs::findFiles(std::string("c:\\work\\") + k.mask))
            got.push_back(e.name);
        EXPECT_EQ(got, k.names) << k.mask;
    }
    auto entries = fs::listFolder("C:\\Work", "Delta");
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].attributes, fs::kAttrDirectory);
}

TEST_F(FsFiles, TableAttributesAndTimesPersistAndFollowAMove) {
    ASSERT_TRUE(fs::writeFile("C:\\Work\\a.ini", "x"));
    ASSERT_TRUE(fs::setAttributes("C:\\Work\\a.ini", fs::kAttrHidden | fs::kAttrSystem));
    fs::FileTimes t;
    t.lastWrite = fs::fileTimeFromUnixNanos(1000000000ll * 1000000000);
    ASSERT_TRUE(fs::setFileTimes("C:\\Work\\a.ini", t));
    ASSERT_TRUE(fs::moveFile("C:\\Work\\a.ini", "C:\\Work\\B.ini"));
    EXPECT_FALSE(fs::exists("C:\\Work\\a.ini"));
    EXPECT_EQ(fs::getAttributes("C:\\work\\b.INI"), fs::kAttrHidden | fs::kAttrSystem);
    EXPECT_EQ(fs::getFileTimes("C:\\Work\\B.ini")->lastWrite, t.lastWrite);
    // A rename that changes only the case.
    ASSERT_TRUE(fs::moveFile("C:\\Work\\b.ini", "C:\\Work\\b.ini"));
    EXPECT_EQ(fs::listFolder("C:\\Work").at(0).name, "b.ini");
    // Moving onto an existing name needs the replace flag.
    ASSERT_TRUE(fs::writeFile("C:\\Work\\c.ini", "c"));
    EXPECT_FALSE(fs::moveFile("C:\\Work\\c.ini", "C:\\Work\\b.ini"));
    EXPECT_EQ(fs::lastError(), fs::kErrorAlreadyExists);
}

// The attribute table as machines have saved it reads the same; single changes are added to
// it, a line cut short by a killed process is left out, and a table of many changes is
// written again whole.
TEST_F(FsFiles, TheAttributeTableKeepsItsEntriesThroughChanges) {
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        ASSERT_TRUE(fs::writeFile(std::string("C:\\Work\\") + name, "x"));
    const std::filesystem::path table = kv::machine::current().tableFolder() / "C.table";
    std::filesystem::create_directories(table.parent_path());
    std::ofstream(table, std::ios::binary) << "\t2\tWork/a.txt\n\t4\tWork/b.txt\n";
    auto expect = [](std::uint32_t a, std::uint32_t b, std::uint32_t c) {
        EXPECT_EQ(fs::getAttributes("C:\\Work\\a.txt"), a);
        EXPECT_EQ(fs::getAttributes("C:\\Work\\b.txt"), b);
        EXPECT_EQ(fs::getAttributes("C:\\Work\\c.txt"), c);
    };
    expect(fs::kAttrHidden, fs::kAttrSystem, fs::kAttrArchive);
    ASSERT_TRUE(fs::setAttributes("C:\\Work\\c.txt", fs::kAttrHidden));
    expect(fs::kAttrHidden, fs::kAttrSystem, fs::kAttrHidden);

    std::ofstream(table, std::ios::binary | std::ios::app) << "\t4\tWork/a.txt";
    expect(fs::kAttrHidden, fs::kAttrSystem, fs::kAttrHidden);
    ASSERT_TRUE(fs::setAttributes("C:\\Work\\b.txt", fs::kAttrNormal));
    expect(fs::kAttrHidden, fs::kAttrNormal, fs::kAttrHidden);

    // A file removed and made again has no attributes left from before.
    ASSERT_TRUE(fs::deleteFile("C:\\Work\\a.txt"));
    ASSERT_TRUE(fs::writeFile("C:\\Work\\a.txt", "x"));
    expect(fs::kAttrArchive, fs::kAttrNormal, fs::kAttrHidden);

    for (int i = 0; i < 500; ++i)
        ASSERT_TRUE(
            fs::setAttributes("C:\\Work\\b.txt", i % 2 ? fs::kAttrSystem : fs::kAttrHidden));
    expect(fs::kAttrArchive, fs::kAttrSystem, fs::kAttrHidden);
    EXPECT_LT(std::filesystem::file_size(table), 8192u);

    // Replaced by another process: read anew.
    std::ofstream(table, std::ios::binary | std::ios::trunc) << "\t2\tWork/c.txt\n";
    expect(fs::kAttrArchive, fs::kAttrArchive, fs::kAttrHidden);
}

// Two processes changing attributes of their own files at once lose none of the other's.
TEST_F(FsFiles, TheAttributeTableKeepsTheChangesOfTwoProcesses) {
    auto name = [](int owner, int i) {
        return "C:\\Work\\" + std::to_string(owner) + "_" + std::to_string(i) + ".txt";
    };
    for (int owner : {0, 1})
        for (int i = 0; i < 60; ++i)
            ASSERT_TRUE(fs::writeFile(name(owner, i), "x"));
    EXPECT_EQ(fs::getAttributes(name(0, 0)), fs::kAttrArchive);
    auto change = [&](int owner) {
        bool ok = true;
        for (int round = 0; round < 8; ++round)
            for (int i = 0; i < 60; ++i)
                ok = fs::setAttributes(name(owner, i),
                                       round == 7 && i % 2 ? fs::kAttrSystem : fs::kAttrHidden) &&
                     ok;
        return ok;
    };
    const pid_t child = ::fork();
    if (child == 0) ::_exit(change(1) ? 0 : 1);
    ASSERT_GT(child, 0);
    EXPECT_TRUE(change(0));
    int status = -1;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(status, 0);
    for (int owner : {0, 1})
        for (int i = 0; i < 60; ++i)
            EXPECT_EQ(fs::getAttributes(name(owner, i)), i % 2 ? fs::kAttrSystem : fs::kAttrHidden)
                << name(owner, i);
}

TEST_F(FsFiles, FoldersAreCreatedWithParentsAndRemovedWhenEmpty) {
    ASSERT_TRUE(fs::createFolders("c:\\work\\New Folder\\Deeper"));
    EXPECT_TRUE(fs::isDirectory("C:\\Work\\new folder\\DEEPER"));
    EXPECT_EQ(fs::longPath("C:\\work\\new folder\\deeper"), "C:\\Work\\New Folder\\Deeper");
    EXPECT_FALSE(fs::createFolder("C:\\Work\\Missing\\Child"));
    EXPECT_EQ(fs::lastError(), fs::kErrorPathNotFound);
    EXPECT_FALSE(fs::removeFolder("C:\\Work\\New Folder"));
    EXPECT_EQ(fs::lastError(), fs::kErrorDirNotEmpty);
    EXPECT_TRUE(fs::removeFolder("C:\\Work\\New Folder\\Deeper"));
    EXPECT_TRUE(fs::removeFolder("C:\\Work\\New Folder"));
}

TEST_F(FsFiles, DrivesReportTheirTypesAndSpace) {
    EXPECT_EQ(fs::driveType("C:\\"), kv::machine::kDriveFixed);
    EXPECT_EQ(fs::driveType("z:"), kv::machine::kDriveRemovable);
    EXPECT_EQ(fs::driveType("Q:\\"), kv::machine::kDriveNoRoot);
    // No root: the drive of the current folder (a path too long to be kept inline).
    ASSERT_TRUE(fs::createFolders("C:\\A folder with a long name\\and another one below"));
    ASSERT_TRUE(fs::setCurrentFolder("C:\\A folder with a long name\\and another one below"));
    EXPECT_EQ(fs::driveType(""), kv::machine::kDriveFixed);
    EXPECT_EQ(fs::logicalDrives(), (1u << 2) | (1u << 25));
    auto space = fs::diskSpace("C:\\Work");
    ASSERT_TRUE(space.has_value());
    EXPECT_GT(space->totalBytes, 0u);
    EXPECT_LE(space->freeBytes, space->totalBytes);
    EXPECT_FALSE(fs::diskSpace("Q:\\").has_value());
}

} // namespace

// Z: is the host root: readable, but every change there fails as on a CD-ROM.
TEST_F(FsFiles, HostRootIsWriteProtected) {
    const std::filesystem::path host = machine_.folder() / "host";
    std::filesystem::create_directories(host / "Folder");
    { std::ofstream(host / "a.txt") << "host"; }
    const std::string z = fs::machinePath(host);
    ASSERT_EQ(z.substr(0, 3), "Z:\\");
    const std::string a = z + "\\a.txt";
    ASSERT_TRUE(fs::writeFile("C:\\Work\\c.txt", "c"));
    const Operation changes[] = {
        {"create folder", [&] { return fs::createFolder(z + "\\New"); }},
        {"create folders", [&] { return fs::createFolders(z + "\\New\\Deeper"); }},
        {"remove folder", [&] { return fs::removeFolder(z + "\\Folder"); }},
        {"delete", [&] { return fs::deleteFile(a); }},
        {"write", [&] { return fs::writeFile(a, "new"); }},
        {"write new", [&] { return fs::writeFile(z + "\\b.txt", "new"); }},
        {"copy onto", [&] { return fs::copyFile("C:\\Work\\c.txt", z + "\\c.txt", false); }},
        {"copy over", [&] { return fs::copyFile("C:\\Work\\c.txt", a, false); }},
        {"move onto", [&] { return fs::moveFile("C:\\Work\\c.txt", z + "\\c.txt"); }},
        {"move away", [&] { return fs::moveFile(a, "C:\\Work\\a.txt"); }},
        {"rename", [&] { return fs::moveFile(a, z + "\\renamed.txt"); }},
        {"rename folder", [&] { return fs::moveFile(z + "\\Folder", z + "\\Other"); }},
        {"attributes", [&] { return fs::setAttributes(a, fs::kAttrReadOnly); }},
        {"times",
         [&] {
             return fs::setFileTimes(a, {0, 0, fs::fileTimeFromUnixNanos(0)});
         }},
        {"open for writing", [&] { return fs::File::open(a, fs::Access::Write).isOpen(); }},
        {"open always",
         [&] {
             return fs::File::open(z + "\\d.txt", fs::Access::Read, fs::Share::Shared,
                                   fs::Disposition::OpenAlways)
                 .isOpen();
         }},
    };
    for (const Operation& op : changes) {
        EXPECT_FALSE(op.run()) << op.name;
        EXPECT_EQ(fs::lastError(), fs::kErrorWriteProtect) << op.name;
    }
    EXPECT_EQ(fs::readFile(a), "host");
    EXPECT_TRUE(fs::exists("C:\\Work\\c.txt"));
    EXPECT_TRUE(std::filesystem::is_directory(host / "Folder"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(host), {}), 2);
    EXPECT_TRUE(fs::isWriteProtected(a));
    EXPECT_FALSE(fs::isWriteProtected("C:\\Work\\c.txt"));
    // Reading works: an open for reading, a copy to a machine drive, an existing folder.
    EXPECT_TRUE(fs::File::open(a, fs::Access::Read).isOpen());
    EXPECT_TRUE(fs::copyFile(a, "C:\\Work\\a.txt", false));
    EXPECT_EQ(fs::readFile("C:\\Work\\a.txt"), "host");
    EXPECT_TRUE(fs::createFolders(z + "\\Folder"));
}

// A process ended during a copy leaves its partial copy beside the target; the next copy
// into that folder by a live process removes it, and leaves a live process's alone.
TEST_F(FsFiles, PartialCopiesOfEndedProcessesGoWithTheNextCopyIntoTheirFolder) {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ASSERT_GT(child, 0);
    ::waitpid(child, nullptr, 0);
    ASSERT_TRUE(fs::createFolders("C:\\Swept"));
    ASSERT_TRUE(fs::writeFile("C:\\Work\\source.txt", "whole"));
    const std::filesystem::path host = fs::hostPath("C:\\Swept");
    const std::string ended = "a.dat.kvcopy" + std::to_string(child);
    const std::string live = "b.dat.kvcopy" + std::to_string(::getppid());
    std::ofstream(host / ended) << "part";
    std::ofstream(host / live) << "part";
    EXPECT_TRUE(fs::copyFile("C:\\Work\\source.txt", "C:\\Swept\\c.dat", false));
    EXPECT_FALSE(std::filesystem::exists(host / ended));
    EXPECT_TRUE(std::filesystem::exists(host / live));
    EXPECT_EQ(fs::readFile("C:\\Swept\\c.dat"), "whole");
}
