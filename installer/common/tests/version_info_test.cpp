#include "installer/common/version_info.h"

#include "machine_helpers.h"
#include "platform/pe/testing/pe_fixtures.h"
#include "platform/system/testing/temp_machine.h"

#include <gtest/gtest.h>

#include <fstream>

namespace kv::installer {
namespace {

using machine::testing::TempMachine;
using pe::testing::Bits;
using pe::testing::buildDll;
using pe::testing::versionScript;

TEST(VersionInfo, NormalizeVersion) {
    struct Case {
        const char* version;
        int width;
        const char* normal;
    };
    const Case cases[] = {
        {"1.0.9.4", 5, "00001.00000.00009.00004"},
        {"", 5, ""},
        {"123456.2", 5, "123456.00002"},
        {"1.2", 4, "0001.0002"},
        {"1..3", 2, "01.00.03"},
        {"3, 0, 0, 1", 4, "3, 0, 0, 1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NormalizeVersion(c.version, c.width), c.normal) << c.version;
}

TEST(VersionInfo, FileVersionsOfPeFiles) {
    TempMachine m;
    using Pairs = std::vector<std::pair<int, int>>;
    struct Case {
        const char* name;
        std::vector<pe::testing::StringTable> tables;
        std::optional<Pairs> translations;
        const char* version; // GetFileVersion at width 5
    };
    const Case cases[] = {
        {"plain",
         {{"040904E4", {{"FileVersion", "1.0.9.4"}}}},
         Pairs{{0x409, 1252}},
         "00001.00000.00009.00004"},
        {"only the later translation holds the key",
         {{"040904E4", {{"CompanyName", "A"}}}, {"040704E4", {{"FileVersion", "2.1"}}}},
         Pairs{{0x409, 1252}, {0x407, 1252}},
         "00002.00001"},
        {"an empty value is passed over",
         {{"040904E4", {{"FileVersion", ""}}}, {"040704E4", {{"FileVersion", "3.0"}}}},
         Pairs{{0x409, 1252}, {0x407, 1252}},
         "00003.00000"},
        {"the table's order, not the blocks'",
         {{"040904E4", {{"FileVersion", "4.0"}}}, {"040704E4", {{"FileVersion", "5.0"}}}},
         Pairs{{0x407, 1252}, {0x409, 1252}},
         "00005.00000"},
        {"no translation table", {{"040904E4", {{"FileVersion", "1.0"}}}}, std::nullopt, ""},
        {"no string tables", {}, Pairs{{0x409, 1252}}, ""},
    };
    for (const Bits bits : {Bits::Pe32, Bits::Pe32Plus})
        for (const Case& c : cases) {
            ASSERT_EQ(buildDll(versionScript("1,0,0,0", c.tables, c.translations), bits,
                               m.hostFolder('C') / "f.dll"),
                      "")
                << c.name;
            EXPECT_EQ(GetFileVersion("c:\\F.DLL", 5), c.version) << c.name;
        }
}

TEST(VersionInfo, TranslationsNamesAndFilesWithoutInformation) {
    TempMachine m;
    ASSERT_EQ(buildDll(versionScript("7,6,5,4", {{"040904E4", {{"FileVersion", "7.6"}}}},
                                     {{{0x409, 1252}, {0x40C, 1200}}}),
                       Bits::Pe32, m.hostFolder('C') / "v.dll"),
              "");
    const TVersionInfo info("C:\\v.dll");
    EXPECT_TRUE(info.HasBlock());
    EXPECT_EQ(info.Translations(), (std::vector<std::string>{"040904E4", "040C04B0"}));
    EXPECT_EQ(info.LanguageNames(),
              (std::vector<std::string>{"English (United States)", "French (France)"}));
    ASSERT_TRUE(info.FixedInfo());
    EXPECT_EQ(info.FixedInfo()->fileVersionMs, 0x00070006u);
    EXPECT_EQ(info.GetValue("fileversion"), "7.6");

    testing::makeFile("C:\\readme.txt", "1.0.0.0\r\n");
    std::ifstream in(m.hostFolder('C') / "v.dll", std::ios::binary);
    std::string image(std::istreambuf_iterator<char>(in), {});
    testing::makeFile("C:\\cut.dll", image.substr(0, image.size() / 2));
    for (const char* path : {"C:\\readme.txt", "C:\\cut.dll", "C:\\missing.dll"}) {
        const TVersionInfo none(path);
        EXPECT_FALSE(none.HasBlock()) << path;
        EXPECT_EQ(none.GetValue("FileVersion"), "") << path;
        EXPECT_EQ(GetFileVersion(path, 4), "") << path;
    }
}

} // namespace
} // namespace kv::installer
