// The setup program run as a process on test machines: its start-up failures, each shown
// in one "Error" box (read back from the headless transcript). Also the command line's
// ".original" and ".info" files, read in this process.

#include "installer/setup/reset.h"
#include "installer/setup/script.h"
#include "installer/setup/setup_main.h"
#include "installer/setup/setup_state.h"

#include "installer/common/system_queries.h"
#include "platform/fs/path.h"
#include "platform/system/machine.h"
#include "platform/system/process.h"
#include "platform/system/testing/temp_machine.h"
#include "platform/ui/headless/headless.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace kv::installer {
namespace {

namespace fsys = std::filesystem;
using machine::testing::TempMachine;
using machine::testing::windowsProfile;

// A folder outside the machine's drives (so on Z:) holding a copy of setup.
class SetupProgram : public ::testing::Test {
protected:
    void start(const machine::Profile& profile) {
        machine_.emplace(profile);
        folder_ = machine_->folder() / "dist" / "app";
        fsys::create_directories(folder_);
        std::error_code ec;
        fsys::create_hard_link(KV_SETUP_EXE, folder_ / "setup", ec);
        if (ec) fsys::copy_file(KV_SETUP_EXE, folder_ / "setup");
    }
    void writeScript(const std::string& text) {
        std::ofstream(folder_ / "Setup.txt", std::ios::binary) << text;
    }
    // Runs setup and returns its transcript of boxes; `environment` goes before the rest.
    std::string run(const std::string& environment = "", int exitCode = 0) {
        const fsys::path transcript = machine_->folder() / "transcript.txt";
        const std::string command = environment + " KV_UI=headless KV_MACHINE='" +
                                    (machine_->folder() / "machine").string() +
                                    "' KV_UI_TRANSCRIPT='" + transcript.string() + "' '" +
                                    (folder_ / "setup").string() + "' >/dev/null 2>&1";
        const int status = std::system(command.c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == exitCode) << status;
        std::ifstream in(transcript, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }
    static std::string box(const std::string& text) { return "BOX Error\n" + text + "\n.\n"; }

    std::optional<TempMachine> machine_;
    fsys::path folder_;
};

machine::Profile profileOf(const char* release, bool admin) {
    machine::Profile p = windowsProfile(release);
    p.isAdmin = admin;
    return p;
}

TEST_F(SetupProgram, MissingScriptGivesOneBoxWithThePath) {
    start(machine::defaultProfile());
    const std::string path = fs::machinePath(folder_ / "Setup.txt");
    ASSERT_EQ(path.substr(0, 3), "Z:\\");
    EXPECT_EQ(run("", 1), box(path + "\nScript file not found.\nSetup Aborted!"));
}

TEST_F(SetupProgram, RunsUnderAUiScript) {
    start(windowsProfile("XP"));
    writeScript("SET_ALLOWED_OS(98)");
    const fsys::path ui = machine_->folder() / "ui.txt";
    std::ofstream(ui) << "box caption \"Error\" plain \"\\\"\\\" is not allowed to run on WinXP. "
                         "--- Setup Aborted!\" answer OK\n";
    run("KV_UI_SCRIPT='" + ui.string() + "'", 1); // as expected, and setup aborted
    writeScript("SET_ALLOWED_OS(XP)");
    std::ofstream(ui) << "";
    run("KV_UI_SCRIPT='" + ui.string() + "'", 0);
    std::ofstream(ui) << "box caption \"Error\" plain \"something else\"\n";
    run("KV_UI_SCRIPT='" + ui.string() + "'", 1);
}

TEST_F(SetupProgram, StartUpChecks) {
    struct Case {
        const char* release;
        bool admin;
        const char* script;
        const char* error; // null: no box
    };
    const Case cases[] = {
        {"XP", true, "SET_PROG_NAME(Demo)\nSET_ALLOWED_OS(95,98,ME)",
         "\"Demo\" is not allowed to run on WinXP. --- Setup Aborted!"},
        {"98", true, "SET_PROG_NAME(Demo)\nSET_ALLOWED_OS(95, 98)",
         "\"Demo\" is not allowed to run on Win98. --- Setup Aborted!"},
        {"98", true, "SET_ALLOWED_OS(95,98)", nullptr},
        {"2000", true, "SET_ALLOWED_OS(2000)", nullptr},
        {"2000", true, "SET_ALLOWED_OS(20)",
         "\"\" is not allowed to run on Win2000. --- Setup Aborted!"},
        {"98", false, "SET_TEST_ADMIN_RIGHTS", nullptr},
        {"ME", false, "SET_TEST_ADMIN_RIGHTS", nullptr},
        {"XP", true, "SET_TEST_ADMIN_RIGHTS", nullptr},
        {"XP", false, "SET_PROG_NAME(Demo)", nullptr},
        {"XP", false, "SET_TEST_ADMIN_RIGHTS",
         "Unable to install the program\nMake sure you have ADMINISTARTOR Rights on this PC!"},
        {"NT", false, "SET_TEST_ADMIN_RIGHTS",
         "Unable to install the program\nMake sure you have ADMINISTARTOR Rights on this PC!"},
        {"98", false, "SET_ALLOWED_OS(XP)\nSET_TEST_ADMIN_RIGHTS",
         "\"\" is not allowed to run on Win98. --- Setup Aborted!"},
    };
    for (const Case& c : cases) {
        start(profileOf(c.release, c.admin));
        writeScript(c.script);
        // An aborted setup ends with a failure code.
        EXPECT_EQ(run("", c.error ? 1 : 0), c.error ? box(c.error) : "")
            << c.release << ": " << c.script;
        machine_.reset();
    }
}

TEST_F(SetupProgram, UnknownLineIsReportedAndStartUpGoesOn) {
    start(windowsProfile("XP"));
    writeScript("SET_PROG_NAME(Demo)\r\nSET_BOGUS(1); note\r\nSET_ALLOWED_OS(98)\r\n");
    EXPECT_EQ(run("", 1), box("SET_BOGUS(1)\nUnrecognized command in Script file") +
                              box("\"Demo\" is not allowed to run on WinXP. --- Setup Aborted!"));
}

TEST_F(SetupProgram, MachineFolderThatCannotBeWrittenIsNamedOnce) {
    start(windowsProfile("XP"));
    writeScript("SET_ALLOWED_OS(XP)");
    const fsys::path m = machine_->folder() / "machine";
    struct Case {
        const char* name;
        std::function<void()> spoil;
    };
    const Case cases[] = {
        {"not a folder", [&] { std::ofstream(m) << "x"; }},
        {"run/locks not a folder",
         [&] {
             fsys::create_directories(m / "run");
             std::ofstream(m / "run" / "locks") << "x";
         }},
        {"run not a folder",
         [&] {
             fsys::create_directories(m);
             std::ofstream(m / "run") << "x";
         }},
    };
    for (const Case& c : cases) {
        fsys::remove_all(m);
        c.spoil();
        EXPECT_EQ(run("", 1), box("The machine folder \"" + m.string() + "\" cannot be written."))
            << c.name;
    }
    fsys::remove_all(m);
    fsys::create_directories(m);
    fsys::permissions(m, fsys::perms::owner_read | fsys::perms::owner_exec);
    const bool writable = ::access(m.c_str(), W_OK) == 0; // as root it stays writable
    if (!writable) {
        EXPECT_EQ(run("", 1), box("The machine folder \"" + m.string() + "\" cannot be written."));
    }
    fsys::permissions(m, fsys::perms::owner_all);
}

TEST_F(SetupProgram, DamagedHiveIsSetAsideAndReportedInABox) {
    start(windowsProfile("XP"));
    writeScript("SET_ALLOWED_OS(XP)");
    EXPECT_EQ(run(), "");
    const fsys::path hive = machine_->folder() / "machine" / "registry" / "user.hive";
    ASSERT_TRUE(fsys::exists(hive));
    std::ofstream(hive, std::ios::binary) << "not a hive";
    const std::string transcript = run();
    EXPECT_NE(transcript.find("BOX Error\nThe hive file \"" + hive.string() + "\" is damaged"),
              std::string::npos)
        << transcript;
    EXPECT_TRUE(fsys::exists(hive.string() + ".corrupt"));
    EXPECT_EQ(run(), ""); // rebuilt: nothing more to say
}

class CommandLine : public ::testing::Test {
protected:
    void TearDown() override {
        resetForTests();
        machine::resetForTests();
    }
    TempMachine machine_;
};

TEST_F(CommandLine, OriginalAndInfoFilesBesideTheNamedFile) {
    const fsys::path f = machine_.hostFolder('C') / "F";
    fsys::create_directories(f);
    std::ofstream(f / "App.original")
        << "[Directories]\r\nTargetDir=C:\\Apps\\Demo\r\nSharedDir=C:\\Shared\r\n";
    std::ofstream(f / "App.info") << "[NewSetup]\r\nBackgroundUpdate=1\r\n";
    fsys::create_directories(machine_.hostFolder('C') / "F G");
    fsys::copy_file(f / "App.original", machine_.hostFolder('C') / "F G" / "App.original");
    std::ofstream(f / "Other.info") << "[NewSetup]\r\nBackgroundUpdate=yes\r\n";
    struct Case {
        const char* argument;
        const char* target;
        bool background;
    };
    const Case cases[] = {
        {"/OriginalInfoFile=C:\\F\\App.xyz", "C:\\Apps\\Demo", true},
        {"/OriginalInfoFile=C:\\F G\\App.original", "C:\\Apps\\Demo", false},
        {"/OriginalInfoFile=C:\\F\\App", "C:\\Apps\\Demo", true},
        {"/OriginalInfoFile=C:\\F\\Other.txt", "", false},
        {"/OriginalInfoFile=C:\\F\\None.txt", "", false},
        {"/Other", "", false},
    };
    for (const Case& c : cases) {
        machine::setProgram(machine_.hostFolder('C') / "setup.exe", {c.argument});
        ui::headless::install();
        TScript script;
        script.LoadFromText("SET_PROG_NAME(x)");
        ReadCommandLine(script);
        EXPECT_EQ(setupState().presetTargetDir, c.target) << c.argument;
        EXPECT_EQ(setupState().presetCommonDir, *c.target ? "C:\\Shared" : "") << c.argument;
        EXPECT_EQ(setupState().presetAuxiliaryDir, "") << c.argument;
        EXPECT_EQ(setupState().backgroundUpdate, c.background) << c.argument;
        EXPECT_EQ(script.Flag(ScriptFlag::SilentSetup), c.background) << c.argument;
        TearDown();
    }
}

} // namespace
} // namespace kv::installer
