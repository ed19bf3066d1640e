// The programs setup starts after its window: the launch file opened through the shell in
// its folder, then the second program started hidden from its own folder, in that order.

#include "installer/common/tests/machine_helpers.h"
#include "installer/setup/english.h"
#include "installer/setup/reset.h"
#include "installer/setup/setup_main.h"
#include "installer/setup/setup_state.h"

#include "platform/fs/files.h"
#include "platform/fs/path.h"
#include "platform/process/exec.h"
#include "platform/process/processes.h"
#include "platform/system/process.h"
#include "platform/system/testing/temp_machine.h"
#include "platform/ui/application.h"
#include "platform/ui/headless/headless.h"
#include "platform/ui/user_input.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

namespace kv::installer {
namespace {

// A program that writes its current folder to the file, then stays until "stop" appears in
// C:\Out (bounded), so that both are listed at once.
void writeProgram(const std::string& path, const std::string& out) {
    ASSERT_TRUE(fs::createFolders(fs::folderPart(path)));
    ASSERT_TRUE(fs::writeFile(path, "#!/bin/sh\npwd > '" + fs::hostPath(out).string() +
                                        "'\nn=0; while [ ! -e '" +
                                        fs::hostPath("C:\\Out\\stop").string() +
                                        "' ] && [ $n -lt 200 ]; do sleep 0.05; "
                                        "n=$((n+1)); done\n"));
    ::chmod(fs::hostPath(path).c_str(), 0755);
}

// The file's first line once it has one (bounded).
std::string awaitLine(const std::string& path) {
    for (int i = 0; i < 300; ++i) {
        std::ifstream in(fs::hostPath(path));
        std::string line;
        if (in && std::getline(in, line) && !line.empty()) return line;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return {};
}

class StartChosenProgramsTest : public ::testing::Test {
protected:
    StartChosenProgramsTest() { fs::createFolders("C:\\Out"); }
    ~StartChosenProgramsTest() override {
        fs::writeFile("C:\\Out\\stop", "x");
        for (int id : process::processIds())
            process::TerminateProcess(id, 0);
        resetForTests();
    }
    machine::testing::TempMachine machine_;
};

TEST_F(StartChosenProgramsTest, LaunchFileFirstThenTheSecondProgramHidden) {
    struct Case {
        const char* launchFolder;
        const char* launchRunsIn;
    } cases[] = {{"", "C:\\Apps\\Demo"}, {"C:\\Work Dir", "C:\\Work Dir"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.launchFolder);
        fs::deleteFile("C:\\Out\\stop");
        fs::createFolders("C:\\Work Dir");
        writeProgram("C:\\Apps\\Demo\\Launch.exe", "C:\\Out\\launch.txt");
        writeProgram("C:\\Apps\\Update Folder\\Update.exe", "C:\\Out\\second.txt");
        SetupState& state = setupState();
        state.launchFile = "C:\\Apps\\Demo\\Launch.exe";
        state.launchFolder = c.launchFolder;
        state.secondProgram = "C:\\Apps\\Update Folder\\Update.exe";
        StartChosenPrograms();

        const std::vector<int> ids = process::processIds();
        ASSERT_EQ(ids.size(), 2u);
        EXPECT_EQ(process::processImagePath(ids[0]), "C:\\Apps\\Demo\\Launch.exe");
        EXPECT_EQ(process::processShowMode(ids[0]), 5);
        EXPECT_EQ(process::processImagePath(ids[1]), "C:\\Apps\\Update Folder\\Update.exe");
        EXPECT_EQ(process::processShowMode(ids[1]), process::kShowHide);
        EXPECT_EQ(awaitLine("C:\\Out\\launch.txt"), fs::hostPath(c.launchRunsIn).string());
        EXPECT_EQ(awaitLine("C:\\Out\\second.txt"),
                  fs::hostPath("C:\\Apps\\Update Folder").string());

        fs::writeFile("C:\\Out\\stop", "x");
        for (int id : ids)
            process::TerminateProcess(id, 0);
        fs::deleteFile("C:\\Out\\launch.txt");
        fs::deleteFile("C:\\Out\\second.txt");
    }
}

// SetupMain starts them once its window is gone: after the message loop, after a "Setup
// Start" stage that ends setup before any window, and after a start-up failure (before its
// box).
TEST_F(StartChosenProgramsTest, SetupMainStartsThemAfterItsWindowAndAfterAnAbort) {
    // An execute record of "Setup Start" whose operation is "Exit".
    const std::string exitAtStart =
        "SET_PERFORM_EXECUTE_OP(" +
        testing::execRecord({{1, "quit"}, {2, "Setup Start"}, {4, "1"}, {19, "1"}, {20, "Exit"}}) +
        ")\n";
    struct Case {
        const char* name;
        std::string script; // none: no Setup.txt
        int exitCode;
    } cases[] = {
        {"the loop ends", "SET_DIALOGS(WelcomeDlg)\n", 0},
        {"Setup Start exits", "SET_DIALOGS(WelcomeDlg)\n" + exitAtStart, 0},
        {"no script", "", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::deleteFile("C:\\Out\\stop");
        fs::deleteFile("C:\\Setup\\Setup.txt");
        ui::headless::HeadlessBackend& ui = ui::headless::install();
        machine::setProgram(machine_.hostFolder('C') / "Setup" / "setup.exe", {});
        AddEnglishResource();
        if (!c.script.empty()) {
            ASSERT_TRUE(fs::createFolders("C:\\Setup"));
            ASSERT_TRUE(fs::writeFile("C:\\Setup\\Setup.txt", c.script));
        } else {
            ui.expectBox({.caption = "Error"});
        }
        writeProgram("C:\\Apps\\Demo\\Launch.exe", "C:\\Out\\launch.txt");
        writeProgram("C:\\Apps\\Update Folder\\Update.exe", "C:\\Out\\second.txt");
        SetupState& state = setupState();
        state.launchFile = "C:\\Apps\\Demo\\Launch.exe";
        state.secondProgram = "C:\\Apps\\Update Folder\\Update.exe";
        // While the wizard waits for the user nothing has started; Next ends its one page.
        int waits = 0;
        ui.setIdleHandler([&] {
            ++waits;
            EXPECT_TRUE(process::processIds().empty());
            if (ui::Form* wizard = ui::app().mainForm()) {
                return ui::user::click(*wizard->find("NextButton"));
            }
            return false;
        });
        EXPECT_EQ(SetupMain(), c.exitCode);
        EXPECT_EQ(waits > 0, std::string(c.name) == "the loop ends");

        const std::vector<int> ids = process::processIds();
        ASSERT_EQ(ids.size(), 2u);
        EXPECT_EQ(process::processImagePath(ids[0]), "C:\\Apps\\Demo\\Launch.exe");
        EXPECT_EQ(process::processImagePath(ids[1]), "C:\\Apps\\Update Folder\\Update.exe");
        EXPECT_EQ(ui.finish(), "");
        fs::writeFile("C:\\Out\\stop", "x");
        for (int id : ids)
            process::TerminateProcess(id, 0);
        resetForTests();
        ui::resetForTests();
    }
}

TEST_F(StartChosenProgramsTest, NothingChosenStartsNothing) {
    StartChosenPrograms();
    EXPECT_TRUE(process::processIds().empty());
}

} // namespace
} // namespace kv::installer
