#include "installer/uninstall/self_delete.h"

#include "installer/common/system_queries.h"
#include "platform/fs/attributes.h"
#include "platform/fs/file.h"
#include "platform/fs/short_names.h"
#include "platform/process/exec.h"

#include <string>

namespace kv::installer::uninstall {

bool WriteTextToFile(std::string_view path, std::string_view text, std::uint64_t fileTime) {
    fs::File file =
        fs::File::open(path, fs::Access::Write, fs::Share::Shared, fs::Disposition::CreateAlways);
    if (!file.isOpen()) return false;
    const long written = text.empty() ? 0 : file.write(text.data(), text.size());
    file.close();
    if (fileTime != 0) fs::setFileTimes(path, {0, 0, fileTime});
    return written == static_cast<long>(text.size());
}

void StartSelfDelete(bool removeFolder) {
    const std::string batch = GetTempDir(true) + "_DEL_ME_.BAT";
    // Written first so that the file exists and has a short name.
    if (!WriteTextToFile(batch, "ABC\r\n", 0)) return;
    const std::string batchShort = fs::shortPath(batch);
    const std::string program = fs::shortPath(GetExeName());
    const std::string folder = fs::shortPath(GetExeDir(false));
    std::string text = ":START\r\nDEL " + program + "\r\nIF errorlevel 1 GOTO START\r\n";
    if (removeFolder) text += "RD " + folder + "\r\n";
    text += "DEL " + batchShort + "\r\n";
    if (!WriteTextToFile(batch, text, 0)) return;
    process::WinExec(batchShort, process::kShowHide);
}

} // namespace kv::installer::uninstall
