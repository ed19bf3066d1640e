#include "platform/system/host_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace kv::machine {
namespace {

namespace fs = std::filesystem;

TEST(HostFiles, ReadTellsMissingFromUnreadable) {
    const fs::path dir = fs::temp_directory_path() / ("kv-host-" + std::to_string(::getpid()));
    fs::create_directories(dir / "folder");
    std::string content = "stale";
    EXPECT_EQ(readHostFile(dir / "absent.txt", content), HostRead::Missing);
    EXPECT_EQ(content, "");
    EXPECT_EQ(readHostFile(dir / "absent" / "x.txt", content), HostRead::Missing);
    EXPECT_EQ(readHostFile(dir / "folder", content), HostRead::Unreadable);

    ASSERT_TRUE(writeHostFileAtomically(dir / "a.txt", std::string("one\0two", 7)));
    ASSERT_TRUE(writeHostFileAtomically(dir / "a.txt", "replaced"));
    EXPECT_EQ(readHostFile(dir / "a.txt", content), HostRead::Ok);
    EXPECT_EQ(content, "replaced");
    EXPECT_FALSE(writeHostFileAtomically(dir / "no such folder" / "b.txt", "x"));
    EXPECT_FALSE(writeHostFileAtomically(dir / "folder", "over a folder"));
    for (const auto& entry : fs::directory_iterator(dir))
        EXPECT_EQ(entry.path().filename().string().find(".tmp."), std::string::npos);
    fs::remove_all(dir);
}

} // namespace
} // namespace kv::machine
