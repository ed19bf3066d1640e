#include "tests/e2e/round_trip.h"

#include "tests/e2e/log_lines.h"

#include "platform/fs/files.h"
#include "platform/system/known_folders.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace kv::e2e {

void stagePackage(InstallerFixture& fixture, const GeneratedPackage& package) {
    fixture.writeSetupText(package.script, package.ends);
    for (const PayloadFile& file : package.payload)
        fixture.addPayload(file);
}

RunResult runUninstaller(InstallerFixture& fixture, const GeneratedPackage& package) {
    const std::string quoted = std::string(1, '"').append(package.uninstaller()).append("\"");
    RunResult r =
        fixture.start(quoted, {.uiScript = "box caption \"Confirm\" answer Yes\n"
                                           "box other answer OK\n"
                                           "idle\n"
                                           "  wait 10000\n"
                                           "  expect MainForm.CloseButton enabled \"true\"\n"
                                           "  click MainForm.CloseButton\n"
                                           "end\n"});
    // The batch runs on after the uninstaller has ended.
    const std::string batch =
        machine::knownFolderPath(machine::KnownFolder::Temp) + "\\_DEL_ME_.BAT";
    for (int i = 0; i < 400 && (fs::exists(package.uninstaller()) || fs::exists(batch)); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    return r;
}

std::vector<std::string> readProbe(const GeneratedPackage& package) {
    return readCrLfLines(package.probe).value_or(std::vector<std::string>{});
}

std::vector<std::string> probeFaults(const GeneratedPackage& package,
                                     const std::vector<std::string>& probe) {
    std::vector<std::string> faults;
    std::vector<std::string> expected;
    for (int stage = 0; stage < 6; ++stage)
        for (const std::string& name : package.stageRecords[stage])
            expected.push_back(std::to_string(stage + 1) + " " + name);
    char last = '1';
    for (const std::string& line : probe) {
        if (line.empty() || line[0] < last) faults.push_back("out of order: " + line);
        if (!line.empty()) last = std::max(last, line[0]);
        const auto at = std::find(expected.begin(), expected.end(), line);
        if (at == expected.end())
            faults.push_back("not expected (or twice): " + line);
        else
            expected.erase(at);
    }
    for (const std::string& line : expected)
        faults.push_back("did not run: " + line);
    return faults;
}

std::vector<std::uint32_t> seedsToRun(const char* variable, std::vector<std::uint32_t> fixed) {
    const char* range = std::getenv(variable);
    if (!range) return fixed;
    const auto first = static_cast<std::uint32_t>(std::strtoul(range, nullptr, 10));
    const char* dash = std::strchr(range, '-');
    const auto last =
        dash ? static_cast<std::uint32_t>(std::strtoul(dash + 1, nullptr, 10)) : first;
    std::vector<std::uint32_t> seeds;
    for (std::uint32_t seed = first; seed <= last; ++seed)
        seeds.push_back(seed);
    return seeds;
}

ResidueNames residueNames(const std::vector<GeneratedPackage>& packages,
                          const MachineFolders& folders) {
    ResidueNames names;
    names["WINDIR"] = {folders.windows};
    for (const GeneratedPackage& p : packages) {
        names["COMPANY"].push_back(p.company);
        names["PROGRAM"].push_back(p.program);
        if (p.keepsAppFolder) names["KEPT_APP"].push_back(p.app);
        for (const std::string& type : p.associationTypes)
            names["TYPE"].push_back(type);
        for (const std::string& file : p.iniFiles)
            names["INI"].push_back(file);
    }
    return names;
}

} // namespace kv::e2e
