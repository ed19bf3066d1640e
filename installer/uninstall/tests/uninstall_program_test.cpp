// The uninstall program run as a process on test machines, headless: the boxes it shows
// (read back from the transcript), what a UI script sees of its window and what it leaves
// on the machine.

#include "installer/common/process_ops.h"
#include "platform/fs/files.h"
#include "platform/fs/path.h"
#include "platform/process/exec.h"
#include "platform/system/process.h"
#include "platform/system/testing/temp_machine.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>

namespace kv::installer::uninstall {
namespace {

namespace fsys = std::filesystem;
using machine::testing::TempMachine;

std::string readHost(const fsys::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// A copy of uninstall, either on Z: (a host folder outside the machine's drives) or in
// C:\App, where it may delete files.
class UninstallProgram : public ::testing::Test {
protected:
    UninstallProgram() : machine_(machine::testing::windowsProfile("XP")) {}
    ~UninstallProgram() override {
        for (int id; (id = FindProcessNT(kXProgram, true)) != 0;)
            process::TerminateProcess(id, 0);
    }

    void install(const fsys::path& folder, const std::string& name) {
        fsys::create_directories(folder);
        exe_ = folder / name;
        std::error_code ec;
        fsys::create_hard_link(KV_UNINSTALL_EXE, exe_, ec);
        if (ec) fsys::copy_file(KV_UNINSTALL_EXE, exe_);
    }
    void installOnC() {
        install(machine_.hostFolder('C') / "App", "UnInstall.exe");
        machine::setProgram(exe_, {});
    }
    void writeScript(const std::string& text) {
        std::ofstream(fsys::path(exe_).replace_extension(".txt"), std::ios::binary) << text;
    }
    // Runs uninstall and returns its transcript of boxes, or with a UI script the transcript
    // of the script; `ui` is the UI script's text, none for a run without one.
    std::string run(const std::optional<std::string>& ui = std::nullopt, int exitCode = 0) {
        const fsys::path transcript = machine_.folder() / "transcript.txt";
        const fsys::path script = machine_.folder() / "ui.txt";
        std::string environment = "KV_UI=headless KV_UI_TRANSCRIPT='" + transcript.string() + "'";
        if (ui) {
            std::ofstream(script) << *ui;
            environment += " KV_UI_SCRIPT='" + script.string() + "'";
        }
        const std::string command =
            environment + " '" + exe_.string() + "' >'" + transcript.string() + ".out' 2>&1";
        const int status = std::system(command.c_str());
        const std::string out =
            readHost(ui ? fsys::path(transcript.string() + ".out") : transcript);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == exitCode) << status << "\n" << out;
        return out;
    }

    static constexpr const char* kXProgram = "C:\\App\\X_Update.exe";
    TempMachine machine_;
    fsys::path exe_;
};

TEST_F(UninstallProgram, StartedUnderAnotherNameLooksForThatNamesScript) {
    install(machine_.folder() / "dist", "Remover.exe");
    writeScript("PROG_NAME=Demo\r\n"); // beside it, but under the other name
    std::ofstream(machine_.folder() / "dist" / "UnInstall.txt") << "PROG_NAME=Demo\r\n";
    fsys::remove(fsys::path(exe_).replace_extension(".txt"));
    const std::string path = fs::machinePath(machine_.folder() / "dist" / "Remover.txt");
    ASSERT_EQ(path.substr(0, 3), "Z:\\");
    EXPECT_EQ(run(std::nullopt, 1),
              "BOX Error\n" + path + "\nScript file not found.\nUnInstall aborted!\n.\n");
}

TEST_F(UninstallProgram, NoLeavesEverythingWithTheQuestionAsWritten) {
    installOnC();
    for (const char* charset : {"0", "178"}) {
        writeScript(std::string("CHAR_SET=") + charset +
                    "\r\nCONFIRM_CAPTION=Confirm\r\nCONFIRM_TEXT=Remove\\nall of\r\n"
                    "PROG_NAME=Demo\r\nGET_AUTO_UPDATE_EXE_FILE_NAME=Update.exe\r\n");
        fs::writeFile("C:\\App\\Update.exe", "u");
        fs::writeFile(kXProgram, "x");
        const std::string style = std::string(charset) == "0" ? "0x24" : "0x180024";
        const std::string out =
            run("box caption \"Confirm\" text \"\\r\\n\\r\\nRemove\\r\\nall of \\\"Demo\\\" "
                "?\\r\\n\\r\\n\" style " +
                style + " answer No\n");
        EXPECT_EQ(out.find("show MainForm"), std::string::npos) << out;
        for (const char* f :
             {"C:\\App\\UnInstall.exe", "C:\\App\\UnInstall.txt", "C:\\App\\Update.exe", kXProgram})
            EXPECT_TRUE(fs::exists(f)) << f;
    }
}

TEST_F(UninstallProgram, EndsTheXProgramAndShowsTheWindow) {
    installOnC();
    writeScript("PROG_NAME=Demo\r\nGET_AUTO_UPDATE_EXE_FILE_NAME=Update.exe\r\n"
                "S1=Removes <b>PROG_NAME</b>, not prog_name.\r\n");
    fs::writeFile("C:\\App\\Update.exe", "u");
    fs::writeFile(kXProgram, "#!/bin/sh\nsleep 60\n");
    ::chmod(fs::hostPath(kXProgram).c_str(), 0755);
    ASSERT_NE(process::startProgram(std::string("\"") + kXProgram + "\"", 1).id, 0);
    ASSERT_NE(FindProcessNT(kXProgram, true), 0);
    const std::string out =
        run("box caption \"\" answer Yes\n"
            "idle\n"
            "  expect MainForm caption \"UnInstall - Demo\"\n"
            "  expect MainForm rightToLeft \"false\"\n"
            "  expect MainForm.RichEdit1 text \"Removes Demo, not prog_name.\"\n"
            "  expect MainForm.RichEdit1 boldRuns \"8+4\"\n"
            "  expect MainForm.Panel1 visible \"true\"\n"
            "  expect MainForm.Memo1 visible \"false\"\n"
            "  expect MainForm.CloseButton enabled \"false\"\n"
            "  close MainForm\n"
            "end\n");
    EXPECT_NE(out.find("all as expected"), std::string::npos) << out;
    EXPECT_EQ(FindProcessNT(kXProgram, true), 0);
    EXPECT_FALSE(fs::exists(kXProgram));
    EXPECT_FALSE(fs::exists("C:\\App\\Update.exe"));
}

TEST_F(UninstallProgram, RightToLeftAndTestMode) {
    installOnC();
    writeScript("CHAR_SET=178\r\nPROG_NAME=Demo\r\n");
    fs::writeFile("C:\\Setup.tst", "");
    const std::string out = run("box style 0x180024 answer Yes\n"
                                "idle\n"
                                "  expect MainForm rightToLeft \"true\"\n"
                                "  expect MainForm.Image1 left \"286\"\n"
                                "  expect MainForm.Image6 left \"286\"\n"
                                "  expect MainForm.RichEdit1 rightToLeft \"true\"\n"
                                "  expect MainForm.Label1 rightToLeft \"true\"\n"
                                "  expect MainForm.Memo1 visible \"true\"\n"
                                "  expect MainForm.Panel1 visible \"false\"\n"
                                "  close MainForm\n"
                                "end\n");
    EXPECT_NE(out.find("all as expected"), std::string::npos) << out;
}

} // namespace
} // namespace kv::installer::uninstall
