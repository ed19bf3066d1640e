// The removal run by the window's start-up timer on hand-written scripts: what goes, what
// stays, the item log, the ticks, the report box and the end of the run.

#include "installer/common/environment_ops.h"
#include "installer/common/registry_ops.h"
#include "installer/common/registry_primitives.h"
#include "installer/common/system_notices.h"
#include "installer/common/system_queries.h"
#include "installer/common/tests/machine_helpers.h"
#include "installer/uninstall/main_form.h"
#include "installer/uninstall/tests/uninstall_fixture.h"
#include "installer/uninstall/uninstall_state.h"
#include "platform/fs/attributes.h"
#include "platform/fs/files.h"
#include "platform/fs/path.h"
#include "platform/system/known_folders.h"
#include "platform/ui/application.h"

#include <fstream>
#include <functional>
#include <initializer_list>
#include <sstream>

namespace kv::installer::uninstall {
namespace {

using Lines = std::vector<std::string>;
using ui::headless::ExpectedBox;

const std::string kSharedDlls =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
const std::string kBlanks(20, ' ');

using kv::installer::testing::execRecord;

// A record of the stage that appends the text to a file.
std::string appendRecord(const char* stage, const char* file, const char* text) {
    return execRecord(
        {{1, "append"}, {2, stage}, {4, "1"}, {19, "1"}, {20, "Append Text to a File"}},
        {{13, file}, {14, text}});
}

std::string exitRecord(const char* stage) {
    return execRecord({{1, "quit"}, {2, stage}, {4, "1"}, {19, "1"}, {20, "Exit"}}, {});
}

std::string file(const std::string& path, const std::string& bytes = "x") {
    fs::createFolders(fs::folderPart(path));
    fs::writeFile(path, bytes);
    return path;
}

Lines splitLines(const std::string& text) {
    Lines lines;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2)
        lines.push_back(text.substr(from, at - from));
    if (from < text.size()) lines.push_back(text.substr(from));
    return lines;
}

// The text of the report box: each line indented as the installer's boxes have it.
std::string boxText(const Lines& lines) {
    std::string text = "\r\n\r\n";
    for (const std::string& line : lines)
        text += line + kBlanks + "\r\n";
    return text + "\r\n";
}

class RemovalTest : public testing::UninstallTest {
protected:
    // Shows the window for the script and runs the message loop: the start-up timer runs
    // the removal, then the test user closes the window once the removal is done.
    TMainForm& removeWith(const Lines& script) {
        writeScript(script);
        TMainForm& form = ui::app().form<TMainForm>();
        form_ = &form;
        form.ShowAsMain();
        if (beforeRun_) beforeRun_(form);
        ui_->setIdleHandler([this] {
            if (!IsUninstallDone() || !form_->loaded()) return false;
            closedByUser_ = true;
            EXPECT_TRUE(form_->CloseButton.enabled());
            EXPECT_EQ(form_->activeControl(), &form_->CloseButton);
            form_->CloseButton.click();
            return true;
        });
        ui::app().run();
        EXPECT_EQ(ui::app().loadedForm<TMainForm>(), nullptr);
        EXPECT_TRUE(IsUninstallDone());
        return form;
    }

    TMainForm* form_ = nullptr;
    bool closedByUser_ = false;
    std::function<void(TMainForm&)> beforeRun_; // once the window shows
};

TEST_F(RemovalTest, NothingFailedNoBoxAndTheCompletionText) {
    file("C:\\Prog\\Demo\\a.txt");
    file("C:\\Prog\\Demo\\Sub\\b.txt");
    file("C:\\App\\Ext.dll"); // not a library: its aliases are read with messages off
    TMainForm& form = removeWith({
        "PROG_NAME=Demo",
        "S2=All gone",
        "REMOVE_FILE(C:\\Prog\\Demo\\a.txt);",
        "REMOVE_FILE(C:\\Prog\\Demo\\Sub\\b.txt);",
        "REMOVE_FILE(C:\\Prog\\Demo\\missing.txt);",
        "REMOVE_DIR(C:\\Prog\\Demo);",
        "REMOVE_DIR(C:\\Prog\\Demo\\Sub);",
        // The uninstaller and its folder stay for the self-deletion, without a failure.
        "REMOVE_FILE(C:\\App\\UnInstall.exe);",
        "REMOVE_DIR(C:\\App);",
        "SET_EXECUTION_DLL_NAME(Ext.dll);",
    });
    EXPECT_TRUE(closedByUser_);
    EXPECT_FALSE(fs::exists("C:\\Prog\\Demo"));
    EXPECT_TRUE(fs::exists("C:\\Prog"));
    EXPECT_TRUE(fs::exists(kExe));
    EXPECT_FALSE(fs::exists("C:\\App\\Ext.dll")); // the library goes last
    EXPECT_EQ(splitLines(form.Memo1.text()).back(), "\tC:\\App\\Ext.dll ");
    EXPECT_TRUE(form.Label7.visible());
    EXPECT_EQ(form.Label7.caption(), "All gone");
    for (ui::Image* tick : form.ticks())
        EXPECT_TRUE(tick->visible());
    EXPECT_TRUE(ui_->boxes().empty());
}

// The item log of the test mode, focused when the removal starts, shows no caret while the
// lines come; the Close button takes the focus at the end.
TEST_F(RemovalTest, TheRemovalHidesTheCaretFirst) {
    fs::writeFile(kTestModeFile, "");
    file("C:\\Prog\\a.txt");
    beforeRun_ = [](TMainForm& form) { ASSERT_TRUE(form.Memo1.setFocus()); };
    TMainForm& form = removeWith({"REMOVE_FILE(C:\\Prog\\a.txt);"});
    Lines notes;
    for (const ui::headless::Record& r : ui_->records())
        if (r.kind == ui::headless::Record::Kind::Note) notes.push_back(r.text);
    EXPECT_EQ(notes, Lines{"caret hidden MainForm.Memo1"});
    EXPECT_FALSE(form.Memo1.caretHidden());
}

TEST_F(RemovalTest, TestModeItemLogAndTheReport) {
    fs::writeFile(kTestModeFile, "");
    file("C:\\Prog\\s.dll");
    file("C:\\Prog\\a.txt");
    file("C:\\Prog\\Full\\stays.txt");
    // Files on the host drive cannot be deleted: two failures of one category.
    const std::filesystem::path host = machine_.folder() / "outside";
    std::filesystem::create_directories(host);
    std::ofstream(host / "one.txt") << "1";
    std::ofstream(host / "two.txt") << "2";
    const std::string one = fs::machinePath(host / "one.txt");
    const std::string two = fs::machinePath(host / "two.txt");
    ASSERT_EQ(one.substr(0, 3), "Z:\\");
    RegWriteString("HKEY_LOCAL_MACHINE\\Software\\Demo", "v", "1");
    const std::string start = appendRecord("UnInstall Start", "C:\\Prog\\log.txt", "start");
    const std::string end = appendRecord("UnInstall End", "C:\\Prog\\log.txt", "end");

    ui_->expectBox(
        ExpectedBox{"Error",
                    boxText({"UnInstall was unable to handle one or more Registry keys", "",
                             "To complete the UnInstall operation, Please handle them manually.",
                             "", "UnInstall was unable to remove one or more Directories",
                             "UnInstall was unable to remove one or more Files", "",
                             "To complete the UnInstall operation, Please remove them manually."}),
                    {},
                    0x52010});
    TMainForm& form = removeWith({
        "REMOVE_SHARED_FILE(C:\\Prog\\s.dll);",
        "REMOVE_FILE(C:\\Prog\\s.dll);",
        "REMOVE_FILE(C:\\Prog\\a.txt);",
        "REMOVE_FILE(" + one + ");",
        "REMOVE_FILE(" + two + ");",
        "REMOVE_DIR(C:\\Prog\\Full);",
        "REMOVE_REG_KEY(HKEY_LOCAL_MACHINE\\Software\\Demo);",
        "REMOVE_REG_KEY(HKEY_LOCAL_MACHINE\\Software);",
        "SET_PERFORM_EXECUTE_OP(" + start + ");",
        "SET_PERFORM_EXECUTE_OP(" + end + ");",
    });
    EXPECT_TRUE(form.Memo1.visible());
    EXPECT_EQ(splitLines(form.Memo1.text()), (Lines{
                                                 "",
                                                 "PERFORM EXECUTE OP ",
                                                 "\t" + end + " ",
                                                 "\t" + start + " ",
                                                 "",
                                                 "REMOVE SHARED FILES ",
                                                 "\tC:\\Prog\\s.dll ",
                                                 "",
                                                 "REMOVE FILES ",
                                                 "*\t" + two + " ",
                                                 "*\t" + one + " ",
                                                 "\tC:\\Prog\\s.dll ",
                                                 "\tC:\\Prog\\a.txt ",
                                                 "",
                                                 "REMOVE FOLDERS ",
                                                 "",
                                                 "REMOVE PROGRAM FOLDERS ",
                                                 "",
                                                 "REMOVE PROGRAM DIRECTORIES ",
                                                 "*\tC:\\Prog\\Full ",
                                                 "",
                                                 "REMOVE REGISTRY KEYS ",
                                                 "\tHKEY_LOCAL_MACHINE\\Software\\Demo ",
                                                 "*\tHKEY_LOCAL_MACHINE\\Software ",
                                                 "",
                                                 "PERFORM EXECUTE OP ",
                                                 "\t" + end + " ",
                                                 "\t" + start + " ",
                                             }));
    EXPECT_EQ(fs::readFile("C:\\Prog\\log.txt"), "startend");
    EXPECT_TRUE(std::filesystem::exists(host / "one.txt"));
    EXPECT_FALSE(RegKeyExists("HKEY_LOCAL_MACHINE\\Software\\Demo"));
    EXPECT_TRUE(RegKeyExists("HKEY_LOCAL_MACHINE\\Software\\Microsoft"));
    EXPECT_TRUE(form.Label7.visible());
}

TEST_F(RemovalTest, FolderRules) {
    // Named both plain and forced: deleted with its files as a forced folder, logged once.
    file("C:\\Both\\x.txt");
    // Deeper first, whatever the order of the lines.
    fs::createFolders("C:\\Deep\\Sub\\Inner");
    // A file below a kept folder and the kept folder's parent stay, without lines.
    file("C:\\Kept\\Keep\\k.txt");
    // A failure forgiven by an entry that begins with the folder's path.
    file("C:\\Forgive\\Data\\user.dat");
    const std::string windows = GetWindowsDir(false);
    const std::string fonts = windows + "\\Fonts";
    file(windows + "\\keep.ini");
    const std::string desktop = machine::knownFolderPath(machine::KnownFolder::Desktop);
    file(desktop + "\\mine.txt");
    fs::writeFile(kTestModeFile, "");
    TMainForm& form = removeWith({
        "REMOVE_DIR(C:\\Both);",
        "FORCE_REMOVE_DIR(C:\\Both);",
        "REMOVE_DIR(C:\\Deep);",
        "REMOVE_DIR(C:\\Deep\\Sub);",
        "REMOVE_DIR(C:\\Deep\\Sub\\Inner);",
        "DONT_REMOVE_DIR(C:\\Kept\\Keep);",
        "REMOVE_FILE(C:\\Kept\\Keep\\k.txt);",
        "REMOVE_DIR(C:\\Kept);",
        "REMOVE_DIR(C:\\Forgive\\Data);",
        "AVOID_ERR_REMOVE_DIR(C:\\Forgive\\Data\\);",
        "FORCE_REMOVE_DIR(" + windows + ");",
        "FORCE_REMOVE_DIR(" + desktop + "\\);",
        "REMOVE_DIR(" + fonts + ");",
    });
    EXPECT_FALSE(fs::exists("C:\\Both"));
    EXPECT_FALSE(fs::exists("C:\\Deep"));
    EXPECT_TRUE(fs::exists("C:\\Kept\\Keep\\k.txt"));
    EXPECT_TRUE(fs::exists("C:\\Forgive\\Data\\user.dat"));
    EXPECT_TRUE(fs::exists(windows + "\\keep.ini"));
    EXPECT_TRUE(fs::exists(fonts));
    EXPECT_TRUE(fs::exists(desktop + "\\mine.txt"));
    const Lines log = splitLines(form.Memo1.text());
    const auto from = std::find(log.begin(), log.end(), "REMOVE PROGRAM DIRECTORIES ");
    const auto to = std::find(log.begin(), log.end(), "REMOVE REGISTRY KEYS ");
    ASSERT_NE(from, log.end());
    EXPECT_EQ(Lines(from + 1, to), (Lines{
                                       "\t" + desktop + "\\ ",
                                       "\t" + windows + " ",
                                       "\tC:\\Both ",
                                       "\tC:\\Deep\\Sub\\Inner ",
                                       "\t" + fonts + " ",
                                       "\tC:\\Forgive\\Data ",
                                       "\tC:\\Deep\\Sub ",
                                       "\tC:\\Deep ",
                                       "",
                                   }));
    EXPECT_EQ(std::count(log.begin(), log.end(), "\tC:\\Kept\\Keep\\k.txt "), 0);
    EXPECT_TRUE(ui_->boxes().empty());
}

// A forced folder written with ".." ("/" read as "\") is refused whatever it comes to: its
// tree stays and it fails as a folder; a forced folder without one still goes.
TEST_F(RemovalTest, ForcedFoldersWithDotDotAreRefused) {
    const std::string programs = machine::knownFolderPath(machine::KnownFolder::Programs);
    const std::string profiles = fs::fullPath(programs + "\\..\\..\\..");
    file(profiles + "\\Other\\keep.txt");
    file("C:\\App\\Data\\keep.txt");
    file("C:\\App\\Cache\\c.dat");
    fs::writeFile(kTestModeFile, "");
    ui_->expectBox(
        ExpectedBox{"Error",
                    boxText({"UnInstall was unable to remove one or more Directories", "",
                             "To complete the UnInstall operation, Please remove them manually."}),
                    {},
                    0x52010});
    TMainForm& form = removeWith({
        "FORCE_REMOVE_FOLDER(" + programs + "\\Demo\\..\\..\\..\\..);",
        "FORCE_REMOVE_DIR(C:\\App\\Data/..);",
        "FORCE_REMOVE_DIR(C:\\App\\Cache);",
    });
    EXPECT_TRUE(fs::exists(profiles + "\\Other\\keep.txt"));
    EXPECT_TRUE(fs::exists("C:\\App\\Data\\keep.txt"));
    EXPECT_FALSE(fs::exists("C:\\App\\Cache"));
    const Lines log = splitLines(form.Memo1.text());
    for (const std::string& line :
         {"*\t" + programs + "\\Demo\\..\\..\\..\\.. ", std::string("*\tC:\\App\\Data/.. "),
          std::string("\tC:\\App\\Cache ")})
        EXPECT_EQ(std::count(log.begin(), log.end(), line), 1) << line;
}

TEST_F(RemovalTest, SharedFileCounts) {
    for (const char* name : {"three.dll", "one.dll", "none.dll"})
        file(std::string("C:\\Shared\\") + name);
    RegWriteTyped(kSharedDlls, "C:\\Shared\\three.dll", "3", "Integer");
    RegWriteTyped(kSharedDlls, "C:\\Shared\\one.dll", "1", "Integer");
    removeWith({"REMOVE_SHARED_FILE(C:\\Shared\\three.dll);", "REMOVE_FILE(C:\\Shared\\three.dll);",
                "REMOVE_SHARED_FILE(C:\\Shared\\one.dll);", "REMOVE_FILE(C:\\Shared\\one.dll);",
                "REMOVE_SHARED_FILE(C:\\Shared\\none.dll);", "REMOVE_FILE(C:\\Shared\\none.dll);"});
    EXPECT_TRUE(fs::exists("C:\\Shared\\three.dll"));
    EXPECT_EQ(RegReadValue(kSharedDlls, "C:\\Shared\\three.dll", "gone"), "2");
    EXPECT_FALSE(fs::exists("C:\\Shared\\one.dll"));
    EXPECT_EQ(RegReadValue(kSharedDlls, "C:\\Shared\\one.dll", "gone"), "gone");
    EXPECT_FALSE(fs::exists("C:\\Shared\\none.dll"));
    EXPECT_TRUE(ui_->boxes().empty());
}

TEST_F(RemovalTest, SharedReadOnlyFiles) {
    // As setup writes them: read-only, shared and plain lines for each file.
    for (const char* name : {"other.dll", "last.dll"}) {
        const std::string path = file(std::string("C:\\Shared\\") + name);
        fs::setAttributes(path, fs::kAttrReadOnly);
    }
    RegWriteTyped(kSharedDlls, "C:\\Shared\\other.dll", "2", "Integer"); // another product's
    RegWriteTyped(kSharedDlls, "C:\\Shared\\last.dll", "1", "Integer");
    Lines script;
    for (const char* name : {"other.dll", "last.dll"})
        for (const char* command : {"REMOVE_READONLY_FILE(", "REMOVE_SHARED_FILE(", "REMOVE_FILE("})
            script.push_back(std::string(command) + "C:\\Shared\\" + name + ");");
    removeWith(script);
    EXPECT_TRUE(fs::exists("C:\\Shared\\other.dll"));
    EXPECT_NE(fs::getAttributes("C:\\Shared\\other.dll") & fs::kAttrReadOnly, 0u);
    EXPECT_EQ(RegReadValue(kSharedDlls, "C:\\Shared\\other.dll", ""), "1");
    EXPECT_FALSE(fs::exists("C:\\Shared\\last.dll"));
    EXPECT_TRUE(ui_->boxes().empty()); // no false failure for either
}

TEST_F(RemovalTest, ExitAtUnInstallStartRemovesNothing) {
    file("C:\\Prog\\a.txt");
    RegWriteString("HKEY_CURRENT_USER\\Software\\Demo", "v", "1");
    // Run from the last to the first: the third record, then the Exit; the first never runs.
    removeWith({"REMOVE_FILE(C:\\Prog\\a.txt);", "REMOVE_DIR(C:\\Prog);",
                "REMOVE_REG_KEY(HKEY_CURRENT_USER\\Software\\Demo);",
                "SET_PERFORM_EXECUTE_OP(" +
                    appendRecord("UnInstall Start", "C:\\Prog\\log.txt", "first") + ");",
                "SET_PERFORM_EXECUTE_OP(" + exitRecord("UnInstall Start") + ");",
                "SET_PERFORM_EXECUTE_OP(" +
                    appendRecord("UnInstall Start", "C:\\Prog\\log.txt", "third") + ");"});
    EXPECT_FALSE(closedByUser_);
    EXPECT_EQ(fs::readFile("C:\\Prog\\log.txt"), "third");
    EXPECT_TRUE(fs::exists("C:\\Prog\\a.txt"));
    EXPECT_TRUE(RegKeyExists("HKEY_CURRENT_USER\\Software\\Demo"));
    for (ui::Image* tick : form_->ticks())
        EXPECT_FALSE(tick->visible());
    EXPECT_FALSE(form_->Label7.visible());
    EXPECT_TRUE(ui_->boxes().empty());
}

TEST_F(RemovalTest, ExitAtUnInstallEndStillRemovesServiceFilesButShowsNoReport) {
    file("C:\\Prog\\lib.dll");
    // A failure, but no report after the Exit.
    removeWith({"REMOVE_SERVICE_FILE(C:\\Prog\\lib.dll);",
                "REMOVE_REG_KEY(HKEY_LOCAL_MACHINE\\SYSTEM);",
                "SET_PERFORM_EXECUTE_OP(" + exitRecord("UnInstall End") + ");"});
    EXPECT_FALSE(closedByUser_);
    EXPECT_FALSE(fs::exists("C:\\Prog\\lib.dll"));
    EXPECT_TRUE(RegKeyExists("HKEY_LOCAL_MACHINE\\SYSTEM"));
    EXPECT_FALSE(form_->Label7.visible());
    EXPECT_TRUE(ui_->boxes().empty());
}

TEST_F(RemovalTest, RecordsUndoneAndOnlyAssociationFailuresNamed) {
    RegWriteString("HKEY_CURRENT_USER\\Software\\Demo", "v", "1");
    SetSystemEnvVar("DEMO_HOME", "C:\\Prog", false);
    file("C:\\Prog\\demo.ini", "[Sec]\r\nKey=1\r\nOther=2\r\n");
    RegWriteString("HKEY_CLASSES_ROOT\\.dmo", "", "Demo.File");
    RegWriteString("HKEY_CLASSES_ROOT\\Demo.File", "", "Demo file");
    RegWriteString("HKEY_CLASSES_ROOT\\Folder\\shell\\Open with Demo\\command", "", "x");
    ui_->expectBox(ExpectedBox{
        .caption = "Error",
        .plainText = "UnInstall was unable to handle one or more File Association entries\n"
                     "To complete the UnInstall operation, Please handle them manually."});
    removeWith({
        "TargetDir=C:\\Prog",
        "SET_PERFORM_REGISTRY_OP(,HKEY_CURRENT_USER\\Software\\Demo,v,1,Create,Remove,String,);",
        "SET_PERFORM_INIFILE_OP(,<InstallDir>demo.ini,Sec,Key,1,Create,Remove,);",
        "SET_PERFORM_ENVIRONMENT_OP(,DEMO_HOME,C:\\Prog,Create,Remove,);",
        "SET_ADD_OPEN_WITH_ITEM(|Open with Demo|.dmo|);",
        "SET_ADD_ASSOCIATION_ITEM(|Demo.File|Demo "
        "file|.dmo||<InstallDir>demo.exe|||Create|Remove|);",
        // Failures: an unknown uninstall action, an open-with entry without extensions.
        "SET_ADD_ASSOCIATION_ITEM(|Demo.Other|Other|.dmx||C:\\o.exe|||Create|Keep|);",
        "SET_ADD_OPEN_WITH_ITEM(|Open with Demo||);",
    });
    EXPECT_FALSE(RegKeyExists("HKEY_CURRENT_USER\\Software\\Demo"));
    EXPECT_EQ(RegReadValue("HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session "
                           "Manager\\Environment",
                           "DEMO_HOME", "gone"),
              "gone");
    EXPECT_EQ(IniReadString("C:\\Prog\\demo.ini", "Sec", "Key", "gone"), "gone");
    EXPECT_EQ(IniReadString("C:\\Prog\\demo.ini", "Sec", "Other", "gone"), "2");
    EXPECT_FALSE(RegKeyExists("HKEY_CLASSES_ROOT\\.dmo"));
    EXPECT_FALSE(RegKeyExists("HKEY_CLASSES_ROOT\\Demo.File"));
    EXPECT_FALSE(RegKeyExists("HKEY_CLASSES_ROOT\\Folder\\shell\\Open with Demo"));
    // The shell is told once that associations changed.
    int notices = 0;
    for (const SystemNotice& n : SentNotices())
        if (n.kind == SystemNotice::Kind::ShellChange && n.event == kShellAssocChanged) ++notices;
    EXPECT_EQ(notices, 1);
}

} // namespace
} // namespace kv::installer::uninstall
