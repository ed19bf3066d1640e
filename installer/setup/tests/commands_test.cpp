// The command table: defaults after reset, number rules, groups and copy entries, removal
// lines and the lists.

#include "installer/setup/script.h"

#include "platform/ui/headless/headless.h"

#include <gtest/gtest.h>

namespace kv::installer {
namespace {

using ui::headless::ExpectedBox;
using Strings = std::vector<std::string>;

TScript load(const std::string& text) {
    TScript s;
    s.LoadFromText(text);
    return s;
}

TEST(ScriptCommands, DefaultsAfterReset) {
    ui::headless::install();
    TScript s = load("SET_PROG_NAME(x)\nSET_LANG_FLAG(2)\nSET_TOP_BG_COLOR(1)\nSET_USE_COPY\n"
                     "SET_GROUP_DATA(g)\nSET_DIALOGS(A)");
    s.Reset();
    EXPECT_EQ(s.LangFlag(), 1);
    EXPECT_EQ(s.OverwriteFlag(), 0);
    EXPECT_EQ(s.GlobalOverwriteFlag(), 1);
    EXPECT_EQ(s.Text(ScriptText::TopBgColor), "16711680");
    EXPECT_EQ(s.Text(ScriptText::BottomBgColor), "8388608");
    EXPECT_EQ(s.Text(ScriptText::ProgName), "");
    EXPECT_FALSE(s.Flag(ScriptFlag::UseCopy));
    EXPECT_TRUE(s.Groups().empty());
    EXPECT_EQ(s.Pages(), "");
    EXPECT_FALSE(s.CopyToUninstall());
}

TEST(ScriptCommands, NumberRules) {
    struct Case {
        const char* script;
        int lang, overwrite, global, dialogDx;
    };
    const Case cases[] = {
        {"SET_LANG_FLAG(x)", 1, 0, 1, 0},
        {"SET_LANG_FLAG(2)", 2, 0, 1, 0},
        {"SET_LANG_FLAG( 2 )", 2, 0, 1, 0},
        {"SET_LANG_FLAG(2x)", 1, 0, 1, 0},
        {"SET_LANG_FLAG(99999999999)", 1, 0, 1, 0},
        {"SET_OVERWRITE_FLAG(3)\nSET_OVERWRITE_FLAG(7)", 1, 3, 1, 0},
        {"SET_OVERWRITE_FLAG(4)\nSET_OVERWRITE_FLAG(-1)", 1, 4, 1, 0},
        {"SET_OVERWRITE_FLAG(2)\nSET_OVERWRITE_FLAG(0)", 1, 0, 1, 0},
        // Text that is not a number stands for the command's value after reset.
        {"SET_OVERWRITE_FLAG(2)\nSET_OVERWRITE_FLAG(z)", 1, 0, 1, 0},
        {"SET_OVERWRITE_FLAG(2)\nSET_OVERWRITE_FLAG()", 1, 0, 1, 0},
        {"SET_OVERWRITE_FLAG(2)\nSET_OVERWRITE_FLAG(1.5)", 1, 0, 1, 0},
        {"SET_GLOBAL_OVERWRITE_FLAG(0)", 1, 0, 1, 0},
        {"SET_GLOBAL_OVERWRITE_FLAG(4)\nSET_GLOBAL_OVERWRITE_FLAG(5)", 1, 0, 4, 0},
        {"SET_GLOBAL_OVERWRITE_FLAG(4)\nSET_GLOBAL_OVERWRITE_FLAG(z)", 1, 0, 1, 0},
        {"SET_GLOBAL_OVERWRITE_FLAG(3)\nSET_GLOBAL_OVERWRITE_FLAG(0)", 1, 0, 3, 0},
        {"SET_DIALOG_DX(-12)", 1, 0, 1, -12},
        {"SET_DIALOG_DX(5)\nSET_DIALOG_DX(abc)", 1, 0, 1, 0},
    };
    for (const Case& c : cases) {
        ui::headless::install();
        TScript s = load(c.script);
        EXPECT_EQ(s.LangFlag(), c.lang) << c.script;
        EXPECT_EQ(s.OverwriteFlag(), c.overwrite) << c.script;
        EXPECT_EQ(s.GlobalOverwriteFlag(), c.global) << c.script;
        EXPECT_EQ(s.DialogDX(), c.dialogDx) << c.script;
    }
}

TEST(ScriptCommands, TextsFlagsAndLists) {
    auto& ui = ui::headless::install();
    TScript s = load("SET_ALLOWED_OS(98,XP)\nSET_TEST_ADMIN_RIGHTS(ignored)\n"
                     "SET_PERFORM_REGISTRY_OP(a,b)\nSET_PERFORM_REGISTRY_OP(c)\n"
                     "SET_WIN_EXEC(notepad)\nSET_START_SERVICE(s1)\nSET_STOP_SERVICE(s2)\n"
                     "SET_DIALOG_IMAGE(WelcomeDlg=w.bmp)\nSET_BILLBOARD_FILE(1.txt)\n"
                     "SET_START_PROGRAM_LINK_ICON_NUM(3)\nSET_BOTTOM_BG_COLOR(255)");
    EXPECT_EQ(s.Text(ScriptText::AllowedOs), "98,XP");
    EXPECT_TRUE(s.Flag(ScriptFlag::TestAdminRights));
    EXPECT_EQ(s.List(ScriptList::RegistryOps), (Strings{"a,b", "c"}));
    EXPECT_EQ(s.List(ScriptList::WinExec), (Strings{"notepad"}));
    EXPECT_EQ(s.List(ScriptList::StartServices), (Strings{"s1"}));
    EXPECT_EQ(s.List(ScriptList::StopServices), (Strings{"s2"}));
    EXPECT_EQ(s.List(ScriptList::DialogImages), (Strings{"WelcomeDlg=w.bmp"}));
    EXPECT_EQ(s.List(ScriptList::BillboardFiles), (Strings{"1.txt"}));
    EXPECT_EQ(s.Text(ScriptText::StartProgramLinkIconNum), "3");
    EXPECT_EQ(s.Text(ScriptText::BottomBgColor), "255");
    EXPECT_EQ(s.Text(ScriptText::TopBgColor), "16711680");
    EXPECT_EQ(ui.finish(), "");
}

TEST(ScriptCommands, GroupsSubFoldersAndEntries) {
    auto& ui = ui::headless::install();
    TScript s = load("SET_GROUP_DATA(Main|100|1|0|3|Text|1)\n"
                     "SET_COPY_FILES(a.exe)\n"
                     "SET_SUB_DIR(<Common Folder>\\one)\n"
                     "SET_SUB_DIR(two)\n"
                     "SET_OVERWRITE_FLAG(2)\n"
                     "SET_COPY_FILES(*b.dll|00012#c.txt)\n"
                     "SET_COPY_FILES(3*d.txt)\n"
                     "SET_SUB_DIR(<Auxiliary Folder>)\n"
                     "SET_GROUP_DATA(Extra)\n"
                     "SET_SUB_DIR(three)\n"
                     "SET_SUB_DIR()\n"
                     "SET_COPY_FILES(*17*a.exe)");
    ASSERT_EQ(s.Groups().size(), 2u);
    EXPECT_EQ(s.Groups()[0].record, "Main|100|1|0|3|Text|1");
    EXPECT_EQ(GroupItem(s.Groups()[0], 0), "Main");
    EXPECT_EQ(GroupItem(s.Groups()[0], 4), "3");
    EXPECT_EQ(GroupItem(s.Groups()[1], 0), "Extra");
    EXPECT_EQ(GroupItem(s.Groups()[1], 6), "");
    EXPECT_EQ(s.Groups()[0].entries,
              (Strings{"0||a.exe", "0|<Common Folder>\\one|", "2|two|*b.dll|00012#c.txt",
                       "2|two|3*d.txt", "2|<Auxiliary Folder>|"}));
    EXPECT_EQ(s.Groups()[1].entries, (Strings{"2|three|", "2|three|*17*a.exe"}));
    EXPECT_TRUE(s.Flag(ScriptFlag::CommonFolderUsed));
    EXPECT_TRUE(s.Flag(ScriptFlag::AuxiliaryFolderUsed));
    EXPECT_EQ(s.List(ScriptList::SourceUses),
              (Strings{"a.exe", "b.dll", "00012#c.txt", "d.txt", "a.exe"}));
    EXPECT_EQ(ui.finish(), "");
}

TEST(ScriptCommands, EntriesBeforeAnyGroupAreReported) {
    auto& ui = ui::headless::install();
    for (const char* line : {"SET_COPY_FILES(a.exe)", "SET_SUB_DIR(two)"})
        ui.expectBox(
            ExpectedBox{.caption = "Error",
                        .plainText = std::string(line) + "\nUnrecognized command in Script file"});
    TScript s = load("SET_COPY_FILES(a.exe)\nSET_SUB_DIR(one)\nSET_SUB_DIR(two)\n"
                     "SET_GROUP_DATA(G)\nSET_COPY_FILES(b.exe)");
    ASSERT_EQ(s.Groups().size(), 1u);
    EXPECT_EQ(s.Groups()[0].entries, (Strings{"0|one|b.exe"}));
    EXPECT_EQ(s.List(ScriptList::SourceUses), (Strings{"b.exe"}));
    EXPECT_EQ(ui.finish(), "");
}

TEST(ScriptCommands, CopyFileItemPrefixes) {
    const std::tuple<const char*, int, const char*> cases[] = {
        {"a.txt", 0, "a.txt"},
        {"*a.txt", 1, "a.txt"},
        {"258*a.txt", 258, "a.txt"},
        {"*16*a.txt", 16, "a.txt"},
        {"12a.txt", 0, "12a.txt"},
        {"00012#r.txt", 0, "00012#r.txt"},
        {"4*00012#r.txt", 4, "00012#r.txt"},
    };
    for (const auto& [item, flags, name] : cases) {
        CopyFileItem f = SplitCopyFileItem(item);
        EXPECT_EQ(f.flags, flags) << item;
        EXPECT_EQ(f.name, name) << item;
    }
}

TEST(ScriptCommands, UseScriptFileCountsLastUse) {
    ui::headless::install();
    TScript s = load("SET_GROUP_DATA(G)\nSET_COPY_FILES(a.dll|b.dll)\nSET_COPY_FILES(*A.DLL)");
    EXPECT_TRUE(s.UseScriptFile("Z:\\setup\\a.dll"));
    EXPECT_FALSE(s.UseScriptFile("Z:\\setup\\a.dll"));
    EXPECT_FALSE(s.UseScriptFile("b.dll"));
    EXPECT_FALSE(s.UseScriptFile("Z:\\setup\\never.dll"));
    EXPECT_TRUE(s.List(ScriptList::SourceUses).empty());
}

TEST(ScriptCommands, RemovalLines) {
    ui::headless::install();
    TScript s = load("SET_REMOVE_REG_KEY(HKLM\\Software\\X)\nSET_REMOVE_ABSOLUTE_FILE(C:\\a.txt)\n"
                     "SET_REMOVE_ABSOLUTE_DIR(C:\\d)\nSET_FORCE_REMOVE_ABSOLUTE_DIR(C:\\e)\n"
                     "SET_FORCE_REMOVE_TARGET_SUB_DIR(data)\nSET_FORCE_REMOVE_TARGET_DIR(x)");
    EXPECT_EQ(s.List(ScriptList::Removal),
              (Strings{"REMOVE_REG_KEY(HKLM\\Software\\X)", "REMOVE_FILE(C:\\a.txt)",
                       "REMOVE_DIR(C:\\d)", "FORCE_REMOVE_DIR(C:\\e)",
                       "FORCE_REMOVE_DIR(<TARGET_DIR>\\data)", "FORCE_REMOVE_DIR(<TARGET_DIR>)"}));
}

} // namespace
} // namespace kv::installer
