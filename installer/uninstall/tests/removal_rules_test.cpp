// The removal's building blocks: the sorting of the script, the order of the items, the
// system folders it never deletes, the shared-file counts and the report text.

#include "installer/common/folders.h"
#include "installer/common/registry_ops.h"
#include "installer/common/registry_primitives.h"
#include "installer/common/system_queries.h"
#include "installer/uninstall/item_order.h"
#include "installer/uninstall/removal_report.h"
#include "installer/uninstall/script_sorting.h"
#include "installer/uninstall/shared_dll.h"
#include "installer/uninstall/system_folder.h"
#include "installer/uninstall/tests/uninstall_fixture.h"
#include "platform/fs/files.h"
#include "platform/fs/short_names.h"
#include "platform/system/known_folders.h"

namespace kv::installer::uninstall {
namespace {

using testing::UninstallTest;
using Lines = std::vector<std::string>;

const std::string kSharedDlls =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

const Lines& list(const SortedScript& s, ItemList l) {
    return s.lists[static_cast<int>(l)];
}

TEST(PadIntZeros, PadsToTheWidthAndKeepsWiderNumbers) {
    EXPECT_EQ(PadIntZeros(0, 4), "0000");
    EXPECT_EQ(PadIntZeros(42, 4), "0042");
    EXPECT_EQ(PadIntZeros(1234, 4), "1234");
    EXPECT_EQ(PadIntZeros(123456, 4), "123456");
}

TEST(RemovalOrder, LongerFirstThenReverseTextWithoutRegardToCase) {
    EXPECT_EQ(RemovalOrder({"C:\\App", "C:\\App\\Sub", "C:\\App\\a.txt", "C:\\App\\B.txt",
                            "C:\\App\\c.txt", "C:\\Z"}),
              (Lines{"C:\\App\\c.txt", "C:\\App\\B.txt", "C:\\App\\a.txt", "C:\\App\\Sub",
                     "C:\\App", "C:\\Z"}));
    EXPECT_EQ(RemovalOrder({}), Lines{});
    // Past four digits the prefix widens, and still sorts after the shorter ones.
    const std::string huge(10000, 'x');
    EXPECT_EQ(RemovalOrder({huge, "C:\\a"}), (Lines{huge, "C:\\a"}));
}

TEST(ScriptSorting, ArgumentOfTheTrimmedLine) {
    struct Case {
        const char* line;
        const char* argument;
    };
    const Case cases[] = {
        {"REMOVE_FILE(C:\\App\\a.txt);", "C:\\App\\a.txt"},
        {"  REMOVE_FILE(C:\\a (1).txt) ; \t", "C:\\a (1).txt"},
        {"SET_PERFORM_EXECUTE_OP(~|r|~|(x)|~);", "~|r|~|(x)|~"},
        {"REMOVE_FILE()", ""},
        {"REMOVE_FILE(C:\\x", ""},
        {"REMOVE_FILE)C:\\x(", ""},
        {"PROG_NAME=Demo", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CommandArgument(c.line), c.argument) << c.line;
}

TEST(ScriptSorting, EachLineByItsFirstKeyword) {
    const SortedScript s = SortScriptLines({
        "PROG_NAME=Demo",
        "REMOVE_SHARED_FILE(C:\\s.dll);",
        "REMOVE_READONLY_FILE(C:\\r.txt);",
        " REMOVE_FILE(C:\\f.txt);",
        "remove_file(C:\\lower.txt);",   // keywords are case-sensitive
        "X REMOVE_FILE(C:\\later.txt);", // and only at the line's start
        "REMOVE_SERVICE_FILE(C:\\lib.dll);",
        "REMOVE_DIR(C:\\Both);",
        "REMOVE_DIR(C:\\Plain);",
        "FORCE_REMOVE_DIR(c:\\both);",
        "DONT_REMOVE_DIR(C:\\Keep);",
        "AVOID_ERR_REMOVE_DIR(C:\\Data);",
        "REMOVE_FOLDER(C:\\Menu\\Demo);",
        "FORCE_REMOVE_FOLDER(C:\\Menu\\Tools);",
        "REMOVE_REG_KEY(HKEY_CURRENT_USER\\Software\\Demo);",
        "SET_PERFORM_REGISTRY_OP(,HKEY_CURRENT_USER\\Software\\Demo,v,1,Create,Remove,String,);",
        "SET_PERFORM_INIFILE_OP(,C:\\d.ini,S,K,V,Create,Remove,);",
        "SET_PERFORM_ENVIRONMENT_OP(,DEMO,1,Create,Remove,);",
        "SET_ADD_ASSOCIATION_ITEM(|Demo.File|Demo|.dmo||C:\\d.exe|||Create|Remove|);",
        "SET_ADD_OPEN_WITH_ITEM(|Open with Demo|.dmo|);",
        "SET_EXECUTION_DLL_NAME(First.dll);",
        "SET_EXECUTION_DLL_NAME(Ext.dll);",
        "SET_PERFORM_EXECUTE_OP(~|r|~||~);",
    });
    EXPECT_EQ(list(s, ItemList::SharedFiles), Lines{"C:\\s.dll"});
    EXPECT_EQ(list(s, ItemList::ReadOnlyFiles), Lines{"C:\\r.txt"});
    EXPECT_EQ(list(s, ItemList::Files), Lines{"C:\\f.txt"});
    EXPECT_EQ(list(s, ItemList::ServiceFiles), Lines{"C:\\lib.dll"});
    // A directory that is also forced is handled as forced only.
    EXPECT_EQ(list(s, ItemList::Dirs), Lines{"C:\\Plain"});
    EXPECT_EQ(list(s, ItemList::ForcedDirs), Lines{"c:\\both"});
    EXPECT_EQ(list(s, ItemList::KeptDirs), Lines{"C:\\Keep"});
    EXPECT_EQ(list(s, ItemList::ForgivenDirs), Lines{"C:\\Data"});
    EXPECT_EQ(list(s, ItemList::MenuFolders), Lines{"C:\\Menu\\Demo"});
    EXPECT_EQ(list(s, ItemList::ForcedMenuFolders), Lines{"C:\\Menu\\Tools"});
    EXPECT_EQ(list(s, ItemList::RegKeys), Lines{"HKEY_CURRENT_USER\\Software\\Demo"});
    EXPECT_EQ(list(s, ItemList::RegistryOps),
              Lines{",HKEY_CURRENT_USER\\Software\\Demo,v,1,Create,Remove,String,"});
    EXPECT_EQ(list(s, ItemList::IniOps), Lines{",C:\\d.ini,S,K,V,Create,Remove,"});
    EXPECT_EQ(list(s, ItemList::EnvironmentOps), Lines{",DEMO,1,Create,Remove,"});
    EXPECT_EQ(list(s, ItemList::Associations),
              Lines{"|Demo.File|Demo|.dmo||C:\\d.exe|||Create|Remove|"});
    EXPECT_EQ(list(s, ItemList::OpenWithItems), Lines{"|Open with Demo|.dmo|"});
    EXPECT_EQ(list(s, ItemList::ExecuteOps), Lines{"~|r|~||~"});
    EXPECT_EQ(list(s, ItemList::Folders), Lines{});
    EXPECT_EQ(s.execDllName, "Ext.dll");
    EXPECT_FALSE(SortScriptLines({"PROG_NAME=Demo"}).execDllName);
}

TEST_F(UninstallTest, SystemFoldersAndTheShellFolders) {
    using machine::KnownFolder;
    struct Case {
        std::string path;
        bool system;
    };
    const std::string windows = GetWindowsDir(false);
    fs::createFolders(windows + "\\Demo");
    const std::string desktop = machine::knownFolderPath(KnownFolder::Desktop);
    const std::string programs = machine::knownFolderPath(KnownFolder::CommonPrograms);
    const Case cases[] = {
        {windows, true},
        {windows + "\\", true},
        {"c:\\windows\\system32", true},
        {windows + "\\Demo\\..", true},
        {GetTempDir(true), true},
        {GetFontsDir(), true},
        {GetProgramFilesDir() + "\\", true},
        {GetCommonFilesDir(), true},
        {machine::knownFolderPath(KnownFolder::UserProfile), true},
        {desktop + "\\", true},
        {machine::knownFolderPath(KnownFolder::Startup), true},
        {machine::knownFolderPath(KnownFolder::SendTo), true},
        {machine::knownFolderPath(KnownFolder::MyDocuments), true},
        {machine::knownFolderPath(KnownFolder::AllUsersProfile), true},
        {programs, true},
        {windows + "\\Demo", false},
        {programs + "\\Demo", false},
        {GetProgramFilesDir() + "\\Demo", false},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsSystemFolder(c.path), c.system) << c.path;
    // A short name of a system folder is that folder too.
    const std::string shortName = fs::shortPath(GetProgramFilesDir());
    ASSERT_NE(shortName, GetProgramFilesDir());
    EXPECT_TRUE(IsSystemFolder(shortName)) << shortName;
    // A shell folder the registry moved elsewhere counts where the registry says.
    RegWriteString("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
                   "Shell Folders",
                   "Personal", "D:\\Docs");
    EXPECT_TRUE(IsSystemFolder("d:\\docs"));
}

TEST_F(UninstallTest, DecSharedDllLowersTheCountAndDropsItAtZero) {
    struct Case {
        const char* count; // nullptr: no value
        std::uint32_t result;
        const char* after; // nullptr: no value
    };
    const Case cases[] = {
        {"3", 2, "2"},
        {"1", 0, nullptr},
        {"0", 0, nullptr},
        {nullptr, 0, nullptr},
    };
    const std::string file = "C:\\Prog\\Shared\\s.dll";
    for (const Case& c : cases) {
        RegDeleteValueAt(kSharedDlls, file);
        if (c.count) RegWriteTyped(kSharedDlls, file, c.count, "Integer");
        EXPECT_EQ(DecSharedDll(file), c.result) << (c.count ? c.count : "none");
        bool isDword = false;
        const std::string after = RegReadString(kSharedDlls, file, isDword);
        EXPECT_EQ(after, c.after ? c.after : "") << (c.count ? c.count : "none");
        EXPECT_EQ(isDword, c.after != nullptr);
    }
}

TEST(RemovalReport, GroupsOfTheFailedCategories) {
    const auto counts = [](std::initializer_list<FailureCategory> failed) {
        FailureCounts f;
        for (FailureCategory c : failed)
            f.add(c);
        return f;
    };
    using C = FailureCategory;
    EXPECT_EQ(RemovalReport(FailureCounts{}), "");
    EXPECT_EQ(RemovalReport(counts({C::Associations, C::Associations})),
              "UnInstall was unable to handle one or more File Association entries\\n"
              "\\nTo complete the UnInstall operation, Please handle them manually.");
    EXPECT_EQ(RemovalReport(counts({C::Execute, C::Files, C::Registry, C::Directories, C::Ini})),
              "UnInstall was unable to handle one or more Registry keys\\n"
              "UnInstall was unable to handle one or more IniFile entries\\n"
              "\\nTo complete the UnInstall operation, Please handle them manually."
              "\\n\\n"
              "UnInstall was unable to remove one or more Directories\\n"
              "UnInstall was unable to remove one or more Files\\n"
              "\\nTo complete the UnInstall operation, Please remove them manually."
              "\\n\\n"
              "UnInstall was unable to execute one or more operations\\n"
              "\\nTo complete the UnInstall operation, Please perform them manually.");
}

} // namespace
} // namespace kv::installer::uninstall
