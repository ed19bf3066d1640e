#include "installer/uninstall/removal_report.h"

#include <utility>
#include <vector>

namespace kv::installer::uninstall {
namespace {

struct Group {
    std::vector<std::pair<FailureCategory, const char*>> lines;
    const char* advice;
};

// "\n" is the boxes' escape for a line break, expanded when the box is shown.
const Group kGroups[] = {
    {{{FailureCategory::Registry, "UnInstall was unable to handle one or more Registry keys\\n"},
      {FailureCategory::Ini, "UnInstall was unable to handle one or more IniFile entries\\n"},
      {FailureCategory::Associations,
       "UnInstall was unable to handle one or more File Association entries\\n"}},
     "\\nTo complete the UnInstall operation, Please handle them manually."},
    {{{FailureCategory::Directories, "UnInstall was unable to remove one or more Directories\\n"},
      {FailureCategory::Files, "UnInstall was unable to remove one or more Files\\n"}},
     "\\nTo complete the UnInstall operation, Please remove them manually."},
    {{{FailureCategory::Execute, "UnInstall was unable to execute one or more operations\\n"}},
     "\\nTo complete the UnInstall operation, Please perform them manually."},
};

} // namespace

std::string RemovalReport(const FailureCounts& failures) {
    std::string report;
    for (const Group& group : kGroups) {
        std::string text;
        for (const auto& [category, line] : group.lines)
            if (failures[category] > 0) text += line;
        if (text.empty()) continue;
        if (!report.empty()) report += "\\n\\n";
        report += text + group.advice;
    }
    return report;
}

} // namespace kv::installer::uninstall
