#include "installer/setup/setup_log.h"

#include "installer/common/date_text.h"
#include "installer/common/file_names.h"
#include "installer/common/folders.h"
#include "installer/common/paths.h"
#include "installer/common/system_queries.h"
#include "installer/common/text_lines.h"
#include "installer/common/text_utils.h"
#include "installer/setup/script.h"

namespace kv::installer {
namespace {

constexpr std::string_view kJoin = "\\\\x";
constexpr std::string_view kTab = "\\\\t";

} // namespace

void SetupLog::Log(std::string_view text) {
    if (!script_.Flag(ScriptFlag::CreateSetupLog)) return;
    const bool join = text.substr(0, kJoin.size()) == kJoin;
    if (join) text.remove_prefix(kJoin.size());
    const std::string expanded = ReplaceAll(text, kTab, "\t");
    std::size_t from = 0;
    for (bool first = true;; first = false) {
        const std::size_t end = expanded.find("\r\n", from);
        std::string line = expanded.substr(from, end - from);
        if (first && join && !lines_.empty())
            lines_.back() += line;
        else
            lines_.push_back(std::move(line));
        if (end == std::string::npos || end + 2 == expanded.size()) break;
        from = end + 2;
    }
    const std::string folder = GetTargetDir();
    if (!folder.empty())
        SaveTextLines(SetTrailingSlash(folder, true) + GetLogFileName(false), lines_);
}

void SetupLog::WriteLogHeader() {
    Log("Setup Log of: " + script_.Text(ScriptText::ProgName));
    Log("Version: " + script_.Text(ScriptText::ProgVersion));
    Log("");
    Log("Date: " + ShortDateTimeNow());
    Log("Operating System: " + GetOSDescription());
    Log("Composer Version: " + script_.Text(ScriptText::ComposerBuild));
    Log("");
    Log("WinTempDir: " + GetTempDir(false));
    Log("SourceDir:  " + GetExeDir(false));
    Log("");
}

} // namespace kv::installer
