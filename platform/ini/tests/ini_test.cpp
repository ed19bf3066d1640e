#include "platform/ini/ini_file.h"
#include "platform/ini/ini_text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace kv::ini {
namespace {

namespace fs = std::filesystem;

class IniFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("kv-ini-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        file_ = (dir_ / "test.ini").string();
        fs::remove(file_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    void write(const std::string& text) { std::ofstream(file_, std::ios::binary) << text; }
    std::string content() const {
        std::stringstream s;
        s << std::ifstream(file_, std::ios::binary).rdbuf();
        return s.str();
    }
    fs::path dir_;
    std::string file_;
};

TEST_F(IniFile, ReadRules) {
    write("top=outside\r\n[Setup]\r\nName = My App  \r\nQuoted=\"  padded \"\r\n; x=comment\r\n"
          "Empty=\r\nname=second\r\n[setup]\r\nLater=1\r\n[Other]\nKey=lf\n");
    struct Case {
        const char* section;
        const char* key;
        const char* defaultValue;
        std::size_t size;
        std::string expected;
    };
    const Case cases[] = {
        {"SETUP", "NAME", "d", kDefaultBuffer, "My App"},      // case, blanks trimmed, first wins
        {"Setup", "Quoted", "d", kDefaultBuffer, "  padded "}, // one pair of quotes removed
        {"Setup", "Empty", "d", kDefaultBuffer, ""},           // present but empty
        {"Setup", "Missing", "def  ", kDefaultBuffer, "def"},  // default, trailing blanks off
        {"Setup", "x", "d", kDefaultBuffer, "d"},              // comment lines are no keys
        {"Setup", "Later", "d", kDefaultBuffer, "1"},          // a repeated section continues it
        {"Nowhere", "Name", "d", kDefaultBuffer, "d"},
        {"", "top", "d", kDefaultBuffer, "d"},       // lines before any section
        {"Other", "Key", "d", kDefaultBuffer, "lf"}, // LF line ends
        {"Setup", "Name", "d", 4, "My "},            // cut to size - 1
        {"Setup", "Name", "d", 0, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(getProfileString(c.section, c.key, c.defaultValue, file_, c.size), c.expected)
            << c.section << "/" << c.key;
    EXPECT_EQ(getSectionNames(file_), (std::vector<std::string>{"Setup", "Other"}));
    EXPECT_EQ(getKeyNames("setup", file_),
              (std::vector<std::string>{"Name", "Quoted", "Empty", "Later"}));
}

TEST_F(IniFile, MissingFileGivesDefaults) {
    EXPECT_EQ(getProfileString("A", "b", "fallback", file_), "fallback");
    EXPECT_EQ(getProfileInt("A", "b", 7, file_), 7);
    EXPECT_TRUE(getSectionNames(file_).empty());
    EXPECT_TRUE(deleteProfileKey("A", "b", file_));
    EXPECT_FALSE(fs::exists(file_)); // nothing to delete: no file made
}

TEST_F(IniFile, WritingCreatesTheFileAndKeepsOtherLines) {
    ASSERT_TRUE(writeProfileString("Main", "One", "1", file_));
    EXPECT_EQ(content(), "[Main]\r\nOne=1\r\n");
    write("; header comment\r\n[Main]\r\nOne=1\r\n\r\n[Next]\r\nX=y\r\n");
    ASSERT_TRUE(writeProfileString("main", "Two", "2", file_));
    ASSERT_TRUE(writeProfileString("MAIN", "one", "uno", file_));
    ASSERT_TRUE(writeProfileString("New", "K", "v", file_));
    EXPECT_EQ(content(), "; header comment\r\n[Main]\r\none=uno\r\nTwo=2\r\n\r\n[Next]\r\nX=y\r\n"
                         "[New]\r\nK=v\r\n");
    EXPECT_EQ(getProfileInt("Main", "Two", 0, file_), 2);
}

TEST_F(IniFile, DeletingAKeyOrASection) {
    write("[A]\r\nk=1\r\nK=2\r\nother=3\r\n[B]\r\nk=4\r\n");
    ASSERT_TRUE(deleteProfileKey("a", "K", file_));
    EXPECT_EQ(content(), "[A]\r\nother=3\r\n[B]\r\nk=4\r\n");
    ASSERT_TRUE(deleteProfileSection("A", file_));
    EXPECT_EQ(content(), "[B]\r\nk=4\r\n");
    EXPECT_EQ(getProfileString("B", "k", "", file_), "4");
}

TEST_F(IniFile, UnwritableOrUnreadableFilesAndBrokenLinesAreRefused) {
    EXPECT_FALSE(writeProfileString("A", "b", "c", (dir_ / "no/such/dir.ini").string()));
    fs::create_directories(dir_ / "folder.ini");
    EXPECT_FALSE(writeProfileString("A", "b", "c", (dir_ / "folder.ini").string()));
    EXPECT_FALSE(deleteProfileSection("A", (dir_ / "folder.ini").string()));

    write("[A]\r\nk=1\r\n");
    EXPECT_FALSE(writeProfileString("A", "k", "2\r\n[B]", file_));
    EXPECT_FALSE(writeProfileString("A", "k=x", "2", file_));
    EXPECT_FALSE(writeProfileString("A]", "k", "2", file_));
    EXPECT_EQ(content(), "[A]\r\nk=1\r\n");
}

TEST(IniText, InMemoryTextForResources) {
    IniText ini("[Buttons]\nFinish=&Finish\n[Charset]\nCharset=177\n");
    EXPECT_EQ(ini.value("buttons", "finish"), "&Finish");
    EXPECT_EQ(ini.value("Buttons", "Next"), std::nullopt);
    EXPECT_TRUE(ini.hasSection("CHARSET"));
    ini.setValue("Buttons", "Next", "&Next >");
    EXPECT_EQ(ini.keyNames("Buttons"), (std::vector<std::string>{"Finish", "Next"}));
}

} // namespace
} // namespace kv::ini
