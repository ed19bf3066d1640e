#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "platform/fs/path.h"
#include "platform/fs/short_names.h"
#include "platform/system/machine.h"
#include "platform/system/testing/temp_machine.h"

namespace {

namespace fs = kv::fs;

class FsPath : public ::testing::Test {
protected:
    void SetUp() override { fs::resetForTests(); }
    void TearDown() override { fs::resetForTests(); }
    std::filesystem::path c() const { return kv::machine::current().driveFolder('C'); }
    void touch(const std::filesystem::path& p) { std::ofstream(p) << "x"; }
    kv::machine::testing::TempMachine machine_;
};

TEST_F(FsPath, FullPathNormalises) {
    ASSERT_TRUE(fs::setCurrentFolder("c:\\windows"));
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"C:\\a\\.\\b\\..\\c", "C:\\a\\c"},
        {"c:/x/y", "C:\\x\\y"},
        {"sub\\f.txt", "C:\\windows\\sub\\f.txt"},
        {"\\root.ini", "C:\\root.ini"},
        {"C:rel", "C:\\windows\\rel"},
        {"D:rel", "D:\\rel"},
        {"C:\\a\\..\\..\\b", "C:\\b"},
        {"C:\\name. \\x", "C:\\name\\x"},
        {"C:\\bad?name", ""},
        {"\\\\server\\share", ""},
        {"", ""},
    };
    for (const Case& k : cases)
        EXPECT_EQ(fs::fullPath(k.in), k.out) << k.in;
}

TEST_F(FsPath, MixedCaseFindsExistingAndNewComponentsKeepTheirCase) {
    touch(c() / "WINDOWS/system32/Kernel32.DLL");
    EXPECT_EQ(fs::hostPath("c:\\windows\\SYSTEM32\\kernel32.dll"),
              c() / "WINDOWS/system32/Kernel32.DLL");
    EXPECT_EQ(fs::hostPath("C:\\program files\\NewApp\\ReadMe.TXT"),
              c() / "Program Files/NewApp/ReadMe.TXT");
    EXPECT_EQ(fs::longPath("c:\\windows\\SYSTEM32\\kernel32.dll"),
              "C:\\WINDOWS\\system32\\Kernel32.DLL");
    EXPECT_TRUE(fs::hostPath("Q:\\nothing").empty()); // no such drive
}

TEST_F(FsPath, ZPathRoundTripsAHostPath) {
    std::filesystem::path host = machine_.folder() / "Some Dir";
    std::filesystem::create_directories(host);
    std::string z = fs::machinePath("/tmp");
    EXPECT_EQ(z, "Z:\\tmp");
    EXPECT_EQ(fs::hostPath(z), "/tmp");
    // A host path inside drive C:'s folder maps to C:.
    EXPECT_EQ(fs::machinePath(c() / "WINDOWS/Fonts"), "C:\\WINDOWS\\Fonts");
    std::string m = fs::machinePath(host);
    EXPECT_EQ(m.substr(0, 3), "Z:\\");
    EXPECT_EQ(fs::hostPath(m), host);
    EXPECT_EQ(fs::hostPath("Z:\\"), "/");
}

TEST_F(FsPath, ShortNamesAreStableMapBackAndSurviveANewProcess) {
    for (const char* name : {"Program Data", "Programs Two", "readme.txt", "Setup Files.html"})
        touch(c() / name);
    EXPECT_EQ(fs::shortPath("C:\\Program Files"), "C:\\PROGRA~1"); // given when first asked
    EXPECT_EQ(fs::givenShortName("C:\\Program Data"), "");         // not asked yet
    EXPECT_EQ(fs::shortPath("C:\\Program Data"), "C:\\PROGRA~2");
    EXPECT_EQ(fs::givenShortName("c:\\program data"), "PROGRA~2");
    EXPECT_EQ(fs::givenShortName("C:\\readme.txt"), "readme.txt");
    EXPECT_EQ(fs::givenShortName("C:\\no such file"), "");
    EXPECT_EQ(fs::shortPath("C:\\Program Files"), "C:\\PROGRA~1"); // stable
    EXPECT_EQ(fs::shortPath("c:\\readme.txt"), "C:\\readme.txt");  // fits 8.3 already
    EXPECT_EQ(fs::shortPath("C:\\setup files.html"), "C:\\SETUPF~1.HTM");
    EXPECT_EQ(fs::shortPath("C:\\Program Files\\Common Files"), "C:\\PROGRA~1\\COMMON~1");
    EXPECT_EQ(fs::longPath("c:\\progra~1\\common~1"), "C:\\Program Files\\Common Files");
    EXPECT_EQ(fs::shortPath("C:\\no such file"), "");

    // A fresh process sees the same names from the drive's table.
    pid_t child = fork();
    if (child == 0) {
        kv::machine::resetForTests();
        fs::resetForTests();
        bool same = fs::longPath("C:\\PROGRA~3") == "C:\\Programs Two" &&
                    fs::shortPath("C:\\Program Data") == "C:\\PROGRA~2";
        _exit(same ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

} // namespace
