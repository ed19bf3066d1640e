#pragma once
// The first uninstall data of the install: the head of the uninstall script with the
// script's operations, the Add/Remove Programs entry, the App Paths entry and the files
// installed beside the program for the uninstaller and the auto-update program (the
// uninstaller, the extension library, the delivery files, the info file).

#include <string>
#include <string_view>
#include <vector>

namespace kv::installer {

class CopyWizard;
class FileCopier;
class TScript;
class UninstallScript;

class UninstallDataWriter {
public:
    // All four must outlive this object; one writer serves the whole run, since the info
    // file is installed on its first use.
    UninstallDataWriter(const TScript& script, UninstallScript& uninstall, FileCopier& copier,
                        CopyWizard& wizard)
        : script_(script), uninstall_(uninstall), copier_(copier), wizard_(wizard) {}

    // The head of the uninstall script: settings and texts for the uninstaller, removal of
    // the script, log and shared folders, the run-time folder records, the Add/Remove
    // Programs entry with its size record and the uninstaller (only with an uninstall
    // script), the extension library and delivery files as service files, then the
    // registry, INI, environment, file-type (the records of the checked rows), open-with,
    // library and execute lines.
    void WriteUninstallData(const std::vector<std::string>& checkedFileTypes);
    // With SET_REGISTER_AS_APPLICATION the program key and the App Paths entry; the
    // folders and the uninstaller in the info file; the auto-update program when the setup
    // folder holds it.
    void WriteOriginalInfo();
    // Writes one value into the info file, installing the file from the setup folder on
    // the first call; nothing when the script names none or the setup folder lacks it.
    void WriteInfoValue(std::string_view section, std::string_view key, std::string_view value);
    // The uninstaller's path: the uninstall script's with ".exe"; empty while there is no
    // application folder.
    std::string UninstallerPath();

private:
    // The steps of WriteUninstallData, in order.
    void writeSettings();
    void writeOwnRemovals();
    void writeProgramEntry();
    void installServiceFiles();
    void writeOperations(const std::vector<std::string>& checkedFileTypes);
    // Copies a file of the setup folder into the application folder with no overwrite
    // test: as a service file (always copied), or with its REMOVE_FILE line.
    bool installFile(std::string_view name, bool serviceFile);
    // A line under the uninstall script's rules; a forced blank line.
    void add(const std::string& line);
    void blank();
    // "REMOVE_REG_KEY(" key ")" for a key that was written.
    void addKeyLine(const std::string& key);

    enum class InfoFile { NotYet, Installed, Unavailable };

    const TScript& script_;
    UninstallScript& uninstall_;
    FileCopier& copier_;
    CopyWizard& wizard_;
    InfoFile infoFile_ = InfoFile::NotYet;
};

} // namespace kv::installer
