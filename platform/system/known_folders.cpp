#include "platform/system/known_folders.h"

#include "platform/system/machine.h"

#include <array>

namespace kv::machine {
namespace {

constexpr std::array kAll = {
    KnownFolder::Windows,         KnownFolder::System,
    KnownFolder::System16,        KnownFolder::Fonts,
    KnownFolder::ProgramFiles,    KnownFolder::CommonFiles,
    KnownFolder::UserProfile,     KnownFolder::Temp,
    KnownFolder::Desktop,         KnownFolder::StartMenu,
    KnownFolder::Programs,        KnownFolder::Startup,
    KnownFolder::SendTo,          KnownFolder::MyDocuments,
    KnownFolder::AllUsersProfile, KnownFolder::CommonDesktop,
    KnownFolder::CommonStartMenu, KnownFolder::CommonPrograms,
    KnownFolder::CommonStartup,   KnownFolder::CommonDocuments,
};

constexpr std::array<ShellFolder, 12> kShellFolders = {{
    {"Desktop", KnownFolder::Desktop, false},
    {"Start Menu", KnownFolder::StartMenu, false},
    {"Programs", KnownFolder::Programs, false},
    {"Startup", KnownFolder::Startup, false},
    {"SendTo", KnownFolder::SendTo, false},
    {"Personal", KnownFolder::MyDocuments, false},
    {"Fonts", KnownFolder::Fonts, false},
    {"Common Desktop", KnownFolder::CommonDesktop, true},
    {"Common Start Menu", KnownFolder::CommonStartMenu, true},
    {"Common Programs", KnownFolder::CommonPrograms, true},
    {"Common Startup", KnownFolder::CommonStartup, true},
    {"Common Documents", KnownFolder::CommonDocuments, true},
}};

} // namespace

std::span<const KnownFolder> allKnownFolders() {
    return kAll;
}
std::span<const ShellFolder> shellFolders() {
    return kShellFolders;
}

std::string knownFolderPath(const Profile& p, KnownFolder f) {
    const SystemFolders& s = p.folders;
    const std::string user = s.profiles + "\\" + p.userName;
    const std::string all = s.profiles + "\\All Users";
    switch (f) {
    case KnownFolder::Windows:
        return s.windows;
    case KnownFolder::System:
        return s.system;
    case KnownFolder::System16:
        return s.windows + "\\system";
    case KnownFolder::Fonts:
        return s.windows + "\\Fonts";
    case KnownFolder::ProgramFiles:
        return s.programFiles;
    case KnownFolder::CommonFiles:
        return s.programFiles + "\\Common Files";
    case KnownFolder::UserProfile:
        return user;
    case KnownFolder::Temp:
        return user + "\\Local Settings\\Temp";
    case KnownFolder::Desktop:
        return user + "\\Desktop";
    case KnownFolder::StartMenu:
        return user + "\\Start Menu";
    case KnownFolder::Programs:
        return user + "\\Start Menu\\Programs";
    case KnownFolder::Startup:
        return user + "\\Start Menu\\Programs\\Startup";
    case KnownFolder::SendTo:
        return user + "\\SendTo";
    case KnownFolder::MyDocuments:
        return user + "\\My Documents";
    case KnownFolder::AllUsersProfile:
        return all;
    case KnownFolder::CommonDesktop:
        return all + "\\Desktop";
    case KnownFolder::CommonStartMenu:
        return all + "\\Start Menu";
    case KnownFolder::CommonPrograms:
        return all + "\\Start Menu\\Programs";
    case KnownFolder::CommonStartup:
        return all + "\\Start Menu\\Programs\\Startup";
    case KnownFolder::CommonDocuments:
        return all + "\\Documents";
    }
    return {};
}

std::string knownFolderPath(KnownFolder f) {
    return knownFolderPath(current().profile(), f);
}

} // namespace kv::machine
