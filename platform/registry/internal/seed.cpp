#include "platform/registry/internal/seed.h"

#include "platform/system/known_folders.h"

namespace kv::registry::internal {
namespace {

constexpr const char* kCurrentVersion = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr const char* kNtCurrentVersion = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kEnvironment =
    "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
constexpr const char* kProcessor = "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";
// What a seeded hive carries, so that a second start does not seed again.
constexpr const char* kSeededValue = "KvSeeded";

KeyNode& keyAt(KeyNode& root, std::string_view path) {
    KeyNode* node = &root;
    bool created = false;
    for (const std::string& part : splitPath(path))
        node = &node->childOrCreate(part, created);
    return *node;
}

void put(KeyNode& key, std::string_view name, Value value) {
    if (NamedValue* v = key.findValue(name)) {
        v->value = std::move(value);
        return;
    }
    key.values.push_back({std::string(name), std::move(value)});
}

// The faces of a fresh installation: value name (face and kind) and file.
constexpr const char* kFonts[][2] = {
    {"Arial (TrueType)", "arial.ttf"},
    {"Arial Bold (TrueType)", "arialbd.ttf"},
    {"Comic Sans MS (TrueType)", "comic.ttf"},
    {"Courier New (TrueType)", "cour.ttf"},
    {"Georgia (TrueType)", "georgia.ttf"},
    {"Impact (TrueType)", "impact.ttf"},
    {"Lucida Console (TrueType)", "lucon.ttf"},
    {"Microsoft Sans Serif (TrueType)", "micross.ttf"},
    {"MS Sans Serif 8,10,12,14,18,24", "sserife.fon"},
    {"MS Serif 8,10,12,14,18,24", "serife.fon"},
    {"Symbol (TrueType)", "symbol.ttf"},
    {"Tahoma (TrueType)", "tahoma.ttf"},
    {"Times New Roman (TrueType)", "times.ttf"},
    {"Trebuchet MS (TrueType)", "trebuc.ttf"},
    {"Verdana (TrueType)", "verdana.ttf"},
    {"Webdings (TrueType)", "webdings.ttf"},
    {"Wingdings (TrueType)", "wingding.ttf"},
};

bool markSeeded(KeyNode& root) {
    KeyNode& marker = keyAt(root, "SOFTWARE\\Kestrovane Machine");
    if (marker.findValue(kSeededValue)) return false;
    put(marker, kSeededValue, dwordValue(1));
    return true;
}

void putShellFolders(KeyNode& key, const machine::Profile& profile, bool common) {
    for (const machine::ShellFolder& f : machine::shellFolders())
        if (f.common == common)
            put(key, f.valueName, stringValue(machine::knownFolderPath(profile, f.folder)));
}

} // namespace

bool seedMachineHive(KeyNode& root, const machine::Profile& p) {
    if (!markSeeded(root)) return false;
    using machine::KnownFolder;
    KeyNode& cv = keyAt(root, kCurrentVersion);
    put(cv, "ProgramFilesDir", stringValue(machine::knownFolderPath(p, KnownFolder::ProgramFiles)));
    put(cv, "CommonFilesDir", stringValue(machine::knownFolderPath(p, KnownFolder::CommonFiles)));
    put(cv, "RegisteredOwner", stringValue(p.userName));
    put(cv, "RegisteredOrganization", stringValue(""));
    put(cv, "SystemRoot", stringValue(p.folders.windows));
    KeyNode& nt = keyAt(root, kNtCurrentVersion);
    put(nt, "RegisteredOwner", stringValue(p.userName));
    put(nt, "RegisteredOrganization", stringValue(""));
    put(nt, "SystemRoot", stringValue(p.folders.windows));
    putShellFolders(keyAt(root, kShellFolders), p, true);
    // The installed fonts: under the NT key on the NT family, else under Windows'.
    KeyNode& fonts = keyAt(
        root, std::string(p.os.platformId == 2 ? kNtCurrentVersion : kCurrentVersion) + "\\Fonts");
    for (const auto& font : kFonts)
        put(fonts, font[0], stringValue(font[1]));
    put(keyAt(root, kProcessor), "~MHz", dwordValue(2400));
    KeyNode& env = keyAt(root, kEnvironment);
    put(env, "Path",
        stringValue("%SystemRoot%\\system32;%SystemRoot%;%SystemRoot%\\System32\\Wbem",
                    ValueType::ExpandString));
    put(env, "TEMP", stringValue("%SystemRoot%\\TEMP", ValueType::ExpandString));
    put(env, "TMP", stringValue("%SystemRoot%\\TEMP", ValueType::ExpandString));
    put(env, "windir", stringValue("%SystemRoot%", ValueType::ExpandString));
    put(env, "OS", stringValue(p.os.platformId == 2 ? "Windows_NT" : ""));
    return true;
}

bool seedUserHive(KeyNode& root, const machine::Profile& p) {
    if (!markSeeded(root)) return false;
    putShellFolders(keyAt(root, kShellFolders), p, false);
    KeyNode& env = keyAt(root, "Environment");
    const std::string temp = machine::knownFolderPath(p, machine::KnownFolder::Temp);
    put(env, "TEMP", stringValue(temp));
    put(env, "TMP", stringValue(temp));
    return true;
}

} // namespace kv::registry::internal
