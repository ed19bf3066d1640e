#include "platform/pe/internal/pe_image.h"
#include "platform/pe/testing/pe_fixtures.h"
#include "platform/pe/version_resource.h"
#include "platform/system/testing/temp_machine.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace kv::pe {
namespace {

using machine::testing::TempMachine;
using testing::Bits;

std::string contentOf(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Exercises every query on whatever block the image yields.
void queryAll(std::string_view image) {
    const auto block = internal::versionResourceOfImage(image);
    if (!block) return;
    queryFixedInfo(*block);
    queryTranslations(*block);
    queryString(*block, "\\StringFileInfo\\040904E4\\FileVersion");
    queryString(*block, "\\VarFileInfo\\Translation");
}

class DamagedFiles : public ::testing::Test {
protected:
    void SetUp() override {
        for (const Bits bits : {Bits::Pe32, Bits::Pe32Plus}) {
            const auto file = m_.hostFolder('C') / (bits == Bits::Pe32 ? "a32.dll" : "a64.dll");
            const std::string script = testing::versionScript(
                "1,2,3,4", {{"040904E4", {{"FileVersion", "1.2.3.4"}}}}, {{{0x409, 1252}}});
            ASSERT_EQ(testing::buildDll(script, bits, file), "");
            images_.push_back(contentOf(file));
            ASSERT_TRUE(internal::versionResourceOfImage(images_.back()));
        }
    }
    TempMachine m_;
    std::vector<std::string> images_;
};

TEST_F(DamagedFiles, FilesWithoutVersionResource) {
    std::ofstream(m_.hostFolder('C') / "text.dll") << "MZ this is only text\r\n";
    std::ofstream(m_.hostFolder('C') / "empty.dll");
    // Cut inside the version block.
    const std::string key = std::string("V\0S\0_\0V\0E\0R", 11);
    const std::size_t block = images_[0].find(key);
    ASSERT_NE(block, std::string::npos);
    std::ofstream(m_.hostFolder('C') / "cut.dll", std::ios::binary)
        << images_[0].substr(0, block + 100);
    std::filesystem::create_directories(m_.hostFolder('C') / "folder.dll");
    for (const char* path :
         {"C:\\text.dll", "C:\\empty.dll", "C:\\cut.dll", "C:\\folder.dll", "C:\\missing.dll"}) {
        EXPECT_EQ(versionInfo(path), std::nullopt) << path;
        EXPECT_EQ(versionInfoSize(path), 0u) << path;
    }
    // A block that is no version block yields nothing either.
    EXPECT_EQ(queryFixedInfo("garbage"), std::nullopt);
    EXPECT_TRUE(queryTranslations("").empty());
    EXPECT_EQ(queryString(std::string(6, '\0'), "\\StringFileInfo"), std::nullopt);
}

TEST_F(DamagedFiles, EveryTruncationIsRefusedOrStillWhole) {
    for (const std::string& image : images_)
        for (std::size_t size = 0; size < image.size(); ++size) {
            const std::string cut = image.substr(0, size);
            const auto block = internal::versionResourceOfImage(cut);
            // A cut either loses the resource or leaves all of it.
            if (block) {
                EXPECT_EQ(block, internal::versionResourceOfImage(image)) << size;
            }
            queryAll(cut);
        }
}

TEST_F(DamagedFiles, MutatedBytesNeverReadPastTheData) {
    const unsigned char values[] = {0x00, 0xFF, 0x7F, 0x80, 0x01};
    for (const std::string& image : images_)
        for (std::size_t at = 0; at < image.size(); ++at)
            for (const unsigned char v : values) {
                std::string mutated = image;
                mutated[at] = static_cast<char>(v);
                queryAll(mutated);
            }
}

} // namespace
} // namespace kv::pe
