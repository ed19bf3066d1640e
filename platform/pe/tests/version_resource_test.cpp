#include "platform/pe/version_resource.h"

#include "platform/pe/testing/pe_fixtures.h"
#include "platform/system/testing/temp_machine.h"
#include "platform/text/ansi.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace kv::pe {
namespace {

using machine::testing::TempMachine;
using testing::Bits;
using testing::buildDll;
using testing::StringTable;
using testing::versionScript;

struct Shape {
    const char* fileVersion; // the "FileVersion" string
    const char* fixed;       // FILEVERSION numbers
    std::uint32_t ms, ls;
};

const Shape kShapes[] = {
    {"1.0.9.4", "1,0,9,4", 0x00010000, 0x00090004},
    {"2.10", "2,10,0,0", 0x0002000A, 0},
    {"3, 0, 0, 1", "3,0,0,1", 0x00030000, 0x00000001},
    {"12.345.6789.65535 (release)", "12,345,6789,65535", 0x000C0159, 0x1A85FFFF},
};

const Bits kBits[] = {Bits::Pe32, Bits::Pe32Plus};

std::string bitsName(Bits bits) {
    return bits == Bits::Pe32 ? "pe32" : "pe32+";
}

// What python3-pefile reads from a file: "key=value" lines of the string tables (UTF-8),
// "T language codepage" and "F ms ls".
std::string pefileReport(const std::filesystem::path& file) {
    const std::string script =
        "import sys, pefile\n"
        "pe = pefile.PE(sys.argv[1])\n"
        "f = pe.VS_FIXEDFILEINFO[0]\n"
        "print('F %d %d' % (f.FileVersionMS, f.FileVersionLS))\n"
        "for info in pe.FileInfo[0]:\n"
        "    if info.Key == b'StringFileInfo':\n"
        "        for table in info.StringTable:\n"
        "            for k, v in sorted(table.entries.items()):\n"
        "                print('%s %s=%s' % (table.LangID.decode(), k.decode(), v.decode()))\n"
        "    if info.Key == b'VarFileInfo':\n"
        "        for var in info.Var:\n"
        "            for pair in var.entry.values():\n"
        "                print('T ' + pair)\n";
    const std::filesystem::path py = file.string() + ".py";
    std::ofstream(py) << script;
    auto [status, out] =
        testing::runCommand("/usr/bin/python3 '" + py.string() + "' '" + file.string() + "'");
    return status == 0 ? out : "pefile failed: " + out;
}

TEST(VersionResource, ReadsFixedInfoTranslationsAndStringsOfBothKinds) {
    TempMachine m;
    int n = 0;
    for (const Bits bits : kBits)
        for (const Shape& shape : kShapes) {
            const std::string name = "v" + std::to_string(++n) + ".dll";
            const std::string note = bitsName(bits) + " " + shape.fileVersion;
            const std::vector<StringTable> tables = {
                {"040904E4", {{"CompanyName", "Caf\xE9 Ltd"}, {"FileVersion", shape.fileVersion}}}};
            ASSERT_EQ(buildDll(versionScript(shape.fixed, tables, {{{0x409, 1252}}}), bits,
                               m.hostFolder('C') / name),
                      "");
            const std::string path = "C:\\" + name;
            const std::optional<std::string> block = versionInfo(path);
            ASSERT_TRUE(block) << note;
            EXPECT_EQ(versionInfoSize(path), block->size()) << note;

            const auto fixed = queryFixedInfo(*block);
            ASSERT_TRUE(fixed) << note;
            EXPECT_EQ(fixed->signature, 0xFEEF04BDu);
            EXPECT_EQ(fixed->fileVersionMs, shape.ms) << note;
            EXPECT_EQ(fixed->fileVersionLs, shape.ls) << note;
            EXPECT_EQ(fixed->fileType, 2u);

            const auto translations = queryTranslations(*block);
            ASSERT_EQ(translations.size(), 1u) << note;
            EXPECT_EQ(translations[0].language, 0x409);
            EXPECT_EQ(translations[0].codePage, 1252);

            // Parts match without regard to case; strings come in the ANSI code page.
            EXPECT_EQ(queryString(*block, "\\StringFileInfo\\040904e4\\fileversion"),
                      shape.fileVersion)
                << note;
            EXPECT_EQ(queryString(*block, "\\STRINGFILEINFO\\040904E4\\CompanyName"),
                      "Caf\xE9 Ltd");
            EXPECT_EQ(queryString(*block, "\\StringFileInfo\\040904E4\\Missing"), std::nullopt);
            EXPECT_EQ(queryString(*block, "\\StringFileInfo\\04070000\\FileVersion"), std::nullopt);

            // An independent reader agrees.
            std::ostringstream expected;
            expected << "F " << shape.ms << " " << shape.ls << "\n"
                     << "040904E4 CompanyName="
                     << text::toUtf8(
                            *queryString(*block, "\\StringFileInfo\\040904E4\\CompanyName"))
                     << "\n040904E4 FileVersion="
                     << *queryString(*block, "\\StringFileInfo\\040904E4\\FileVersion")
                     << "\nT 0x0409 0x04e4\n";
            EXPECT_EQ(pefileReport(m.hostFolder('C') / name), expected.str()) << note;
        }
}

TEST(VersionResource, SeveralTablesAndNoTranslationTable) {
    TempMachine m;
    for (const Bits bits : kBits) {
        const std::vector<StringTable> tables = {
            {"040904E4", {{"CompanyName", "A"}}},
            {"040704E4", {{"FileVersion", "2.0"}, {"Empty", ""}}},
        };
        ASSERT_EQ(buildDll(versionScript("2,0,0,0", tables, {{{0x409, 1252}, {0x407, 1252}}}), bits,
                           m.hostFolder('C') / "two.dll"),
                  "");
        ASSERT_EQ(buildDll(versionScript("2,0,0,0", tables, std::nullopt), bits,
                           m.hostFolder('C') / "none.dll"),
                  "");
        const auto two = versionInfo("C:\\two.dll");
        ASSERT_TRUE(two);
        const auto translations = queryTranslations(*two);
        ASSERT_EQ(translations.size(), 2u);
        EXPECT_EQ(translations[1].language, 0x407);
        EXPECT_EQ(queryString(*two, "\\StringFileInfo\\040704E4\\FileVersion"), "2.0");
        EXPECT_EQ(queryString(*two, "\\StringFileInfo\\040704E4\\Empty"), "");
        EXPECT_EQ(queryString(*two, "\\StringFileInfo\\040904E4\\FileVersion"), std::nullopt);

        const auto none = versionInfo("C:\\none.dll");
        ASSERT_TRUE(none);
        EXPECT_TRUE(queryTranslations(*none).empty());
        EXPECT_EQ(queryString(*none, "\\StringFileInfo\\040704E4\\FileVersion"), "2.0");
    }
}

TEST(VersionResource, LanguageNames) {
    EXPECT_EQ(languageName(0x0409), "English (United States)");
    EXPECT_EQ(languageName(0x0407), "German (Germany)");
    EXPECT_EQ(languageName(0), "Language Neutral");
    EXPECT_EQ(languageName(0x7777), "Language Neutral");
}

} // namespace
} // namespace kv::pe
