// The copy step: entries and their folders, each file with its flags, log and removal
// lines, the overwrite rules, files in use replaced at the next restart.

#include "installer/setup/file_copy.h"

#include "installer/common/folders.h"
#include "installer/common/registry_primitives.h"
#include "installer/common/run_time_folders.h"
#include "installer/setup/copy_wizard.h"
#include "installer/setup/english.h"
#include "installer/setup/language.h"
#include "installer/setup/overwrite_rules.h"
#include "installer/setup/reset.h"
#include "installer/setup/script.h"
#include "installer/setup/setup_log.h"
#include "installer/setup/uninstall_script.h"
#include "platform/fs/attributes.h"
#include "platform/fs/files.h"
#include "platform/fs/path.h"
#include "platform/fs/pending_renames.h"
#include "platform/fs/short_names.h"
#include "platform/pe/testing/pe_fixtures.h"
#include "platform/process/exec.h"
#include "platform/registry/registry.h"
#include "platform/system/machine.h"
#include "platform/system/process.h"
#include "platform/system/resources.h"
#include "platform/system/restart.h"
#include "platform/system/testing/temp_machine.h"
#include "platform/ui/application.h"
#include "platform/ui/headless/headless.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <memory>
#include <optional>

namespace kv::installer {
namespace {

using machine::testing::TempMachine;
using machine::testing::windowsProfile;
using Lines = std::vector<std::string>;

constexpr const char* kSharedDlls =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

// The wizard as the copy step sees it, recording what it is told.
class FakeWizard : public CopyWizard {
public:
    std::string selection = "1";
    int barSteps = 0;
    int aborts = 0;
    bool restartNeeded = false;
    bool running = false;
    bool runningWhileCopying = false;
    bool exitQuestionOpen = false;
    bool exitChosen = false;
    std::string openQuestionAt;     // the file whose copy opens the exit question
    std::optional<bool> answerExit; // answers an open question (true: exit) on the next pump
    int filesWhileQuestionOpen = 0;
    Lines registerList;
    Lines labels; // "name|folder" per file shown

    std::string SelectionString() override { return selection; }
    std::string ExpandFormVars(std::string_view text) override { return ExpandFolderVars(text); }
    void StepCopyBar() override {
        ++barSteps;
        runningWhileCopying = running;
    }
    void ShowCopyFile(const std::string& fileName, const std::string& folder) override {
        labels.push_back(fileName + "|" + folder);
        if (exitQuestionOpen) ++filesWhileQuestionOpen;
        if (fileName == openQuestionAt) exitQuestionOpen = true;
    }
    void SetRestartNeeded() override { restartNeeded = true; }
    void SetCopyEntriesRunning(bool on) override { running = on; }
    void AddToRegisterList(const std::string& path) override { registerList.push_back(path); }
    void AbortSetup() override { ++aborts; }
    bool ExitQuestionOpen() override {
        if (exitQuestionOpen && answerExit && !answerPosted_) {
            answerPosted_ = true;
            ui::app().post([this] {
                exitQuestionOpen = false;
                exitChosen = *answerExit;
            });
        }
        return exitQuestionOpen;
    }
    bool ExitChosen() override { return exitChosen; }

private:
    bool answerPosted_ = false;
};

class FileCopyTest : public ::testing::Test {
protected:
    void SetUp() override { start("XP"); }
    void TearDown() override {
        for (int id : processes_)
            process::TerminateProcess(id, 1);
        EXPECT_EQ(ui_->finish(), "");
        reset();
    }
    static void reset() {
        resetForTests();
        machine::resetForTests();
        registry::resetForTests();
    }

    // A fresh machine of that Windows release: setup in C:\Setup, the application folder
    // C:\App (made), the built-in texts loaded.
    void start(const char* release) {
        copier_.reset();
        reset();
        machine_.reset();
        machine_.emplace(windowsProfile(release));
        ui_ = &ui::headless::install();
        machine::setProgram(machine_->hostFolder('C') / "Setup" / "setup.exe", {});
        AddEnglishResource();
        LoadBuiltInText();
        ASSERT_TRUE(fs::createFolders("C:\\Setup"));
        ASSERT_TRUE(fs::createFolders("C:\\App"));
        SetTargetDir("C:\\App");
        load("");
    }
    // Loads the script (with log and uninstall script) and a copier over it.
    void load(const std::string& text) {
        copier_.reset();
        script_ = std::make_unique<TScript>();
        script_->LoadFromText("SET_CREATE_SETUP_LOG\nSET_CREATE_UNINSTALL\n" + text);
        log_ = std::make_unique<SetupLog>(*script_);
        uninstall_ = std::make_unique<UninstallScript>(*script_);
        wizard_ = FakeWizard{};
        copier_.emplace(*script_, *log_, *uninstall_, wizard_);
    }
    static void write(const std::string& path, const std::string& content) {
        ASSERT_TRUE(fs::writeFile(path, content)) << path;
    }
    static std::string content(const std::string& path) {
        return fs::readFile(path).value_or("<missing>");
    }
    static void setDate(const std::string& path, std::int64_t seconds) {
        ASSERT_TRUE(
            fs::setFileTimes(path, {0, 0, fs::fileTimeFromUnixNanos(seconds * 1000000000)}));
    }
    static std::string sharedCount(const std::string& path) {
        return RegReadValue(kSharedDlls, path, "none");
    }
    bool copyOne(const std::string& source, const std::string& target, std::uint32_t flags,
                 int mode, bool* replaced = nullptr) {
        bool r = false;
        CopyFileOptions options;
        options.writeRemovalLines = true;
        const bool ok = copier_->CopyOneFile(source, target, r, options, flags, mode);
        if (replaced) *replaced = r;
        return ok;
    }
    // Starts a program of the machine that runs (and holds its file) until the test ends.
    void runProgram(const std::string& path) {
        const std::filesystem::path host = fs::hostPath(path);
        std::ofstream(host, std::ios::binary)
            << "#!/bin/sh\nn=0; while [ $n -lt 400 ]; do sleep 0.05; n=$((n+1)); done\n";
        ::chmod(host.c_str(), 0755);
        const process::Started s = process::startProgram("\"" + path + "\"", process::kShowHide);
        ASSERT_EQ(s.result, process::kExecStarted);
        processes_.push_back(s.id);
    }
    void expectErrorBox(const std::string& plain) {
        ui_->expectBox(ui::headless::ExpectedBox{.caption = "Error", .plainText = plain});
    }

    std::optional<TempMachine> machine_;
    ui::headless::HeadlessBackend* ui_ = nullptr;
    std::unique_ptr<TScript> script_;
    std::unique_ptr<SetupLog> log_;
    std::unique_ptr<UninstallScript> uninstall_;
    FakeWizard wizard_;
    std::optional<FileCopier> copier_;
    std::vector<int> processes_;
};

TEST_F(FileCopyTest, OverwriteRules) {
    using pe::testing::buildDll;
    using pe::testing::versionScript;
    auto dll = [&](const std::string& name, const std::string& version) {
        ASSERT_EQ(buildDll(versionScript("1,0,0,0", {{"040904E4", {{"FileVersion", version}}}},
                                         {{{0x409, 1252}}}),
                           pe::testing::Bits::Pe32, machine_->hostFolder('C') / name),
                  "");
    };
    dll("v1_2.dll", "1.2.0.0");
    dll("v1_10.dll", "1.10.0.0");
    dll("v1_10b.dll", "1.10.0.0");
    write("C:\\old.txt", "o");
    write("C:\\new.txt", "n");
    write("C:\\same.txt", "s");
    setDate("C:\\old.txt", 1000000000);
    setDate("C:\\same.txt", 1000000000);
    setDate("C:\\new.txt", 1000000100);
    // Versions decide over dates: the older version carries the later date.
    setDate("C:\\v1_2.dll", 1000000200);
    setDate("C:\\v1_10.dll", 1000000000);
    const struct {
        const char* source;
        const char* target;
        int mode;
        bool copy;
    } cases[] = {
        {"C:\\new.txt", "C:\\old.txt", 4, false},
        {"C:\\new.txt", "C:\\none.txt", 4, true},
        {"C:\\none.txt", "C:\\old.txt", 2, true},
        {"C:\\new.txt", "C:\\none.txt", 3, true},
        {"C:\\same.txt", "C:\\old.txt", 2, true}, // no versions, same date
        {"C:\\same.txt", "C:\\old.txt", 3, false},
        {"C:\\new.txt", "C:\\old.txt", 3, true},
        {"C:\\old.txt", "C:\\new.txt", 2, false},
        {"C:\\v1_10.dll", "C:\\v1_2.dll", 3, true}, // 0001.0010 > 0001.0002
        {"C:\\v1_2.dll", "C:\\v1_10.dll", 2, false},
        {"C:\\v1_10b.dll", "C:\\v1_10.dll", 2, true},
        {"C:\\v1_10b.dll", "C:\\v1_10.dll", 3, false},
        {"C:\\v1_10.dll", "C:\\new.txt", 2, false}, // one version only: the dates
        {"C:\\old.txt", "C:\\new.txt", 1, true},
        {"C:\\old.txt", "C:\\new.txt", 7, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShouldCopyFile(c.source, c.target, c.mode), c.copy)
            << c.source << " over " << c.target << " mode " << c.mode;
    EXPECT_EQ(FileDateOf("C:\\none.txt"), 0u);
    EXPECT_EQ(FileDateOf("c:\\OLD.TXT"), fs::fileTimeFromUnixNanos(1000000000ll * 1000000000));
}

TEST_F(FileCopyTest, FlagBitsGiveTheirLinesAttributesAndCounts) {
    const struct {
        const char* name;
        std::uint32_t flags;
        Lines lines;
        std::uint32_t attributes;
        bool registered;
        const char* count;
    } cases[] = {
        {"plain", 0, {"REMOVE_FILE(C:\\App\\f.dll);"}, fs::kAttrNormal, false, "none"},
        {"shared",
         0x1,
         {"REMOVE_SHARED_FILE(C:\\App\\f.dll);", "REMOVE_FILE(C:\\App\\f.dll);"},
         fs::kAttrNormal,
         false,
         "1"},
        {"register", 0x2, {"REMOVE_FILE(C:\\App\\f.dll);"}, fs::kAttrNormal, true, "none"},
        {"no removal line", 0x10, {}, fs::kAttrNormal, false, "none"},
        {"read-only",
         0x100,
         {"REMOVE_READONLY_FILE(C:\\App\\f.dll);", "REMOVE_FILE(C:\\App\\f.dll);"},
         fs::kAttrReadOnly,
         false,
         "none"},
        {"hidden", 0x200, {"REMOVE_FILE(C:\\App\\f.dll);"}, fs::kAttrHidden, false, "none"},
        {"shared, read-only, hidden, system, register",
         0x703,
         {"REMOVE_READONLY_FILE(C:\\App\\f.dll);", "REMOVE_SHARED_FILE(C:\\App\\f.dll);",
          "REMOVE_FILE(C:\\App\\f.dll);"},
         fs::kAttrReadOnly | fs::kAttrHidden | fs::kAttrSystem,
         true,
         "1"},
        {"shared without removal line, archive", 0x2011, {}, fs::kAttrArchive, false, "1"},
    };
    for (const auto& c : cases) {
        start("XP");
        // An older read-only copy is replaced: its attributes are cleared first.
        write("C:\\App\\f.dll", "old");
        ASSERT_TRUE(fs::setAttributes("C:\\App\\f.dll", fs::kAttrReadOnly));
        write("C:\\Setup\\f.dll", "new");
        bool replaced = true;
        EXPECT_TRUE(copyOne("C:\\Setup\\f.dll", "C:\\App\\f.dll", c.flags, 1, &replaced)) << c.name;
        EXPECT_FALSE(replaced) << c.name;
        EXPECT_EQ(content("C:\\App\\f.dll"), "new") << c.name;
        EXPECT_EQ(uninstall_->Lines(), c.lines) << c.name;
        EXPECT_EQ(fs::getAttributes("C:\\App\\f.dll"), c.attributes) << c.name;
        EXPECT_EQ(wizard_.registerList, c.registered ? Lines{"C:\\App\\f.dll"} : Lines{}) << c.name;
        EXPECT_EQ(sharedCount("C:\\App\\f.dll"), c.count) << c.name;
        EXPECT_EQ(log_->Lines(), Lines{"  Copy File: C:\\App\\f.dll ... OK"}) << c.name;
        EXPECT_EQ(wizard_.labels, Lines{"f.dll|C:\\App"}) << c.name;
    }
}

TEST_F(FileCopyTest, ServiceFileLineAndNoRemovalLinesWhenNotAsked) {
    write("C:\\Setup\\svc.exe", "s");
    bool replaced = false;
    CopyFileOptions options;
    options.alwaysCopy = true;
    options.skipOverwriteTest = true;
    options.serviceFile = true;
    write("C:\\App\\svc.exe", "installed");
    // Mode 4 would keep the installed file; the overwrite test is skipped.
    EXPECT_TRUE(
        copier_->CopyOneFile("C:\\Setup\\svc.exe", "C:\\App\\svc.exe", replaced, options, 0x1, 4));
    EXPECT_EQ(content("C:\\App\\svc.exe"), "s");
    EXPECT_EQ(uninstall_->Lines(), Lines{"REMOVE_SERVICE_FILE(C:\\App\\svc.exe);"});
    EXPECT_TRUE(fs::exists("C:\\Setup\\svc.exe")); // always-copy never moves
}

TEST_F(FileCopyTest, ModeFourKeepsAnExistingTargetButCountsIt) {
    write("C:\\Setup\\lib.dll", "new");
    write("C:\\App\\lib.dll", "installed");
    EXPECT_EQ(copier_->CopyEntry("C:\\Setup", "<Application Folder>", 4, "*lib.dll"), 1);
    EXPECT_EQ(content("C:\\App\\lib.dll"), "installed");
    EXPECT_EQ(log_->Lines(),
              (Lines{"", "Start Copy Directory", "  (C:\\App)", "  Copy File: C:\\App\\lib.dll"}));
    EXPECT_EQ(uninstall_->Lines(), (Lines{"REMOVE_DIR(C:\\App);", ""}));
    EXPECT_EQ(sharedCount("C:\\App\\lib.dll"), "1");
    EXPECT_EQ(wizard_.barSteps, 1);
}

// Blank items name no file and are passed over.
TEST_F(FileCopyTest, NumberedPrefixIsDroppedFromTheTarget) {
    write("C:\\Setup\\00012#readme.txt", "r");
    EXPECT_EQ(
        copier_->CopyEntry("C:\\Setup", "<Application Folder>Docs\\", 1, " 00012#readme.txt | |"),
        1);
    EXPECT_EQ(content("C:\\App\\Docs\\readme.txt"), "r");
    EXPECT_FALSE(fs::exists("C:\\App\\Docs\\00012#readme.txt"));
    EXPECT_EQ(uninstall_->Lines(),
              (Lines{"REMOVE_DIR(C:\\App\\Docs);", "REMOVE_FILE(C:\\App\\Docs\\readme.txt);", ""}));
}

TEST_F(FileCopyTest, ASourceUsedTwiceIsCopiedThenMoved) {
    const struct {
        const char* release;
        const char* extra;
        bool moved;
    } cases[] = {
        {"XP", "", true},
        {"XP", "SET_USE_COPY", false},
        {"98", "", false},
    };
    for (const auto& c : cases) {
        start(c.release);
        load(std::string(c.extra) +
             "\nSET_GROUP_DATA(Main)\nSET_SUB_DIR(<Application Folder>One)\n"
             "SET_COPY_FILES(a.dll)\nSET_SUB_DIR(<Application Folder>Two)\nSET_COPY_FILES(a.dll)");
        write("C:\\Setup\\a.dll", "a");
        EXPECT_TRUE(copier_->CopyGroups()) << c.release << c.extra;
        EXPECT_EQ(content("C:\\App\\One\\a.dll"), "a") << c.release << c.extra;
        EXPECT_EQ(content("C:\\App\\Two\\a.dll"), "a") << c.release << c.extra;
        EXPECT_EQ(fs::exists("C:\\Setup\\a.dll"), !c.moved) << c.release << c.extra;
    }
}

TEST_F(FileCopyTest, TargetInUseIsReplacedAtTheNextStart) {
    for (const char* release : {"XP", "98"}) {
        start(release);
        const std::string folder = "C:\\Program Files\\My Application";
        const std::string target = folder + "\\shared tool.exe";
        const std::string side = folder + "\\Xshared tool.exe";
        ASSERT_TRUE(fs::createFolders(folder));
        SetTargetDir(folder);
        load("");
        runProgram(target);
        write("C:\\Setup\\shared tool.exe", "new");
        bool replaced = false;
        EXPECT_TRUE(copyOne("C:\\Setup\\shared tool.exe", target, 0x2, 1, &replaced)) << release;
        EXPECT_TRUE(replaced) << release;
        EXPECT_TRUE(wizard_.restartNeeded) << release;
        EXPECT_EQ(wizard_.registerList, Lines{target}) << release;
        EXPECT_EQ(log_->Lines(), Lines{"  Copy File: " + target + " ... OK Delayed"}) << release;
        EXPECT_EQ(content(side), "new") << release;
        EXPECT_EQ(fs::getAttributes(side), fs::kAttrNormal) << release;
        if (std::string(release) == "98") {
            EXPECT_EQ(
                IniReadString("C:\\WINDOWS\\WININIT.INI", "Rename", fs::shortPath(target), ""),
                fs::shortPath(side));
        }

        process::TerminateProcess(processes_.back(), 1);
        processes_.pop_back();
        ASSERT_TRUE(machine::requestRestart());
        const char* const argv[] = {"program"};
        fs::startProgram(1, argv);
        EXPECT_EQ(content(target), "new") << release;
        EXPECT_FALSE(fs::exists(side)) << release;
    }
}

TEST_F(FileCopyTest, NoCopyBesideATargetInUseFailsTheRestOfTheEntry) {
    runProgram("C:\\App\\tool.exe");
    ASSERT_TRUE(fs::createFolders("C:\\App\\Xtool.exe")); // the side file cannot be made
    write("C:\\Setup\\tool.exe", "new");
    write("C:\\Setup\\later.txt", "l");
    write("C:\\Setup\\first.txt", "f");
    EXPECT_EQ(copier_->CopyEntry("C:\\Setup", "<Application Folder>", 1, "tool.exe|later.txt"), -1);
    EXPECT_EQ(
        copier_->CopyEntry("C:\\Setup", "<Application Folder>", 1, "first.txt|tool.exe|later.txt"),
        1);
    EXPECT_FALSE(fs::exists("C:\\App\\later.txt"));
    EXPECT_FALSE(wizard_.restartNeeded);
    EXPECT_EQ(log_->Lines()[3], "  Copy File: C:\\App\\tool.exe ... FAILED");
    EXPECT_EQ(wizard_.aborts, 0);
}

TEST_F(FileCopyTest, AReplacementThatCannotBeScheduledFails) {
    start("98");
    ASSERT_TRUE(fs::createFolders("C:\\WINDOWS\\WININIT.INI")); // no rename line can be written
    runProgram("C:\\App\\tool.exe");
    write("C:\\Setup\\tool.exe", "new");
    bool replaced = true;
    EXPECT_FALSE(copyOne("C:\\Setup\\tool.exe", "C:\\App\\tool.exe", 0, 1, &replaced));
    EXPECT_FALSE(replaced);
    EXPECT_FALSE(wizard_.restartNeeded);
    EXPECT_FALSE(fs::exists("C:\\App\\Xtool.exe"));
    EXPECT_EQ(log_->Lines(), Lines{"  Copy File: C:\\App\\tool.exe ... FAILED"});
}

TEST_F(FileCopyTest, MissingFilesStopTheirEntryOrEveryLaterOne) {
    const struct {
        const char* name;
        const char* files; // of the first entry; the second copies b.txt
        bool result;
        bool later;
        int firstCount;
    } cases[] = {
        {"missing first file", "gone.txt|a.txt", false, false, 0},
        {"missing later file", "a.txt|gone.txt|c.txt", true, true, 1},
    };
    for (const auto& c : cases) {
        start("XP");
        load(std::string(
                 "SET_GROUP_DATA(Main)\nSET_SUB_DIR(<Application Folder>)\nSET_COPY_FILES(") +
             c.files +
             ")\nSET_GROUP_DATA(Extra)\nSET_SUB_DIR(<Application Folder>)\n"
             "SET_COPY_FILES(b.txt)");
        wizard_.selection = "11";
        for (const char* name : {"a.txt", "b.txt", "c.txt"})
            write(std::string("C:\\Setup\\") + name, name);
        expectErrorBox("C:\\Setup\\gone.txt\nFile not found!\nCorrect the problem and run Setup "
                       "once again!");
        EXPECT_EQ(copier_->CopyGroups(), c.result) << c.name;
        EXPECT_EQ(wizard_.aborts, 1) << c.name;
        EXPECT_EQ(fs::exists("C:\\App\\a.txt"), c.firstCount == 1) << c.name;
        EXPECT_FALSE(fs::exists("C:\\App\\c.txt")) << c.name;
        EXPECT_EQ(fs::exists("C:\\App\\b.txt"), c.later) << c.name;
        EXPECT_TRUE(wizard_.runningWhileCopying) << c.name;
        EXPECT_FALSE(wizard_.running) << c.name;
        const Lines& log = log_->Lines();
        EXPECT_NE(
            std::find(log.begin(), log.end(), "  Copy File: C:\\App\\gone.txt ... File not Found!"),
            log.end())
            << c.name;
    }
}

TEST_F(FileCopyTest, SelectionAndRunTimeAbortGateTheEntries) {
    load("SET_GLOBAL_OVERWRITE_FLAG(4)\nSET_GROUP_DATA(Main)\nSET_SUB_DIR(<Application Folder>)\n"
         "SET_COPY_FILES(a.txt)\nSET_GROUP_DATA(Extra)\nSET_SUB_DIR(<Application Folder>)\n"
         "SET_COPY_FILES(b.txt)\nSET_GROUP_DATA(Third)\nSET_SUB_DIR(<Application Folder>)\n"
         "SET_COPY_FILES(c.txt)");
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        write(std::string("C:\\Setup\\") + name, "new");
    write("C:\\App\\a.txt", "installed");
    wizard_.selection = "1"; // one row selected; the other groups have no row
    EXPECT_TRUE(copier_->CopyGroups());
    EXPECT_EQ(content("C:\\App\\a.txt"), "installed"); // the global mode 4
    EXPECT_FALSE(fs::exists("C:\\App\\b.txt"));

    wizard_.selection = "011";
    EXPECT_TRUE(copier_->CopyGroups());
    EXPECT_TRUE(fs::exists("C:\\App\\b.txt"));
    EXPECT_TRUE(fs::exists("C:\\App\\c.txt"));

    // A run-time folder that had to be found and was not stops every entry.
    ASSERT_EQ(ResolveRunTimeDir("|" + std::string(17, '|') + "1|"), "");
    ASSERT_TRUE(RunTimeDirAbort());
    ASSERT_TRUE(fs::deleteFile("C:\\App\\a.txt"));
    EXPECT_TRUE(copier_->CopyGroups());
    EXPECT_FALSE(fs::exists("C:\\App\\a.txt"));
    EXPECT_EQ(wizard_.barSteps, 3); // one file in the first run, two in the second
}

// The exit question opened during the first entry is still open when the next is reached:
// no entry starts until it is answered; "resume" copies the rest, "exit" fails the copy.
TEST_F(FileCopyTest, AnEntryWaitsForTheExitQuestionsAnswer) {
    for (const bool exit : {false, true}) {
        start("XP");
        load("SET_GROUP_DATA(Main)\nSET_SUB_DIR(<Application Folder>)\nSET_COPY_FILES(a.txt)\n"
             "SET_GROUP_DATA(Extra)\nSET_SUB_DIR(<Application Folder>)\n"
             "SET_COPY_FILES(b.txt|c.txt)");
        for (const char* name : {"a.txt", "b.txt", "c.txt"})
            write(std::string("C:\\Setup\\") + name, name);
        wizard_.selection = "11";
        wizard_.openQuestionAt = "a.txt";
        wizard_.answerExit = exit;
        EXPECT_EQ(copier_->CopyGroups(), !exit) << exit;
        EXPECT_TRUE(fs::exists("C:\\App\\a.txt")) << exit;
        EXPECT_EQ(fs::exists("C:\\App\\b.txt"), !exit) << exit;
        EXPECT_EQ(fs::exists("C:\\App\\c.txt"), !exit) << exit;
        EXPECT_EQ(wizard_.filesWhileQuestionOpen, 0) << exit;
        EXPECT_FALSE(wizard_.running) << exit;
    }
}

TEST_F(FileCopyTest, FoldersAndTheirRemovalLines) {
    const struct {
        const char* subFolder;
        const char* files;
        Lines lines;
    } cases[] = {
        {"#<Application Folder>Keep", "", {"DONT_REMOVE_DIR(C:\\App\\Keep);", ""}},
        {"*<Application Folder>Cache\\", "*", {"FORCE_REMOVE_DIR(C:\\App\\Cache);", ""}},
        {"<Application Folder>Data", "", {"REMOVE_DIR(C:\\App\\Data);", ""}},
        {"<Application Folder>Data\\Deep\\Er", "", {"REMOVE_DIR(C:\\App\\Data\\Deep\\Er);", ""}},
        {"<WinSysDir>", "", {""}},
        {"<Windows Directory>", "", {""}},
        {"#<ProgramFilesDir>", "", {""}},
        {"<FontDir>", "", {""}},
        {"<TempDir>", "", {""}},
        {"<Application Folder>Keep",
         "16*a.txt|b.txt",
         {"REMOVE_DIR(C:\\App\\Keep);", "REMOVE_FILE(C:\\App\\Keep\\b.txt);",
          "AVOID_ERR_REMOVE_DIR(C:\\App\\Keep);", ""}},
    };
    for (const auto& c : cases) {
        start("XP");
        write("C:\\Setup\\a.txt", "a");
        write("C:\\Setup\\b.txt", "b");
        EXPECT_EQ(copier_->CopyEntry("C:\\Setup", c.subFolder, 1, c.files),
                  std::string(c.files).size() > 1 ? 2 : 0)
            << c.subFolder;
        EXPECT_TRUE(fs::isDirectory(
            ExpandFolderVars(std::string(c.subFolder)
                                 .substr(c.subFolder[0] == '#' || c.subFolder[0] == '*' ? 1 : 0))))
            << c.subFolder;
        EXPECT_EQ(uninstall_->Lines(), c.lines) << c.subFolder;
        EXPECT_EQ(log_->Lines().empty(), std::string(c.files).size() <= 1) << c.subFolder;
    }
    start("XP");
    EXPECT_EQ(copier_->CopyEntry("C:\\Setup", "", 1, "a.txt"), 0);
    EXPECT_TRUE(uninstall_->Lines().empty());
    EXPECT_TRUE(log_->Lines().empty());
}

TEST_F(FileCopyTest, AFolderThatCannotBeMadeAbortsButLaterEntriesRun) {
    load("SET_GROUP_DATA(Main)\nSET_SUB_DIR(Z:\\Readonly)\nSET_COPY_FILES(a.txt)\n"
         "SET_SUB_DIR(<Application Folder>Blocked\\Sub)\nSET_COPY_FILES(a.txt)\n"
         "SET_SUB_DIR(<Application Folder>)\nSET_COPY_FILES(a.txt)");
    write("C:\\Setup\\a.txt", "a");
    write("C:\\App\\Blocked", "a file in the way");
    for (const char* folder : {"Z:\\Readonly", "C:\\App\\Blocked\\Sub"})
        expectErrorBox(std::string("Unable to create directory:\n") + folder +
                       "\nSetup will now close.\nCorrect the problem and run Setup once again!");
    EXPECT_TRUE(copier_->CopyGroups());
    EXPECT_EQ(wizard_.aborts, 2);
    EXPECT_FALSE(fs::exists("Z:\\Readonly"));
    EXPECT_EQ(content("C:\\App\\a.txt"), "a");
    EXPECT_EQ(uninstall_->Lines(),
              (Lines{"REMOVE_DIR(C:\\App);", "REMOVE_FILE(C:\\App\\a.txt);", ""}));
}

} // namespace
} // namespace kv::installer
