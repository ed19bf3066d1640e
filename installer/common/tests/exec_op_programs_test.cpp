#include "installer/common/exec_dll.h"
#include "installer/common/exec_op.h"
#include "installer/common/install_registry.h"
#include "installer/common/service_ops.h"
#include "machine_helpers.h"
#include "platform/fs/files.h"
#include "platform/process/shell.h"
#include "platform/registry/registry.h"
#include "platform/system/machine.h"
#include "programs_fixture.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace kv::installer {
namespace {

using testing::execRecord;
using testing::ProgramsTest;
using testing::record;

constexpr const char* kExt = "C:\\Ext\\ext.dll";

constexpr const char* kServiceName = "Kestrovane Update Service";

class ExecOpPrograms : public ProgramsTest {
protected:
    ~ExecOpPrograms() override {
        // Ends a service the test started while the machine is still there.
        process::ServiceHandle manager = process::OpenSCManager("");
        process::ServiceHandle service = process::OpenService(manager, "KvUpdate");
        process::ServiceStatus status;
        if (GetServiceState(service) == process::kServiceRunning)
            process::ControlService(service, process::kServiceControlStop, status);
    }

    // A program that writes its first parameter and then "end" to the file "out" beside
    // it, after a pause; the host path of that file.
    std::filesystem::path program(const std::string& path) {
        return writeScript(path, "sleep 0.3\necho \"$1\" > \"$(dirname \"$0\")/out\"\n"
                                 "echo end >> \"$(dirname \"$0\")/out\"\n")
                   .parent_path() /
               "out";
    }

    static bool operation(const char* title, const std::string& argument1,
                          const std::string& argument2 = "") {
        bool abort = false;
        return RunOperation("1", nullptr, record({{19, "1"}, {20, title}}), abort, 1,
                            record({{13, argument1.c_str()}, {14, argument2.c_str()}}));
    }

    static bool condition(const char* title, const std::string& argument) {
        return EvalCondition("1", nullptr, record({{7, title}}), 1,
                             record({{1, argument.c_str()}}));
    }
};

std::string contentNow(const std::filesystem::path& host) {
    std::ifstream in(host, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST_F(ExecOpPrograms, ExtensionLibrarySuppliesUnknownTitles) {
    copyHostFile(KV_TEST_EXTENSION, kExt);
    TExecDll dll(77);
    dll.Refresh(kExt, true, false);
    ASSERT_TRUE(dll.HasItems());
    const std::string rec =
        execRecord({{1, "ext"},
                    {2, "After Copy"},
                    {7, "DiskSpaceAbove"},
                    {19, "1"},
                    {20, "Exit"},
                    {22, "1"},
                    {23, "CopyNow"}},
                   {{1, "disk"}, {2, ">"}, {3, "10"}, {16, "copy"}, {17, "now"}});
    bool abort = false;
    std::string log;
    // The library's operation holds only for stage 5, its condition only for stage 3.
    EXPECT_FALSE(RunStage(&dll, rec, "3", abort, log));
    EXPECT_TRUE(abort);
    EXPECT_EQ(log, "  ext\r\n    IF DiskSpaceAbove  disk = TRUE\r\n    Result: TRUE\r\n"
                   "    THEN Exit    \r\n    THEN CopyNow  copy  now\r\n");
    // Without a library an unknown operation does nothing and succeeds.
    EXPECT_TRUE(RunStage(nullptr, rec, "3", abort, log));
    EXPECT_NE(log.find("    IF DiskSpaceAbove  disk = FALSE\r\n"), std::string::npos);
}

TEST_F(ExecOpPrograms, RunExecutableAndWait) {
    const auto host = writeScript("C:\\Tools\\mark.sh", "echo \"$1\" > \"$(dirname \"$0\")/out\"\n"
                                                        "echo end >> \"$(dirname \"$0\")/out\"\n");
    const std::string rec = execRecord(
        {{1, "run"}, {2, "Setup End"}, {4, "1"}, {22, "1"}, {23, "Run Executable and Wait"}},
        {{16, "C:\\Tools\\mark.sh"}, {17, "hello"}});
    bool abort = false;
    std::string log;
    EXPECT_TRUE(RunStage(nullptr, rec, "4", abort, log));
    EXPECT_EQ(awaitEnd(host.parent_path() / "out"), "hello\nend\n");
}

TEST_F(ExecOpPrograms, ProgramsStartedAndAwaited) {
    struct Case {
        const char* title;
        const char* argument1;
        bool waits;
    };
    const Case cases[] = {
        {"UnInstall Application", "Kv Tool", true},
        {"Run Application", "viewer.exe", false},
        {"Run Application and Wait", "VIEWER.EXE", true},
        {"Run Executable", "C:\\Tools\\run.exe", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        const auto uninstaller = program("C:\\Kv Tool\\uninstall.exe");
        const auto viewer = program("C:\\Apps\\viewer.exe");
        const auto tool = program("C:\\Tools\\run.exe");
        WriteUninstallEntry("Kv Tool", "C:\\Kv Tool\\uninstall.exe", "1.0", "Kestrovane");
        WriteAppPath("C:\\Apps\\viewer.exe");
        const std::string title = c.title;
        const auto out = title == "UnInstall Application" ? uninstaller
                         : title == "Run Executable"      ? tool
                                                          : viewer;
        EXPECT_TRUE(operation(c.title, c.argument1, "param"));
        if (c.waits) {
            // The uninstaller gets no parameters; awaited, its output is complete.
            EXPECT_EQ(contentNow(out),
                      title == "UnInstall Application" ? "\nend\n" : "param\nend\n");
        } else {
            EXPECT_EQ(awaitEnd(out), "param\nend\n");
        }
        std::filesystem::remove(out);
    }
}

TEST_F(ExecOpPrograms, ProgramsThatCannotStart) {
    // An entry whose command is not a file, an entry missing, an unknown App Paths name.
    WriteUninstallEntry("Gone Tool", "C:\\Gone\\uninstall.exe", "1.0", "Kestrovane");
    EXPECT_FALSE(operation("UnInstall Application", "Gone Tool"));
    EXPECT_FALSE(operation("UnInstall Application", "No Such Tool"));
    EXPECT_FALSE(operation("Run Application and Wait", "unknown.exe"));
    EXPECT_FALSE(operation("Run Executable", "C:\\Tools\\missing.exe"));
}

TEST_F(ExecOpPrograms, ExeIsRunningWhileItRuns) {
    writeScript("C:\\Tools\\busy.exe", "sleep 30\n");
    EXPECT_FALSE(condition("Exe is Running", "C:\\Tools\\busy.exe"));
    ASSERT_TRUE(operation("Run Executable", "C:\\Tools\\busy.exe"));
    EXPECT_TRUE(condition("Exe is Running", "C:\\Tools\\busy.exe"));
    EXPECT_FALSE(condition("Exe is Running", "C:\\Other\\busy.exe"));
}

TEST_F(ExecOpPrograms, ShellExecuteNormalAndHidden) {
    EXPECT_TRUE(operation("Shell Execute", "http://example.com/a", "x"));
    EXPECT_TRUE(operation("Shell Execute (Hide)", "http://example.com/b", "y"));
    EXPECT_FALSE(operation("Shell Execute", "C:\\Docs\\missing.doc"));
    EXPECT_EQ(process::recordedShellOpens(),
              (std::vector<process::ShellOpenRecord>{{"http://example.com/a", "x", 1},
                                                     {"http://example.com/b", "y", 0}}));
}

TEST_F(ExecOpPrograms, ServicesStartAndStop) {
    namespace reg = kv::registry;
    reg::Key k;
    ASSERT_EQ(reg::createKey(reg::rootKey(reg::Root::LocalMachine),
                             std::string(process::kServicesKey) + "\\KvUpdate", k),
              reg::Status::Success);
    ASSERT_EQ(reg::setValue(k, "DisplayName", reg::stringValue(kServiceName)),
              reg::Status::Success);
    ASSERT_EQ(reg::setValue(k, "ImagePath", reg::stringValue("sleep 30")), reg::Status::Success);
    ::testing::internal::CaptureStdout(); // the services' state texts
    EXPECT_FALSE(condition("Service is Running", kServiceName));
    EXPECT_FALSE(operation("Stop Service", kServiceName)); // not running
    EXPECT_TRUE(operation("Start Service", kServiceName));
    EXPECT_TRUE(condition("Service is Running", kServiceName));
    EXPECT_FALSE(condition("Service is Running", "No Such Service"));
    EXPECT_TRUE(operation("Stop Service", kServiceName));
    EXPECT_FALSE(condition("Service is Running", kServiceName));
    ::testing::internal::GetCapturedStdout();
}

TEST_F(ExecOpPrograms, ComServersRegisterAndUnregister) {
    const std::filesystem::path mark = machine::current().folder() / "com-server-registered";
    copyHostFile(KV_TEST_COM_SERVER, "C:\\Srv\\grid.ocx");
    EXPECT_TRUE(operation("Register OCX/COM Server", "C:\\Srv\\grid.ocx"));
    EXPECT_TRUE(std::filesystem::exists(mark));
    EXPECT_TRUE(operation("UnRegister OCX/COM Server", "C:\\Srv\\grid.ocx"));
    EXPECT_FALSE(std::filesystem::exists(mark));
    EXPECT_FALSE(operation("UnRegister OCX/COM Server", "C:\\Srv\\grid.ocx"));
    EXPECT_FALSE(operation("Register OCX/COM Server", "C:\\Srv\\missing.ocx"));
}

} // namespace
} // namespace kv::installer
