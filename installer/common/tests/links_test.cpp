#include "installer/common/links.h"

#include "installer/common/internal/machine_files.h"
#include "installer/common/registry_primitives.h"
#include "machine_helpers.h"
#include "platform/registry/registry.h"
#include "platform/system/known_folders.h"
#include "platform/system/testing/temp_machine.h"
#include "platform/ui/headless/headless.h"

#include <gtest/gtest.h>

#include <fstream>

#include <unistd.h>

namespace kv::installer {
namespace {

using machine::KnownFolder;
using machine::knownFolderPath;
using machine::testing::TempMachine;
using ui::headless::ExpectedBox;
namespace in = internal;

constexpr const char* kUserFolders =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kMachineFolders =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

std::string content(const std::string& path) {
    std::ifstream file(in::hostPathOf(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// A shortcut to an ordinary program.
std::string shortcut(int kind, std::string_view subFolder, std::string_view name,
                     bool allUsers = false) {
    return CreateShortcut(kind, subFolder, allUsers, 1, 0, "", "C:\\App", "", "C:\\App\\app.exe",
                          name);
}

class Links : public ::testing::Test {
protected:
    void SetUp() override {
        ui_ = &ui::headless::install();
        testing::makeFile("C:\\App\\app.exe", "MZ");
    }
    void TearDown() override { EXPECT_EQ(ui_->finish(), ""); }
    TempMachine m_;
    ui::headless::HeadlessBackend* ui_ = nullptr;
};

TEST(LinksText, IsUrl) {
    struct Case {
        const char* text;
        bool url;
    };
    const Case cases[] = {
        {"http://example.com", true},
        {"FTP://host/file", true},
        {"WWW.example.com", true},
        {"mailto:someone@example.com", true},
        {"https://example.com", false},
        {"C:\\Program Files\\App\\app.exe", false},
        {"www", false},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsUrl(c.text), c.url) << c.text;
}

TEST_F(Links, LinkTargetIsAnExistingFileOrAWebAddress) {
    struct Case {
        const char* target;
        bool valid;
    };
    const Case cases[] = {
        {"C:\\App\\app.exe", true},   {"c:\\app\\APP.EXE", true}, {"www.example.com", true},
        {"C:\\App\\gone.exe", false}, {"C:\\App", false},         {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsLinkTarget(c.target), c.valid) << c.target;
}

TEST_F(Links, ResultIsTheLinkOrTheProgramGroup) {
    const std::string desktop = knownFolderPath(KnownFolder::Desktop);
    const std::string programs = knownFolderPath(KnownFolder::Programs);
    const std::string startMenu = knownFolderPath(KnownFolder::StartMenu);
    const std::string personal = knownFolderPath(KnownFolder::MyDocuments);
    const std::string startup = knownFolderPath(KnownFolder::Startup);
    struct Case {
        int kind;
        const char* subFolder;
        const char* name;
        std::string folder; // where the link lands
        bool linkIsResult;
    };
    const Case cases[] = {
        {kFolderDesktop, "", "App", desktop, true},
        {kFolderDesktop, "Tools", "App", desktop + "\\Tools", true},
        {kFolderPrograms, "  \\My App  ", "App", programs + "\\My App", false},
        {kFolderPrograms, "My App\\Sub", "Read Me", programs + "\\My App\\Sub", false},
        {kFolderPrograms, "My App", "Check for New Update", programs + "\\My App", true},
        {kFolderPrograms, " \\ ", "App", programs, true},
        {kFolderStartMenu, "Group", "App", startMenu + "\\Group", true},
        {kFolderPersonal, "Group", "App", personal + "\\Group", true},
        {kFolderStartup, "Group", "App", startup + "\\Group", false},
    };
    for (const Case& c : cases) {
        const std::string link = c.folder + "\\" + c.name + ".lnk";
        EXPECT_EQ(shortcut(c.kind, c.subFolder, c.name), c.linkIsResult ? link : c.folder)
            << c.kind << " " << c.subFolder;
        EXPECT_EQ(content(link).substr(0, 4), std::string("\x4C\0\0\0", 4)) << link;
    }
}

TEST_F(Links, AllUsersFallBackToTheCommonValues) {
    // The machine-wide key has no "Desktop": its "common Desktop" value is used, whatever
    // its spelling.
    ASSERT_EQ(RegReadValue(kMachineFolders, "Desktop", "none"), "none");
    const RegPath path = SplitRegPath(kMachineFolders);
    registry::Key key;
    ASSERT_EQ(registry::openKey(path.root, path.subKey, key), registry::Status::Success);
    ASSERT_EQ(registry::deleteValue(key, "Common Desktop"), registry::Status::Success);
    ASSERT_TRUE(RegWriteString(kMachineFolders, "COMMON DESKTOP", "C:\\All Desk"));
    EXPECT_EQ(shortcut(kFolderDesktop, "", "App", true), "C:\\All Desk\\App.lnk");
    EXPECT_TRUE(in::fileExists("C:\\All Desk\\App.lnk"));

    // Programs for all users, in a group.
    const std::string common = knownFolderPath(KnownFolder::CommonPrograms);
    EXPECT_EQ(shortcut(kFolderPrograms, "Group", "App", true), common + "\\Group");
    EXPECT_TRUE(in::fileExists(common + "\\Group\\App.lnk"));
}

TEST_F(Links, UnknownFoldersGiveNothing) {
    const RegPath path = SplitRegPath(kUserFolders);
    registry::Key key;
    ASSERT_EQ(registry::openKey(path.root, path.subKey, key), registry::Status::Success);
    ASSERT_EQ(registry::deleteValue(key, "SendTo"), registry::Status::Success);
    const std::string desktop = knownFolderPath(KnownFolder::Desktop);
    for (const int kind : {-1, 6, int(kFolderSendTo)})
        EXPECT_EQ(shortcut(kind, "", "App"), "") << kind;
    EXPECT_TRUE(in::fileNames(desktop, "*.lnk").empty());
    EXPECT_FALSE(in::fileExists(knownFolderPath(KnownFolder::SendTo) + "\\App.lnk"));
}

TEST_F(Links, FolderThatCannotBeMadeShowsTheBox) {
    ASSERT_TRUE(RegWriteString(kUserFolders, "Desktop", "Q:\\Missing"));
    ui_->expectBox(ExpectedBox{
        "Error", {}, "Q:\\Missing\\Sub\nUnable to create Link Directory!\n(RegOp.CreateLink)"});
    EXPECT_EQ(shortcut(kFolderDesktop, "Sub", "App"), "Q:\\Missing\\Sub\\App.lnk");
    ui_->expectBox(ExpectedBox{"Error"});
    EXPECT_EQ(
        CreateShortcut(kFolderDesktop, "", false, 1, 0, "", "", "", "http://example.com/", "Site"),
        "Q:\\Missing\\Site.url");

    // The host drive is never written.
    const std::string host = "/tmp/kv-links-" + std::to_string(::getpid());
    ASSERT_TRUE(RegWriteString(kUserFolders, "Desktop", "Z:" + host));
    ui_->expectBox(ExpectedBox{"Error"});
    shortcut(kFolderDesktop, "Sub", "App");
    EXPECT_FALSE(std::filesystem::exists(host));
}

TEST_F(Links, WebAddressesBecomeInternetShortcuts) {
    const std::string programs = knownFolderPath(KnownFolder::Programs);
    const std::string url =
        CreateShortcut(kFolderPrograms, "Group", false, 1, 2, "C:\\App\\app.ico", "C:\\App", "",
                       "www.example.com", "Home Page");
    EXPECT_EQ(url, programs + "\\Group\\Home Page.url");
    EXPECT_EQ(content(url), "[InternetShortcut]\r\nURL=www.example.com\r\n"
                            "IconFile=C:\\App\\app.ico\r\nIconIndex=2\r\n"
                            "WorkingDirectory=C:\\App\r\n");
    EXPECT_FALSE(in::fileExists(programs + "\\Group\\Home Page.lnk"));
}

} // namespace
} // namespace kv::installer
