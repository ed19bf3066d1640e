#include "platform/system/profile.h"

#include <gtest/gtest.h>

namespace kv::machine {
namespace {

TEST(Profile, EveryFieldSurvivesTheTextFormat) {
    Profile p = defaultProfile();
    p.os = OsVersion{1, 4, 90, 3000, " A "};
    p.userName = "J\xF6rg M\xFCller"; // ANSI bytes of code page 1252
    p.computerName = "BOX";
    p.isAdmin = false;
    p.visualStyles = false;
    p.locale = Locale{1031, 1252, ",", " "};
    p.screen = Screen{800, 600, 16, 2, 120};
    p.memoryBytes = 3ull << 30;
    p.folders.windows = "D:\\Win";
    p.folders.system = "D:\\Win\\System";
    p.folders.programFiles = "D:\\Programme";
    p.folders.profiles = "D:\\Users";
    p.drives = {Drive{'C', kDriveFixed, "drives/C"}, Drive{'N', kDriveNetwork, "/srv/share x"},
                Drive{'R', kDriveCdRom, "cd"}, Drive{'Z', kDriveRemovable, "/"}};

    std::string text = formatProfile(p);
    EXPECT_NE(text.find("J\xC3\xB6rg"), std::string::npos) << "the file is UTF-8";
    Profile q = parseProfile(text);
    EXPECT_EQ(formatProfile(q), text);
    EXPECT_EQ(q.os.servicePack, " A ");
    EXPECT_EQ(q.userName, p.userName);
    EXPECT_EQ(q.locale.thousandsSeparator, " ");
    EXPECT_EQ(q.memoryBytes, p.memoryBytes);
    EXPECT_FALSE(q.isAdmin);
    ASSERT_EQ(q.drives.size(), 4u);
    EXPECT_EQ(q.drives[1].hostFolder, "/srv/share x");
    EXPECT_EQ(q.drives[1].type, kDriveNetwork);
}

TEST(Profile, MissingAndMalformedKeysKeepTheDefaults) {
    Profile q = parseProfile("# comment\nos.major = 4\nos.minor = x\nscreen.width=640\n"
                             "bogus line\nunknown.key = 1\ndrive.D = 3\n");
    EXPECT_EQ(q.os.major, 4);
    EXPECT_EQ(q.os.minor, 1);
    EXPECT_EQ(q.screen.width, 640);
    EXPECT_EQ(q.screen.height, 768);
    ASSERT_EQ(q.drives.size(), 2u) << "a drive line without a folder is ignored";
    // A screen without size or scale keeps the default's.
    Profile r = parseProfile("screen.width = 0\nscreen.height = -2147483648\n"
                             "screen.pixels_per_inch = 0\n");
    EXPECT_EQ(r.screen.width, 1024);
    EXPECT_EQ(r.screen.height, 768);
    EXPECT_EQ(r.screen.pixelsPerInch, Profile{}.screen.pixelsPerInch);
    EXPECT_EQ(q.drives[0].letter, 'C');
    EXPECT_EQ(q.drives[1].letter, 'Z');
}

TEST(Profile, DriveLinesReplaceTheDefaultTableInLetterOrder) {
    Profile q = parseProfile("drive.z = 2 /\ndrive.d = 4 /mnt/d\n");
    ASSERT_EQ(q.drives.size(), 2u);
    EXPECT_EQ(q.drives[0].letter, 'D');
    EXPECT_EQ(findDrive(q, 'z')->type, kDriveRemovable);
    EXPECT_EQ(findDrive(q, 'C'), nullptr);
}

TEST(Profile, DriveFoldersWithBlanksOrQuotesRoundTrip) {
    for (const char* folder : {" lead", "trail ", "\"quoted\"", "\"", "in side", "/plain"}) {
        Profile p = defaultProfile();
        p.drives = {Drive{'D', kDriveFixed, folder}};
        const Profile q = parseProfile(formatProfile(p));
        ASSERT_EQ(q.drives.size(), 1u) << folder;
        EXPECT_EQ(q.drives[0].hostFolder, folder) << folder;
    }
    EXPECT_NE(formatProfile(defaultProfile()).find("drive.C = 3 drives/C\n"), std::string::npos);
}

TEST(Profile, DefaultIsWindowsXpServicePack2) {
    Profile p = defaultProfile();
    EXPECT_EQ(p.os.platformId, 2);
    EXPECT_EQ(p.os.major, 5);
    EXPECT_EQ(p.os.minor, 1);
    EXPECT_EQ(p.os.servicePack, "Service Pack 2");
    EXPECT_TRUE(p.isAdmin);
    EXPECT_TRUE(p.visualStyles);
    EXPECT_EQ(p.locale.localeId, 1033);
    EXPECT_EQ(p.locale.codePage, 1252);
    EXPECT_EQ(p.screen.width, 1024);
    EXPECT_EQ(p.screen.bitsPerPixel, 32);
    EXPECT_EQ(p.screen.pixelsPerInch, 96);
    EXPECT_EQ(findDrive(p, 'C')->type, kDriveFixed);
    EXPECT_EQ(findDrive(p, 'Z')->hostFolder, "/");
    EXPECT_EQ(findDrive(p, 'Z')->type, kDriveRemovable);
}

} // namespace
} // namespace kv::machine
