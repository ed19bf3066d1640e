#pragma once
// The failures of a removal, counted by category, and the one summary box text that names
// the categories that failed.

#include <array>
#include <string>

namespace kv::installer::uninstall {

enum class FailureCategory {
    Registry,     // registry keys and registry records
    Ini,          // INI and environment records
    Associations, // association and open-with records
    Directories,
    Files,
    Execute, // execute operations
};

class FailureCounts {
public:
    void add(FailureCategory category) { ++counts_[static_cast<int>(category)]; }
    int operator[](FailureCategory category) const { return counts_[static_cast<int>(category)]; }

private:
    std::array<int, 6> counts_{};
};

// The report: the groups of failed categories (registry, INI and association entries; then
// directories and files; then operations), each closed by its advice, separated by "\n\n"
// (escapes as the boxes expand them); empty when nothing failed.
std::string RemovalReport(const FailureCounts& failures);

} // namespace kv::installer::uninstall
