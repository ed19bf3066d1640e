#include "platform/system/machine.h"

#include "platform/system/internal/reset.h"
#include "platform/system/known_folders.h"
#include "platform/text/ansi.h"

#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <system_error>
#include <unistd.h>

namespace kv::machine {
namespace fs = std::filesystem;

namespace {

std::optional<Machine> g_current;

// Finds or creates one folder component without regard to case.
fs::path childFolder(const fs::path& parent, const std::string& ansiName, int codePage) {
    std::error_code ec;
    for (fs::directory_iterator it(parent, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = text::fromUtf8(it->path().filename().string(), codePage);
        if (text::equalsNoCase(name, ansiName, codePage)) return it->path();
    }
    return parent / text::toUtf8(ansiName, codePage);
}

// Creates a Windows folder on its drive's host folder, each component matched without
// regard to case and created in the case given.
void createWindowsFolder(const Machine& m, const std::string& path) {
    if (path.size() < 2 || path[1] != ':') return;
    const Drive* d = m.drive(path[0]);
    if (!d || d->hostFolder == "/") return;
    const int cp = m.profile().locale.codePage;
    fs::path host = m.hostFolder(*d);
    size_t pos = 2;
    while (pos < path.size()) {
        size_t next = path.find('\\', pos);
        if (next == std::string::npos) next = path.size();
        std::string part = path.substr(pos, next - pos);
        pos = next + 1;
        if (part.empty()) continue;
        host = childFolder(host, part, cp);
        std::error_code ec;
        fs::create_directory(host, ec);
    }
}

void applyCodePage(const Profile& p) {
    if (text::isKnownCodePage(p.locale.codePage)) text::setActiveCodePage(p.locale.codePage);
}

// Whether a file can be made (and removed again) in a folder.
bool canWriteIn(const fs::path& folder) {
    const fs::path probe = folder / (".write-probe-" + std::to_string(::getpid()));
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    ::close(fd);
    return ::unlink(probe.c_str()) == 0;
}

bool prepareFolders(const Machine& m) {
    std::error_code ec;
    bool ok = true;
    for (const fs::path& f : {m.runtimeFolder() / "locks", m.registryFolder(), m.tableFolder()}) {
        fs::create_directories(f, ec);
        ok = ok && !ec;
    }
    for (const fs::path& f : {m.folder(), m.runtimeFolder(), m.runtimeFolder() / "locks",
                              m.registryFolder(), m.tableFolder()})
        ok = ok && canWriteIn(f);
    for (const Drive& d : m.profile().drives) {
        fs::create_directories(m.hostFolder(d), ec);
        ok = ok && !ec;
    }
    return ok;
}

} // namespace

Machine::Machine(fs::path folder, Profile profile)
    : folder_(fs::absolute(std::move(folder)).lexically_normal()), profile_(std::move(profile)) {}

fs::path Machine::profileFile() const {
    return folder_ / "profile.txt";
}
fs::path Machine::registryFolder() const {
    return folder_ / "registry";
}
fs::path Machine::runtimeFolder() const {
    return folder_ / "run";
}
fs::path Machine::tableFolder() const {
    return folder_ / "tables";
}

fs::path Machine::hostFolder(const Drive& drive) const {
    fs::path p = drive.hostFolder.is_absolute() ? drive.hostFolder : folder_ / drive.hostFolder;
    p = p.lexically_normal();
    // "dir/" and "dir" are one folder; keep the root as it is.
    if (p.has_relative_path() && !p.has_filename()) p = p.parent_path();
    return p;
}

fs::path Machine::driveFolder(char letter) const {
    const Drive* d = drive(letter);
    return d ? hostFolder(*d) : fs::path{};
}

fs::path defaultMachineFolder() {
    if (const char* m = std::getenv("KV_MACHINE"); m && *m) return m;
    fs::path data;
    if (const char* x = std::getenv("XDG_DATA_HOME"); x && *x)
        data = x;
    else if (const char* h = std::getenv("HOME"); h && *h)
        data = fs::path(h) / ".local" / "share";
    else
        data = fs::temp_directory_path();
    return data / "kestrovane" / "machine";
}

const Machine& current() {
    if (!g_current) openMachine(defaultMachineFolder());
    return *g_current;
}

bool isOpen() {
    return g_current.has_value();
}

bool openMachine(const fs::path& folder) {
    std::error_code ec;
    const fs::path profileFile = Machine(folder, defaultProfile()).profileFile();
    if (!fs::exists(profileFile, ec)) return createMachine(folder, defaultProfile());
    std::optional<Profile> p = loadProfile(profileFile);
    g_current.emplace(folder, p ? *p : defaultProfile());
    applyCodePage(g_current->profile());
    return p.has_value() && prepareFolders(*g_current);
}

bool createMachine(const fs::path& folder, const Profile& profile) {
    g_current.emplace(folder, profile);
    applyCodePage(profile);
    std::error_code ec;
    fs::create_directories(g_current->folder(), ec);
    bool ok = !ec && prepareFolders(*g_current);
    for (KnownFolder f : allKnownFolders())
        createWindowsFolder(*g_current, knownFolderPath(profile, f));
    return saveProfile(g_current->profileFile(), profile) && ok;
}

void internal::resetMachine() {
    g_current.reset();
}

void resetForTests() {
    internal::resetMachine();
    internal::resetProgram();
    internal::resetResources();
    internal::resetStartActions();
}

} // namespace kv::machine
