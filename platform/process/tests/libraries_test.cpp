#include "platform/process/libraries.h"

#include "platform/fs/errors.h"
#include "platform/fs/files.h"
#include "platform/fs/path.h"
#include "process_fixture.h"

#include <cstdint>

namespace kv::process {
namespace {

using testing::ProcessTest;

// The smallest header of an i386 PE library: DOS stub pointer, "PE", machine 0x14c.
std::string i386Library() {
    std::string pe(0x200, '\0');
    const auto put16 = [&](std::size_t at, std::uint16_t v) {
        pe[at] = char(v & 0xff);
        pe[at + 1] = char(v >> 8);
    };
    pe[0] = 'M';
    pe[1] = 'Z';
    put16(0x3c, 0x80);
    pe.replace(0x80, 4, std::string("PE\0\0", 4));
    put16(0x84, 0x014c); // i386
    put16(0x94, 0xe0);   // size of the optional header
    put16(0x96, 0x2102); // a 32-bit DLL
    put16(0x98, 0x010b); // PE32
    return pe;
}

class LibraryTest : public ProcessTest {
protected:
    void SetUp() override {
        kv::fs::createFolders("C:\\Program Files\\Ext");
        std::filesystem::copy_file(KV_EXT_LIBRARY, kv::fs::hostPath(kDll));
    }
    static constexpr const char* kDll = "C:\\Program Files\\Ext\\Ext.dll";
};

TEST_F(LibraryTest, ASharedObjectLoadsThroughADllPathAndItsFunctionIsCalled) {
    LibraryHandle first = LoadLibrary(kDll);
    ASSERT_NE(first, nullptr) << libraryErrorText();
    LibraryHandle second = LoadLibraryEx("c:\\progra~1\\ext\\EXT.DLL", 8);
    EXPECT_EQ(second, first);
    using Twice = int (*)(int);
    auto twice = reinterpret_cast<Twice>(GetProcAddress(first, "kvTwice"));
    ASSERT_NE(twice, nullptr);
    EXPECT_EQ(twice(21), 42);
    EXPECT_EQ(GetProcAddress(first, "DllRegisterServer"), nullptr);
    EXPECT_EQ(kv::fs::lastError(), kErrorProcNotFound);
    EXPECT_TRUE(FreeLibrary(first));
    EXPECT_TRUE(FreeLibrary(second));
    EXPECT_EQ(OleInitialize(nullptr), 0);
    OleUninitialize();
}

TEST_F(LibraryTest, WhatIsNoSharedObjectForThisHostFailsWithoutHarm) {
    writeFile("C:\\Work\\text.dll", "just text, not a library\n");
    writeFile("C:\\Work\\i386.dll", i386Library());
    const struct {
        const char* path;
        int error;
    } cases[] = {
        {"C:\\Work\\text.dll", kErrorBadExeFormat},
        {"C:\\Work\\i386.dll", kErrorBadExeFormat},
        {"C:\\Work\\missing.dll", kErrorModuleNotFound},
        {"C:\\Work", kErrorModuleNotFound},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LoadLibrary(c.path), nullptr) << c.path;
        EXPECT_EQ(kv::fs::lastError(), c.error) << c.path;
        EXPECT_FALSE(libraryErrorText().empty()) << c.path;
    }
    LibraryHandle h = LoadLibrary(kDll); // the process goes on as before
    ASSERT_NE(h, nullptr);
    EXPECT_TRUE(FreeLibrary(h));
}

} // namespace
} // namespace kv::process
