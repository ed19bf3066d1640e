#include "installer/common/exec_dll.h"
#include "installer/common/exec_op.h"
#include "machine_helpers.h"
#include "programs_fixture.h"

#include <filesystem>

namespace kv::installer {
namespace {

using testing::ProgramsTest;
using testing::record;

constexpr const char* kExt = "C:\\Ext\\ext.dll";

class ExecOpPrograms : public ProgramsTest {};

std::string execRecord(std::initializer_list<std::pair<int, const char*>> header,
                       std::initializer_list<std::pair<int, const char*>> arguments) {
    return "~" + record(header) + "~" + record(arguments) + "~";
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

} // namespace
} // namespace kv::installer
