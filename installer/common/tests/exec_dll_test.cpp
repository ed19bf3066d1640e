#include "installer/common/com_servers.h"
#include "installer/common/exec_dll.h"
#include "platform/fs/files.h"
#include "platform/system/machine.h"
#include "programs_fixture.h"

#include <filesystem>

namespace kv::installer {
namespace {

using testing::ProgramsTest;
using ui::headless::ExpectedBox;

constexpr const char* kExt = "C:\\Program Files\\Setup Ext\\ext.dll";
constexpr WindowHandle kWindow = 77;

class ExecDll : public ProgramsTest {
protected:
    ExecDll() { copyHostFile(KV_TEST_EXTENSION, kExt); }
    void expectError(const std::string& plain) {
        ui_->expectBox(ExpectedBox{.caption = "Error", .plainText = plain});
    }
};

TEST_F(ExecDll, RefreshReadsTheAliasesOfBothKinds) {
    TExecDll dll(kWindow);
    EXPECT_FALSE(dll.HasItems());
    dll.Refresh(kExt, true, true);
    EXPECT_TRUE(dll.HasItems());
    EXPECT_EQ(dll.conditionAliases(), (std::vector<std::string>{"DiskSpaceAbove", "PrinterReady"}));
    EXPECT_EQ(dll.executionAliases(), (std::vector<std::string>{"CopyNow", "NoSuchStep"}));
    const std::string lib = std::string("|") + kExt + "|";
    const std::vector<std::pair<std::string, std::string>> map = {
        {"DiskSpaceAbove", lib + "GetCondition_0|"},
        {"PrinterReady", lib + "GetCondition_2|"},
        {"CopyNow", lib + "SetExecution_1|"},
        {"NoSuchStep", lib + "SetExecution_4|"},
    };
    EXPECT_EQ(dll.aliases(), map);

    dll.Refresh(kExt, false, true); // added again
    EXPECT_EQ(dll.aliases().size(), 8u);
    dll.Refresh(kExt, true, true);
    EXPECT_EQ(dll.aliases(), map);
}

TEST_F(ExecDll, CallsReachTheFunctionsWithTheirArguments) {
    TExecDll dll(kWindow);
    dll.Refresh(kExt, true, true);
    const struct {
        const char* stage;
        const char* title;
        const char* argument;
        const char* relation;
        const char* value;
        bool result;
    } conditions[] = {
        {"3", "DiskSpaceAbove", "disk", ">", "10", true},
        {"3", "diskspaceABOVE", "disk", ">", "10", true},
        {"4", "DiskSpaceAbove", "disk", ">", "10", false}, // the stage arrives
        {"x", "DiskSpaceAbove", "disk", ">", "10", false}, // not a digit: stage 0
        {"3", "DiskSpaceAbove", "disk", "<", "10", false},
        {"3", "DiskSpaceAbove", "disk", ">", "11", false},
        {"3", "PrinterReady", "", "", "", false}, // answers 2
        {"3", "NoSuchAlias", "disk", ">", "10", false},
    };
    for (const auto& c : conditions)
        EXPECT_EQ(dll.Call(c.stage, c.title, c.argument, c.relation, c.value), c.result)
            << c.stage << " " << c.title;

    EXPECT_TRUE(dll.Call("5", "COPYNOW", "copy", "now"));
    EXPECT_FALSE(dll.Call("6", "CopyNow", "copy", "now"));
    EXPECT_FALSE(dll.Call("5", "CopyNow", "copy", "later"));
    TExecDll otherWindow(78);
    otherWindow.Refresh(kExt, true, true);
    EXPECT_FALSE(otherWindow.Call("5", "CopyNow", "copy", "now"));
}

TEST_F(ExecDll, MissingLibrariesAndFunctionsShowTheirBoxes) {
    TExecDll dll(kWindow);
    dll.Refresh(kExt, true, true);
    expectError(std::string("Function: \"SetExecution_4\"\nNot Found in Library: \"") + kExt +
                "\"");
    EXPECT_FALSE(dll.Call("5", "NoSuchStep", "copy", "now"));

    ASSERT_TRUE(fs::deleteFile(kExt));
    for (int i = 0; i < 2; ++i) {
        expectError(std::string(kExt) + "\nDLL File Not Found!");
        EXPECT_FALSE(dll.Call("3", "DiskSpaceAbove", "disk", ">", "10"));
    }

    TExecDll missing(kWindow);
    missing.Refresh(kExt, true, false); // no messages
    EXPECT_FALSE(missing.HasItems());
}

TEST_F(ExecDll, ALibraryWithoutAliasExportsAddsNothing) {
    const char* server = "C:\\Program Files\\Setup Ext\\server.dll";
    copyHostFile(KV_TEST_COM_SERVER, server);
    TExecDll dll(kWindow);
    dll.Refresh(server, true, false);
    EXPECT_FALSE(dll.HasItems());
    expectError(std::string("Function: \"GetConditionAlias\"\nNot Found in Library: \"") + server +
                "\"");
    expectError(std::string("Function: \"GetExecutionAlias\"\nNot Found in Library: \"") + server +
                "\"");
    dll.Refresh(server, true, true);
    EXPECT_FALSE(dll.HasItems());
}

class ComServer : public ProgramsTest {
protected:
    std::filesystem::path mark() const {
        return machine::current().folder() / "com-server-registered";
    }
};

TEST_F(ComServer, RegisterAndUnregisterThroughTheEntryPoints) {
    for (const char* file : {"C:\\Srv\\Server.DLL", "C:\\Srv\\grid.ocx"}) {
        copyHostFile(KV_TEST_COM_SERVER, file);
        EXPECT_TRUE(RegisterServer(file, true)) << file;
        EXPECT_TRUE(std::filesystem::exists(mark())) << file;
        EXPECT_TRUE(RegisterServer(file, false)) << file;
        EXPECT_FALSE(std::filesystem::exists(mark())) << file;
        EXPECT_FALSE(RegisterServer(file, false)) << file; // a non-zero result
    }
}

TEST_F(ComServer, OnlyLibrariesWithTheEntryPointsAreRegistered) {
    copyHostFile(KV_TEST_COM_SERVER, "C:\\Srv\\Server.exe");
    copyHostFile(KV_TEST_COM_SERVER, "C:\\Srv\\Server");
    copyHostFile(KV_TEST_EXTENSION, "C:\\Srv\\ext.dll");
    for (const char* file :
         {"C:\\Srv\\Server.exe", "C:\\Srv\\Server", "C:\\Srv\\ext.dll", "C:\\Srv\\missing.dll"}) {
        EXPECT_FALSE(RegisterServer(file, true)) << file;
        EXPECT_FALSE(std::filesystem::exists(mark())) << file; // never loaded and called
    }
}

} // namespace
} // namespace kv::installer
