#include "platform/shell_link/shell_link.h"

#include "platform/fs/attributes.h"
#include "platform/fs/files.h"
#include "platform/pe/testing/pe_fixtures.h"
#include "platform/system/testing/temp_machine.h"
#include "platform/text/ansi.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

namespace kv::shell {
namespace {

using machine::testing::TempMachine;
using pe::testing::runCommand;

std::string quoted(const std::filesystem::path& p) {
    return "'" + p.string() + "'";
}

// What lnkinfo reads from a link file: its "name : value" lines.
std::map<std::string, std::string> lnkinfo(const std::filesystem::path& file) {
    auto [status, out] = runCommand("lnkinfo " + quoted(file));
    std::map<std::string, std::string> fields;
    if (status != 0) {
        fields["failed"] = out;
        return fields;
    }
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
        const auto colon = line.find(':');
        if (colon == std::string::npos) continue;
        std::string name = line.substr(0, colon), value = line.substr(colon + 1);
        name.erase(0, name.find_first_not_of("\t "));
        name.erase(name.find_last_not_of("\t ") + 1);
        value.erase(0, value.find_first_not_of(' '));
        fields[name] = value;
    }
    return fields;
}

// The show command of the header (bytes 60..63), read apart from lnkinfo, whose release
// in Debian reports the file size in its place.
int showCommandOf(const std::filesystem::path& file) {
    auto [status, out] = runCommand(
        "/usr/bin/python3 -c \"import struct,sys; d=open(sys.argv[1],'rb').read(); "
        "assert struct.unpack_from('<I',d,0)[0]==0x4C; print(struct.unpack_from('<I',d,60)[0])\" " +
        quoted(file));
    return status == 0 ? std::stoi(out) : -1;
}

TEST(ShellLink, LnkinfoReadsBackWhatWasWritten) {
    TempMachine m;
    std::filesystem::create_directories(m.hostFolder('C') / "App" / "Caf\xC3\xA9");
    std::ofstream(m.hostFolder('C') / "App" / "app.exe") << "MZ program";
    struct Case {
        ShellLink link;
        int storedShow;
    };
    const Case cases[] = {
        {{"C:\\App\\app.exe", "-x \"a b\"", "C:\\App", "C:\\App\\app.ico", 3, 1}, 1},
        {{"c:\\app\\APP.EXE", "", "", "", 0, 3}, 3},
        {{"C:\\App\\app.exe", "/min", "C:\\App\\Caf\xE9", "C:\\App\\app.exe", -2, 7}, 7},
        {{"C:\\App\\app.exe", "", "C:\\App", "", 0, 2}, 7}, // minimised
        {{"C:\\App\\app.exe", "", "C:\\App", "", 0, 0}, 1}, // hidden is not kept
        {{"C:\\App\\Caf\xE9", "", "", "", 0, 1}, 1},        // a folder
        {{"C:\\App\\gone.exe", "", "", "", 0, 1}, 1},       // a target not there yet
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string name = "link" + std::to_string(++n) + ".lnk";
        const std::string note = name + " -> " + c.link.target;
        ASSERT_TRUE(saveShellLink(c.link, "C:\\" + name)) << note;
        const auto host = m.hostFolder('C') / name;
        const auto info = lnkinfo(host);
        ASSERT_EQ(info.count("failed"), 0u) << info.at("failed");
        const auto field = [&](const std::string& key) {
            const auto it = info.find(key);
            return it == info.end() ? std::string("(none)") : it->second;
        };
        const auto orNone = [](const std::string& s) {
            return s.empty() ? std::string("(none)") : text::toUtf8(s, 1252);
        };
        EXPECT_EQ(
            field("Local path"),
            text::toUtf8(c.link.target == "c:\\app\\APP.EXE" ? "C:\\app\\APP.EXE" : c.link.target,
                         1252))
            << note;
        EXPECT_EQ(field("Drive type"), "Fixed (3)") << note;
        EXPECT_EQ(field("Working directory"), orNone(c.link.workingFolder)) << note;
        EXPECT_EQ(field("Command line arguments"), orNone(c.link.arguments)) << note;
        EXPECT_EQ(field("Icon location"), orNone(c.link.iconFile)) << note;
        EXPECT_EQ(field("Icon index"), std::to_string(c.link.iconIndex)) << note;
        EXPECT_EQ(showCommandOf(host), c.storedShow) << note;

        const std::uint32_t attributes = fs::getAttributes(c.link.target);
        char hex[16];
        std::snprintf(hex, sizeof hex, "0x%08x",
                      attributes == fs::kInvalidAttributes ? 0u : unsigned(attributes));
        EXPECT_EQ(field("File attribute flags"), hex) << note;
        const bool isFile =
            attributes != fs::kInvalidAttributes && !(attributes & fs::kAttrDirectory);
        EXPECT_EQ(field("File size"), isFile ? "10 bytes" : "0 bytes") << note;
    }
}

TEST(ShellLink, WhereLinksAreNotWritten) {
    TempMachine m;
    const ShellLink link{"C:\\app.exe", "", "", "", 0, 1};
    EXPECT_FALSE(saveShellLink(link, "Z:\\tmp\\kv-never.lnk"));
    EXPECT_FALSE(saveInternetShortcut({"http://example.com"}, "z:\\tmp\\kv-never.url"));
    EXPECT_FALSE(std::filesystem::exists("/tmp/kv-never.lnk"));
    EXPECT_FALSE(saveShellLink(link, "C:\\Missing\\a.lnk"));
    EXPECT_FALSE(saveShellLink(link, "Q:\\a.lnk"));
    ASSERT_TRUE(fs::writeFile("C:\\ro.lnk", "keep"));
    ASSERT_TRUE(fs::setAttributes("C:\\ro.lnk", fs::kAttrReadOnly));
    EXPECT_FALSE(saveShellLink(link, "C:\\ro.lnk"));
    EXPECT_EQ(fs::readFile("C:\\ro.lnk"), "keep");
    // Strings beyond what the format can count.
    EXPECT_FALSE(
        saveShellLink({"C:\\app.exe", std::string(70000, 'a'), "", "", 0, 1}, "C:\\b.lnk"));
}

TEST(ShellLink, RelativeTargetsKeepTheirText) {
    TempMachine m;
    ASSERT_TRUE(saveShellLink({"\\\\server\\share\\app.exe", "", "", "", 0, 1}, "C:\\r.lnk"));
    const auto info = lnkinfo(m.hostFolder('C') / "r.lnk");
    EXPECT_EQ(info.count("Local path"), 0u);
    ASSERT_EQ(info.count("Relative path"), 1u);
    EXPECT_EQ(info.at("Relative path"), "\\\\server\\share\\app.exe");
}

TEST(InternetShortcut, TextByteForByte) {
    struct Case {
        InternetShortcut shortcut;
        std::string text;
    };
    const Case cases[] = {
        {{"http://example.com/", "", 0, ""}, "[InternetShortcut]\r\nURL=http://example.com/\r\n"},
        {{"www.example.com", "C:\\App\\app.ico", 4, ""},
         "[InternetShortcut]\r\nURL=www.example.com\r\nIconFile=C:\\App\\app.ico\r\n"
         "IconIndex=4\r\n"},
        {{"ftp://host/", "", 7, "C:\\App"},
         "[InternetShortcut]\r\nURL=ftp://host/\r\nWorkingDirectory=C:\\App\r\n"},
        {{"mailto:a@b.c", "C:\\i.ico", -1, "C:\\W"},
         "[InternetShortcut]\r\nURL=mailto:a@b.c\r\nIconFile=C:\\i.ico\r\nIconIndex=-1\r\n"
         "WorkingDirectory=C:\\W\r\n"},
    };
    TempMachine m;
    for (const Case& c : cases) {
        EXPECT_EQ(internetShortcutText(c.shortcut), c.text);
        ASSERT_TRUE(saveInternetShortcut(c.shortcut, "C:\\s.url"));
        EXPECT_EQ(fs::readFile("C:\\s.url"), c.text);
    }
}

} // namespace
} // namespace kv::shell
