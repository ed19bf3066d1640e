// A silent setup whose script writes the registry, an INI file and the environment and
// makes the program's menu link: the machine state, Setup.log and the removal lines.

#include "tests/e2e/fixture.h"
#include "tests/e2e/log_lines.h"
#include "tests/e2e/snapshot.h"

#include "platform/system/known_folders.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kv::e2e {
namespace {

using Lines = std::vector<std::string>;

constexpr const char* kApp = "C:\\Program Files\\Demo";

const char* kScript = "SET_PROG_NAME(Demo)\n"
                      "SET_PROG_VERSION(1.0)\n"
                      "SET_PROG_EXE_NAME(<Application Folder>demo.exe)\n"
                      "SET_CREATE_SETUP_LOG\n"
                      "SET_CREATE_UNINSTALL\n"
                      "SET_SILENT_SETUP\n"
                      "SET_TARGET_DIR(<ProgramFilesDir>\\Demo)\n"
                      "SET_DIALOGS(CopyFilesDlg)\n"
                      "SET_GROUP_DATA(Program|10|1|1|1|Program files|1)\n"
                      "SET_SUB_DIR(<Application Folder>)\n"
                      "SET_COPY_FILES(demo.exe)\n"
                      "SET_PERFORM_REGISTRY_OP(HKEY_CURRENT_USER\\Software\\Demo,Home,"
                      "<Application Folder>,Create,Remove,String)\n"
                      "SET_PERFORM_INIFILE_OP(<Application Folder>demo.ini,Main,Mode,fast,"
                      "Create,Remove)\n"
                      "SET_PERFORM_ENVIRONMENT_OP(DEMO_HOME,<Application Folder>,Create,Remove)\n"
                      "SET_START_PROGRAM_LINK_FOLDER(Demo)\n"
                      "SET_START_PROGRAM_LINK_NAME(Demo)\n";

TEST(SilentInstallOps, RecordsAndTheMenuLinkLeaveTheirStateAndLines) {
    InstallerFixture f(machine::testing::windowsProfile("XP"));
    f.writeSetupText(kScript);
    f.addPayload({.name = "demo.exe", .bytes = "MZ"});
    const Snapshot before = takeSnapshot();
    const RunResult r = f.runSetup();
    ASSERT_TRUE(r.started);
    EXPECT_EQ(r.exitCode, 0) << r.errors << r.boxes;
    EXPECT_EQ(r.boxes, "");
    const std::string menu = machine::knownFolderPath(machine::KnownFolder::Programs) + "\\Demo";
    const Lines changes = difference(before, takeSnapshot());
    for (const std::string& line :
         {std::string("added value HKEY_CURRENT_USER\\SOFTWARE\\Demo \"Home\": REG_SZ "
                      "\"C:\\\\Program Files\\\\Demo\\\\\""),
          std::string("added file ") + kApp + "\\demo.ini",
          std::string("added file ") + menu + "\\Demo.lnk"})
        EXPECT_NE(std::find_if(changes.begin(), changes.end(),
                               [&](const std::string& c) { return c.rfind(line, 0) == 0; }),
                  changes.end())
            << line;
    const auto log = readSetupLog(kApp);
    const auto uninstall = readUninstallScript(kApp);
    ASSERT_TRUE(log && uninstall);
    const auto from = std::find(log->begin(), log->end(), "Execute After Copy");
    ASSERT_NE(from, log->end());
    EXPECT_EQ(Lines(from, from + 6),
              (Lines{"Execute After Copy",
                     "RegistryOp: Create  HKEY_CURRENT_USER\\Software\\Demo\\Home=<Application "
                     "Folder>",
                     "IniFileOp: Create  C:\\Program Files\\Demo\\demo.ini  [Main] Mode=fast",
                     "EnvironmentOp: DEMO_HOME=C:\\Program Files\\Demo\\",
                     "Create Start/Program Link(s):",
                     "  Demo\\Demo  (C:\\Program Files\\Demo\\demo.exe)"}));
    for (const std::string& line :
         {"REMOVE_FILE(" + menu + "\\Demo.lnk);", "REMOVE_FOLDER(" + menu + ");"})
        EXPECT_NE(std::find(uninstall->begin(), uninstall->end(), line), uninstall->end()) << line;
    EXPECT_EQ(
        std::count_if(uninstall->begin(), uninstall->end(),
                      [](const std::string& l) { return l.rfind("FORCE_REMOVE_FOLDER(", 0) == 0; }),
        0);
}

} // namespace
} // namespace kv::e2e
