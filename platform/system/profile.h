#pragma once
// The machine profile: what the programs see of the emulated Windows machine (version,
// user, locale, screen, memory, folders, drives), kept as a plain text file in the machine.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv::machine {

// Drive types as the platform reports them.
enum DriveType : int {
    kDriveUnknown = 0,
    kDriveNoRoot = 1, // no such drive
    kDriveRemovable = 2,
    kDriveFixed = 3,
    kDriveNetwork = 4,
    kDriveCdRom = 5,
    kDriveRamDisk = 6,
};

struct OsVersion {
    int platformId = 2; // 1 Windows 9x, 2 NT family
    int major = 5;
    int minor = 1;
    int build = 2600;
    std::string servicePack = "Service Pack 2";
};

struct Locale {
    int localeId = 1033;
    int codePage = 1252; // the ANSI code page
    std::string decimalSeparator = ".";
    std::string thousandsSeparator = ",";
};

struct Screen {
    int width = 1024;
    int height = 768;
    int bitsPerPixel = 32;
    int planes = 1;
    int pixelsPerInch = 96;
};

// One drive letter: its type and its host folder (relative paths are inside the machine
// folder; the host root is "/").
struct Drive {
    char letter = 'C';
    int type = kDriveFixed;
    std::filesystem::path hostFolder;
};

// Folders of the Windows installation; the other known folders derive from these.
struct SystemFolders {
    std::string windows = "C:\\WINDOWS";
    std::string system = "C:\\WINDOWS\\system32";
    std::string programFiles = "C:\\Program Files";
    std::string profiles = "C:\\Documents and Settings"; // holds each user's folder
};

struct Profile {
    OsVersion os;
    std::string userName = "Administrator";
    std::string computerName = "KESTROVANE";
    bool isAdmin = true;
    bool visualStyles = true;
    Locale locale;
    Screen screen;
    std::uint64_t memoryBytes = 512ull << 20;
    SystemFolders folders;
    std::vector<Drive> drives; // in letter order
};

// The default machine: Windows XP Service Pack 2, drive C: fixed and the host root as Z:.
Profile defaultProfile();

// The profile as text ("key = value" lines, UTF-8) and back. Parsing starts from the
// default profile, so missing keys keep their defaults; unknown keys are ignored. A file
// that lists drives replaces the default drive table.
std::string formatProfile(const Profile& profile);
Profile parseProfile(std::string_view text);

// Reads or writes a profile file (written atomically); false or nullopt on failure.
std::optional<Profile> loadProfile(const std::filesystem::path& file);
bool saveProfile(const std::filesystem::path& file, const Profile& profile);

// The drive of a letter (either case), or null.
const Drive* findDrive(const Profile& profile, char letter);

} // namespace kv::machine
