#include "installer/common/file_ops.h"
#include "installer/common/folders.h"
#include "installer/common/internal/machine_files.h"
#include "installer/common/registry_primitives.h"
#include "installer/common/reset.h"
#include "machine_helpers.h"
#include "platform/fs/attributes.h"
#include "platform/fs/file.h"
#include "platform/fs/path.h"
#include "platform/system/testing/temp_machine.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kv::installer {
namespace {

using machine::testing::TempMachine;
using testing::makeFile;
using testing::makeFolder;
namespace in = internal;

std::string content(const std::string& path) {
    std::ifstream file(in::hostPathOf(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

TEST(FileOps, AppendTextToFile) {
    TempMachine m;
    EXPECT_TRUE(AppendTextToFile("C:\\Logs\\..\\a.log", "one", 0));
    makeFolder("C:\\Logs");
    EXPECT_TRUE(AppendTextToFile("C:\\Logs\\a.log", "one\r\n", 0));
    // 1 January 2020 00:00 UTC in the platform's units.
    const std::uint64_t date = 132223104000000000ull;
    EXPECT_TRUE(AppendTextToFile("c:\\LOGS\\A.LOG", "two\r\n", date));
    EXPECT_EQ(content("C:\\Logs\\a.log"), "one\r\ntwo\r\n");
    const auto when = std::filesystem::last_write_time(m.hostFolder('C') / "Logs" / "a.log");
    EXPECT_EQ(std::chrono::duration_cast<std::chrono::seconds>(
                  std::chrono::file_clock::to_sys(when).time_since_epoch())
                  .count(),
              1577836800);
    EXPECT_FALSE(AppendTextToFile("C:\\Missing\\a.log", "x", 0));
    EXPECT_FALSE(AppendTextToFile("Q:\\a.log", "x", 0));
}

TEST(FileOps, DiskFreeSpace) {
    TempMachine m;
    EXPECT_GT(DiskFreeSpace("c:\\anything"), 0.0);
    EXPECT_EQ(DiskFreeSpace("Q:\\"), -1.0);
}

TEST(FileOps, DeleteTreeWithReadOnlyFiles) {
    for (const bool clear : {false, true}) {
        TempMachine m;
        makeFile("C:\\App\\a.txt");
        makeFile("C:\\App\\Sub\\ro.dll");
        makeFile("C:\\App\\Sub\\rw.dll");
        makeFile("C:\\App\\Other\\b.txt");
        ASSERT_TRUE(in::setReadOnly("C:\\App\\Sub\\ro.dll", true));
        DeleteTree("C:\\App", clear);
        // Without the flag the read-only file stays, and with it its folders.
        EXPECT_EQ(in::folderExists("C:\\App"), !clear) << clear;
        EXPECT_EQ(in::fileExists("C:\\App\\Sub\\ro.dll"), !clear) << clear;
        EXPECT_FALSE(in::fileExists("C:\\App\\Sub\\rw.dll")) << clear;
        EXPECT_FALSE(in::fileExists("C:\\App\\a.txt")) << clear;
        EXPECT_FALSE(in::folderExists("C:\\App\\Other")) << clear;
    }
    TempMachine m;
    makeFile("C:\\Keep\\k.txt");
    DeleteTree("", true);
    EXPECT_TRUE(in::fileExists("C:\\Keep\\k.txt"));
}

TEST(FileOps, DeleteByMask) {
    TempMachine m;
    makeFile("C:\\T\\a.tmp");
    makeFile("C:\\T\\b.TMP");
    makeFile("C:\\T\\c.txt");
    makeFile("C:\\T\\Sub\\d.tmp");
    in::setReadOnly("C:\\T\\b.TMP", true);
    DeleteByMask("C:\\T\\*.tmp", false);
    EXPECT_FALSE(in::fileExists("C:\\T\\a.tmp"));
    EXPECT_TRUE(in::fileExists("C:\\T\\b.TMP"));
    DeleteByMask("C:\\T\\*.tmp", true);
    EXPECT_FALSE(in::fileExists("C:\\T\\b.TMP"));
    EXPECT_TRUE(in::fileExists("C:\\T\\c.txt"));
    EXPECT_TRUE(in::fileExists("C:\\T\\Sub\\d.tmp"));
}

TEST(FileOps, DeletesIncludeHiddenAndSystemFilesButNotFilesInUse) {
    TempMachine m;
    makeFile("C:\\T\\hidden.sys");
    makeFile("C:\\T\\held.dll");
    makeFile("C:\\T\\Sub\\x.txt");
    ASSERT_TRUE(fs::setAttributes("C:\\T\\hidden.sys", fs::kAttrHidden | fs::kAttrSystem));
    {
        fs::File held = fs::File::open("C:\\T\\held.dll", fs::Access::Read, fs::Share::Exclusive);
        ASSERT_TRUE(held.isOpen());
        DeleteTree("C:\\T", true);
        EXPECT_FALSE(in::fileExists("C:\\T\\hidden.sys"));
        EXPECT_FALSE(in::folderExists("C:\\T\\Sub"));
        EXPECT_TRUE(in::fileExists("C:\\T\\held.dll"));
        EXPECT_FALSE(AppendTextToFile("C:\\T\\held.dll", "x", 0));
    }
    DeleteTree("C:\\T", false);
    EXPECT_FALSE(in::folderExists("C:\\T"));
}

TEST(FileOps, CopyTree) {
    TempMachine m;
    makeFile("C:\\Src\\a.txt", "new");
    makeFile("C:\\Src\\Sub\\Deeper\\b.txt", "b");
    makeFile("C:\\Dst\\a.txt", "old");
    CopyTree("C:\\Src", "C:\\Dst");
    EXPECT_EQ(content("C:\\Dst\\a.txt"), "new");
    EXPECT_EQ(content("C:\\Dst\\Sub\\Deeper\\b.txt"), "b");
    CopyTree("C:\\Src", "D:\\Nowhere"); // no such drive: nothing happens
    // The same folder in another case copies nothing.
    makeFile("C:\\Src\\c.txt", "c");
    CopyTree("C:\\Src", "c:\\SRC");
    CopyTree("C:\\Missing", "C:\\New\\Tree");
    EXPECT_FALSE(in::folderExists("C:\\New"));
    CopyTree("C:\\Src", "C:\\New\\Tree");
    EXPECT_EQ(content("C:\\New\\Tree\\c.txt"), "c");
    CopyTree("C:\\Src", "c:\\src\\Copy"); // into itself: nothing, rather than no end
    EXPECT_FALSE(in::folderExists("C:\\Src\\Copy"));
}

TEST(FileOps, TreeWalksDoNotFollowHostLinks) {
    TempMachine m;
    makeFile("C:\\Keep\\precious.txt", "keep");
    makeFile("C:\\Doomed\\a.txt", "a");
    std::filesystem::create_directory_symlink(m.hostFolder('C') / "Keep",
                                              m.hostFolder('C') / "Doomed" / "link");
    DeleteTree("C:\\Doomed", true);
    EXPECT_FALSE(in::folderExists("C:\\Doomed"));
    EXPECT_EQ(content("C:\\Keep\\precious.txt"), "keep");
}

TEST(FileOps, TreeRoutinesLeaveDriveRootsAlone) {
    TempMachine m;
    makeFile("C:\\a.txt");
    makeFile("C:\\Sub\\b.txt");
    makeFile("C:\\Src\\s.txt");
    ASSERT_TRUE(fs::setCurrentFolder("C:\\Sub"));
    for (const char* root : {"C:\\", "c:\\", "\\", "C:\\Sub\\..", "C:\\Sub\\..\\"}) {
        DeleteTree(root, true);
        DeleteByMask(std::string(root) + "\\*.*", true);
        CopyTree("C:\\Src", root);
    }
    DeleteByMask("C:\\*.txt", true);
    EXPECT_TRUE(in::fileExists("C:\\a.txt"));
    EXPECT_TRUE(in::fileExists("C:\\Sub\\b.txt"));
    EXPECT_FALSE(in::fileExists("C:\\s.txt"));
    DeleteByMask("C:\\Sub\\*.txt", true);
    EXPECT_FALSE(in::fileExists("C:\\Sub\\b.txt"));
    fs::resetForTests();
}

// With the common folder unset, "<Common Folder>x" is "\\x": on the host when the current
// folder is on Z:. The host is never changed.
TEST(FileOps, UnsetFolderVariableNeverChangesTheHost) {
    TempMachine m;
    resetCommonForTests();
    const std::filesystem::path host = m.folder() / "host";
    std::filesystem::create_directories(host / "tmp" / "x" / "sub");
    std::ofstream(host / "tmp" / "x" / "keep.txt") << "keep";
    std::ofstream(host / "tmp" / "x" / "sub" / "keep.txt") << "keep";
    makeFile("C:\\Src\\s.txt");
    const std::string z = fs::machinePath(host);
    ASSERT_EQ(z.substr(0, 3), "Z:\\");
    ASSERT_TRUE(fs::setCurrentFolder(z));
    const std::string folder = ExpandFolderVars("<Common Folder>" + z.substr(3) + "\\tmp\\x");
    ASSERT_EQ(folder.substr(0, 1), "\\");
    ASSERT_TRUE(in::folderExists(folder));
    DeleteTree(folder, true);
    DeleteByMask(folder + "\\*.*", true);
    CopyTree("C:\\Src", folder + "\\copy");
    CopyTree("C:\\Src", folder);
    EXPECT_EQ(content(folder + "\\keep.txt"), "keep");
    EXPECT_TRUE(std::filesystem::exists(host / "tmp" / "x" / "sub" / "keep.txt"));
    EXPECT_FALSE(std::filesystem::exists(host / "tmp" / "x" / "copy"));
    EXPECT_FALSE(std::filesystem::exists(host / "tmp" / "x" / "s.txt"));
    EXPECT_FALSE(AppendTextToFile(folder + "\\keep.txt", "more", 0));
    EXPECT_FALSE(IniWriteString(folder + "\\a.ini", "S", "k", "v"));
    EXPECT_FALSE(std::filesystem::exists(host / "tmp" / "x" / "a.ini"));
    fs::resetForTests();
}

TEST(FileOps, WildcardTargetName) {
    struct Case {
        const char* source;
        const char* pattern;
        const char* name;
    };
    const Case cases[] = {
        {"a.txt", "C:\\Dst\\*.*", "a.txt"},           {"a.txt", "C:\\Dst\\", "a.txt"},
        {"a.txt", "C:\\Dst\\*.bak", "a.bak"},         {"a.b.txt", "*.bak", "a.b.bak"},
        {"a.txt", "C:\\Dst\\new*", "new.txt"},        {"noext", "new*", "new"},
        {"a.txt", "C:\\Dst\\fixed.dat", "fixed.dat"}, {"noext", "*.bak", "noext.bak"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WildcardTargetName(c.source, c.pattern), c.name) << c.pattern;
}

TEST(FileOps, CopyFiles) {
    TempMachine m;
    makeFile("C:\\Src\\a.txt", "a");
    makeFile("C:\\Src\\b.txt", "b");
    makeFile("C:\\Src\\c.log", "c");
    makeFolder("C:\\Dst");
    struct Case {
        const char* target;
        bool create;
        int copied;
        std::vector<const char*> files;
    };
    const Case cases[] = {
        {"C:\\Dst", false, 2, {"C:\\Dst\\a.txt", "C:\\Dst\\b.txt"}},
        {"C:\\Dst\\*.bak", false, 2, {"C:\\Dst\\a.bak", "C:\\Dst\\b.bak"}},
        // Both files go to the same name; each copy counts.
        {"C:\\Dst\\new*", false, 2, {"C:\\Dst\\new.txt"}},
        {"C:\\Gone\\", false, 0, {}},
        {"C:\\Made\\Deep\\", true, 2, {"C:\\Made\\Deep\\a.txt", "C:\\Made\\Deep\\b.txt"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CopyFiles("C:\\Src\\*.txt", c.target, c.create), c.copied) << c.target;
        for (const char* file : c.files)
            EXPECT_TRUE(in::fileExists(file)) << c.target << " " << file;
    }
    EXPECT_FALSE(in::folderExists("C:\\Gone"));
    EXPECT_FALSE(in::fileExists("C:\\Dst\\c.log"));
    // A plain copy overwrites, but not a read-only target.
    EXPECT_EQ(CopyFiles("C:\\Src\\c.log", "C:\\Dst\\a.txt", false), 1);
    EXPECT_EQ(content("C:\\Dst\\a.txt"), "c");
    in::setReadOnly("C:\\Dst\\a.txt", true);
    EXPECT_EQ(CopyFiles("C:\\Src\\b.txt", "C:\\Dst\\a.txt", false), 0);
    EXPECT_EQ(CopyFiles("C:\\Src\\none.txt", "C:\\Dst\\x.txt", false), 0);
}

TEST(FileOps, MoveFiles) {
    TempMachine m;
    makeFile("C:\\Src\\a.txt");
    makeFile("C:\\Src\\b.txt");
    makeFolder("C:\\Other");
    // A wildcard renames inside the source folder, whatever folder the target names.
    EXPECT_EQ(MoveFiles("C:\\Src\\*.txt", "C:\\Other\\*.old"), 2);
    EXPECT_TRUE(in::fileExists("C:\\Src\\a.old"));
    EXPECT_TRUE(in::fileExists("C:\\Src\\b.old"));
    EXPECT_FALSE(in::fileExists("C:\\Other\\a.old"));
    // A plain rename may move the file.
    EXPECT_EQ(MoveFiles("C:\\Src\\a.old", "C:\\Other\\a.txt"), 1);
    EXPECT_TRUE(in::fileExists("C:\\Other\\a.txt"));
    EXPECT_EQ(MoveFiles("C:\\Src\\a.old", "C:\\Other\\a.txt"), 0);
}

TEST(FileOps, RenameDirectory) {
    TempMachine m;
    makeFile("C:\\Apps\\Old\\x.txt");
    makeFolder("C:\\Elsewhere");
    struct Case {
        const char* folder;
        const char* target;
        bool renamed;
        const char* result;
    };
    const Case cases[] = {
        {"C:\\Apps\\Old", "New", true, "C:\\Apps\\New\\x.txt"},
        {"C:\\Apps\\New", "C:\\Elsewhere\\Moved", true, "C:\\Elsewhere\\Moved\\x.txt"},
        {"C:\\Apps\\Old", "Again", false, nullptr},
        {"C:\\Elsewhere\\Moved", "C:\\NoParent\\X", false, nullptr},
        {"C:\\Elsewhere\\Moved", "C:\\Apps\\", false, nullptr},
    };
    ::testing::internal::CaptureStdout();
    for (const Case& c : cases) {
        EXPECT_EQ(RenameDirectory(c.folder, c.target), c.renamed) << c.target;
        if (c.result) {
            EXPECT_TRUE(in::fileExists(c.result)) << c.target;
        }
    }
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              ">C:\\Apps\\Old<    >C:\\Apps\\New<\n"
              ">C:\\Apps\\New<    >C:\\Elsewhere\\Moved<\n");
}

TEST(FileOps, FindInTree) {
    TempMachine m;
    makeFile("C:\\Root\\b\\hit.txt");
    makeFile("C:\\Root\\A\\x\\hit.txt");
    makeFolder("C:\\Root\\A\\hit.txt\\inner");
    // The path is formed from the name as asked for.
    EXPECT_EQ(FindFileInTree("C:\\Root", "HIT.TXT"), "C:\\Root\\A\\x\\HIT.TXT");
    EXPECT_EQ(FindFileInTree("C:\\Root", "none"), "");
    EXPECT_EQ(FindDirInTree("C:\\Root", "x"), "C:\\Root\\A\\x");
    EXPECT_EQ(FindDirInTree("C:\\Root", "root"), "C:\\Root");
    EXPECT_EQ(FindDirInTree("C:\\Root", ""), "");
}

} // namespace
} // namespace kv::installer
