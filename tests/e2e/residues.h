#pragma once
// The list of what a round trip of setup and uninstall leaves on the machine on purpose:
// extended regular expressions over the lines of a snapshot difference, one a line, with
// place holders ("<APP>") standing for the names of one package.

#include <filesystem>
#include <map>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

namespace kv::e2e {

// The values of each place holder (its name without the angle brackets).
using ResidueNames = std::map<std::string, std::vector<std::string>>;

class ResidueList {
public:
    // Reads the list: comment ("#") and blank lines are skipped; each "<NAME>" is replaced by
    // the alternation of its values, written literally; a pattern whose place holder has no
    // value is left out (it names nothing of this package).
    ResidueList(const std::filesystem::path& file, const ResidueNames& names);
    bool empty() const { return patterns_.empty(); }
    // Whether a difference line is a listed residue.
    bool matches(const std::string& line) const;

private:
    std::vector<std::regex> patterns_;
};

// The text as an extended regular expression that matches it literally.
std::string literalPattern(std::string_view text);

// The list kept beside the end-to-end tests.
std::filesystem::path roundTripResidueFile();

} // namespace kv::e2e
