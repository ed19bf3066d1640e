#include "tests/e2e/script_generator.h"

#include "platform/system/known_folders.h"

#include <algorithm>
#include <random>

namespace kv::e2e {
namespace {

const char* const kStages[6] = {"Setup Start", "Before Copy",     "After Copy",
                                "Setup End",   "UnInstall Start", "UnInstall End"};

// Draws from the seed; the same seed always draws the same numbers.
class Draw {
public:
    explicit Draw(std::uint32_t seed) : engine_(seed) {}
    int below(int n) { return static_cast<int>(engine_() % static_cast<std::uint32_t>(n)); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T, std::size_t N> const T& pick(const T (&items)[N]) {
        return items[below(static_cast<int>(N))];
    }

private:
    std::mt19937 engine_;
};

// An execute record: header items by position, argument items by position.
std::string executeRecord(const std::vector<std::pair<int, std::string>>& header,
                          const std::vector<std::pair<int, std::string>>& arguments) {
    std::vector<std::string> h(30), a(24);
    for (const auto& [at, text] : header)
        h[at] = text;
    for (const auto& [at, text] : arguments)
        a[at] = text;
    std::string out = "~|";
    for (const std::string& item : h)
        out += item + "|";
    out += "~|";
    for (const std::string& item : a)
        out += item + "|";
    return out + "~";
}

// A record of the stage that appends "<digit> <name>" and a line break to the file, run
// without a condition, under a condition that holds, or in the else-branch of one that
// does not.
std::string probeRecord(Draw& draw, int stage, const std::string& name, const std::string& file,
                        const std::string& group, const std::string& missingFile) {
    const std::string text = std::to_string(stage + 1) + " " + name + "\\\\n";
    int kind = draw.below(3);
    if (stage == 0 && kind == 1) kind = 0; // setup names the selected groups after stage 1
    switch (kind) {
    case 0:
        return executeRecord(
            {{1, name}, {2, kStages[stage]}, {4, "1"}, {19, "1"}, {20, "Append Text to a File"}},
            {{13, file}, {14, text}});
    case 1:
        return executeRecord({{1, name},
                              {2, kStages[stage]},
                              {7, "Group Selected"},
                              {19, "1"},
                              {20, "Append Text to a File"}},
                             {{1, group}, {13, file}, {14, text}});
    default:
        return executeRecord({{1, name},
                              {2, kStages[stage]},
                              {7, "File Found"},
                              {19, "1"},
                              {20, "Display Message"},
                              {25, "1"},
                              {26, "Append Text to a File"}},
                             {{1, missingFile}, {13, "not expected"}, {19, file}, {20, text}});
    }
}

// A record of stage "After Copy" with one operation.
std::string afterCopyRecord(const std::string& name, const std::string& operation,
                            const std::string& argument1, const std::string& argument2 = "") {
    return executeRecord({{1, name}, {2, "After Copy"}, {4, "1"}, {19, "1"}, {20, operation}},
                         {{13, argument1}, {14, argument2}});
}

std::string noBlanks(std::string text) {
    std::erase(text, ' ');
    return text;
}

std::string joined(const std::vector<std::string>& items, const std::string& between) {
    std::string out;
    for (const std::string& item : items)
        out += (out.empty() ? "" : between) + item;
    return out;
}

struct Folder {
    std::string text;     // SET_SUB_DIR's argument, mark first
    std::string path;     // machine path
    char mark = 0;        // '*', '#' or 0
    bool mayKeep = false; // a file without removal line may go here
};

} // namespace

MachineFolders currentFolders() {
    using machine::KnownFolder;
    return {machine::knownFolderPath(KnownFolder::ProgramFiles),
            machine::knownFolderPath(KnownFolder::CommonFiles),
            machine::knownFolderPath(KnownFolder::Windows),
            machine::knownFolderPath(KnownFolder::Temp),
            machine::knownFolderPath(KnownFolder::Programs)};
}

std::string GeneratedPackage::uninstaller() const {
    return app + (stamp.empty() ? "\\UnInstall.exe" : "\\UnInstall_" + stamp + ".exe");
}

std::string GeneratedPackage::uninstallScript() const {
    const std::string exe = uninstaller();
    return exe.substr(0, exe.size() - 4) + ".txt";
}

std::string GeneratedPackage::describe() const {
    return "seed " + std::to_string(seed) + " (" + (ends == LineEnds::CrLf ? "CR LF" : "LF") +
           ", application folder \"" + app + "\"" + (stamp.empty() ? "" : ", stamp " + stamp) +
           (common.empty() ? "" : ", common folder \"" + common + "\"") +
           (aux.empty() ? "" : ", auxiliary folder \"" + aux + "\"") + ")";
}

GeneratedPackage generatePackage(std::uint32_t seed, const MachineFolders& folders,
                                 const GeneratorOptions& options) {
    const SharedFiles* shared = options.shared;
    Draw draw(seed);
    GeneratedPackage p;
    p.seed = seed;
    p.ends = draw.chance(50) ? LineEnds::CrLf : LineEnds::Lf;
    const std::string tag = std::to_string(seed);
    p.program = draw.chance(50) ? "Gen App " + tag : "Gen" + tag;
    p.company = shared ? "Shared Co" : "Co" + tag;
    const std::string base = noBlanks(p.program);
    if (draw.chance(50)) p.stamp = "S" + tag;
    p.app = folders.programFiles + "\\" + p.program;
    const bool useCommon = shared || draw.chance(60);
    const bool useAux = draw.chance(50);
    const std::string commonName = shared ? shared->commonDir : p.company + " Common";
    if (useCommon) p.common = folders.commonFiles + "\\" + commonName;
    if (useAux) p.aux = folders.programFiles + "\\" + p.program + " Tools";
    p.probe = folders.temp + "\\probe" + tag + ".txt";

    std::string s;
    auto line = [&s](const std::string& text) { s += text + "\n"; };
    if (draw.chance(50)) line("/* A package made from seed " + tag + ",\n   for a round trip. */");
    line("SET_PROG_NAME(" + p.program + ")");
    line("SET_PROG_VERSION(1." + std::to_string(seed % 10) + ")");
    line("SET_COMPANY_NAME(" + p.company + ")");
    line("SET_PROG_EXE_NAME(<Application Folder>" + base + ".exe) // the program");
    line("SET_CREATE_SETUP_LOG");
    line("SET_CREATE_UNINSTALL");
    p.silent = draw.chance(60);
    if (p.silent)
        line("SET_SILENT_SETUP");
    else
        p.setupUiScript = "idle\n"
                          "  expect SDialogForm caption \"Welcome\"\n"
                          "  click SDialogForm.NextButton\n"
                          "end\n"
                          "idle\n"
                          "  wait 10000\n"
                          "  expect SDialogForm caption \"Setup Complete\"\n"
                          "  click SDialogForm.NextButton\n"
                          "end\n";
    if (draw.chance(50)) line("SET_REGISTER_AS_APPLICATION");
    if (!p.stamp.empty()) line("SET_PROG_STAMP(" + p.stamp + ")");
    line("SET_TARGET_DIR(<ProgramFilesDir>" + p.program + ")");
    if (useCommon) line("SET_COMMON_DIR(<CommonFilesDir>" + commonName + ")");
    if (useAux) line("SET_AUX_DIR(<ProgramFilesDir>" + p.program + " Tools)");
    line("SET_DIALOGS(WelcomeDlg,CopyFilesDlg,CompleteDlg)");
    if (draw.chance(50))
        line("SET_GLOBAL_OVERWRITE_FLAG(" + std::to_string(1 + draw.below(4)) + ")");

    // The folders: the application folder, plain (one with a nested folder), forced and kept
    // sub folders, the common and the auxiliary folder.
    std::vector<Folder> places{{"<Application Folder>", p.app, 0, true}};
    const int subs = 1 + draw.below(4);
    for (int i = 1; i <= subs; ++i) {
        const std::string n = std::to_string(i);
        switch (draw.below(4)) {
        case 0:
            places.push_back({"<Application Folder>Data" + n, p.app + "\\Data" + n, 0, false});
            places.push_back({"<Application Folder>Data" + n + "\\Deep",
                              p.app + "\\Data" + n + "\\Deep", 0, false});
            break;
        case 1:
            places.push_back({"*<Application Folder>Cache" + n, p.app + "\\Cache" + n, '*', true});
            break;
        case 2:
            places.push_back({"#<Application Folder>Keep" + n, p.app + "\\Keep" + n, '#', true});
            break;
        default:
            places.push_back({"<Application Folder>Docs " + n, p.app + "\\Docs " + n, 0, false});
        }
    }
    // A product of a set has only the set's files in the common folder.
    if (useCommon && !shared) places.push_back({"<Common Folder>", p.common, 0, false});
    if (useAux) places.push_back({"<Auxiliary Folder>", p.aux, 0, false});

    // Groups: every folder's entry in one of them; the application folder's first.
    const int groups = 1 + draw.below(3);
    std::vector<std::string> groupNames;
    std::vector<std::vector<std::size_t>> groupPlaces(groups);
    for (std::size_t i = 0; i < places.size(); ++i)
        groupPlaces[i == 0 ? 0 : draw.below(groups)].push_back(i);
    int fileNumber = 0;
    std::string dataFolder; // a plain sub folder, for the forced removal of it
    for (int g = 0; g < groups; ++g) {
        groupNames.push_back("Part " + std::to_string(g + 1));
        line("SET_GROUP_DATA(" + groupNames.back() + "|" + std::to_string(10 + g) +
             "|1|1|3|Files of part " + std::to_string(g + 1) + "|1)");
        for (std::size_t at : groupPlaces[g]) {
            const Folder& place = places[at];
            if (place.mark == 0 && place.path.find("\\Data") != std::string::npos &&
                place.path.find("\\Deep") == std::string::npos && dataFolder.empty())
                dataFolder = place.path.substr(p.app.size() + 1);
            line("SET_SUB_DIR(" + place.text + ")");
            if (place.mark == '#') p.keepsAppFolder = true; // kept, even without files
            // Now and then a folder without files: the next SET_SUB_DIR or SET_GROUP_DATA
            // closes it (the script's last one would stay pending and make no entry).
            const bool last = g == groups - 1 && at == groupPlaces[g].back();
            if (at != 0 && !last && draw.chance(15)) continue;
            if (draw.chance(40)) {
                const int modes[] = {0, 1, 2, 3, 4, 7};
                line("SET_OVERWRITE_FLAG(" + std::to_string(draw.pick(modes)) + ")");
            }
            std::vector<std::string> items;
            const int files = (at == 0 ? 2 : 1) + draw.below(3);
            for (int f = 0; f < files; ++f) {
                std::string name = (at == 0 && f == 0) ? base + ".exe"
                                                       : "f" + std::to_string(++fileNumber) +
                                                             (draw.chance(50) ? ".dat" : ".txt");
                std::string prefix;
                const bool inCommon = !p.common.empty() && place.path == p.common;
                const bool sharedFlag = inCommon || (place.mark != '#' && draw.chance(10));
                if (sharedFlag && !options.noSharedFlags) {
                    prefix = draw.chance(30) ? "257*" : "*";
                    p.sharedFiles.push_back(place.path + "\\" + name);
                } else if (place.mayKeep && !(at == 0 && f == 0) && draw.chance(25)) {
                    prefix = "16*";
                    name = "nolog" + std::to_string(fileNumber) + ".dat";
                    if (place.mark != '*') p.keepsAppFolder = true;
                } else {
                    const char* attributes[] = {"",     "",      "",      "256*",
                                                "512*", "1024*", "8192*", "*256*"};
                    prefix = draw.pick(attributes);
                }
                std::string source = name;
                if (draw.chance(15))
                    source = "000" + std::to_string(10 + fileNumber % 90) + "#" + name;
                items.push_back(prefix + source);
                std::string bytes;
                const int lines = 1 + draw.below(200);
                for (int l = 0; l < lines; ++l)
                    bytes += tag + " " + name + " line " + std::to_string(l) + "\r\n";
                p.payload.push_back({.name = source, .bytes = bytes});
            }
            line("SET_COPY_FILES(" + joined(items, "|") + ")");
        }
        if (g == 0 && options.bulkFiles > 0) {
            line("SET_SUB_DIR(<Application Folder>Bulk)");
            std::vector<std::string> items;
            for (int f = 1; f <= options.bulkFiles; ++f) {
                items.push_back("bulk" + std::to_string(f) + ".dat");
                p.payload.push_back(
                    {.name = items.back(), .bytes = std::string(512 + 64 * (f % 16), 'b')});
            }
            line("SET_COPY_FILES(" + joined(items, "|") + ")");
        }
        // The shared files of a product set go in the first group's common entry.
        if (shared && g == 0) {
            line("SET_SUB_DIR(<Common Folder>)");
            line("SET_OVERWRITE_FLAG(1)"); // a count without removal line would never fall
            std::vector<std::string> items;
            for (const std::string& name : shared->names) {
                items.push_back("*" + name);
                p.sharedFiles.push_back(p.common + "\\" + name);
                p.payload.push_back({.name = name, .bytes = "shared " + name + "\r\n"});
            }
            line("SET_COPY_FILES(" + joined(items, "|") + ")");
        }
    }

    // Registry, INI and environment records.
    const std::string userKey = "HKEY_CURRENT_USER\\Software\\" + p.company + "\\" + p.program;
    for (int i = draw.below(4); i > 0; --i)
        line("SET_PERFORM_REGISTRY_OP(" + userKey + "\\Settings" + std::to_string(draw.below(2)) +
             ",Value" + std::to_string(i) + "," +
             (draw.chance(50) ? "<Application Folder>,Create,Remove,String"
                              : std::to_string(i * 7) + ",Create,Remove,Integer") +
             ")");
    for (int i = draw.below(4); i > 0; --i) {
        const std::string file = base + std::to_string(draw.below(2)) + ".ini";
        if (std::find(p.iniFiles.begin(), p.iniFiles.end(), folders.windows + "\\" + file) ==
            p.iniFiles.end())
            p.iniFiles.push_back(folders.windows + "\\" + file);
        line("SET_PERFORM_INIFILE_OP(<WinDir>" + file + ",Section" + std::to_string(draw.below(2)) +
             ",Key" + std::to_string(i) + ",value " + std::to_string(i) + ",Create,Remove)");
    }
    for (int i = draw.below(3); i > 0; --i)
        line("SET_PERFORM_ENVIRONMENT_OP(GEN" + tag + "_" + std::to_string(i) +
             ",<Application Folder>bin,Create,Remove)");

    // File types and the open-with verb for their extensions.
    std::vector<std::string> extensions;
    for (int i = draw.below(3); i > 0; --i) {
        p.associationTypes.push_back(base + ".Doc" + std::to_string(i));
        extensions.push_back(".g" + tag + "x" + std::to_string(i));
        line("SET_ADD_ASSOCIATION_ITEM(|" + p.associationTypes.back() + "|" + p.program +
             " document " + std::to_string(i) + "|" + extensions.back() + "||<Application Folder>" +
             base + ".exe|||Create|Remove|)");
    }
    if (!extensions.empty() && draw.chance(50)) {
        line("SET_OPEN_WITH");
        line("SET_OPEN_WITH_NAME(Open" + base + ")");
        line("SET_OPEN_WITH_MENU_TEXT(Open with " + p.program + ")");
        std::string list;
        for (const std::string& e : extensions)
            list += (list.empty() ? "*" : "; *") + e;
        // The line ends with ";" so that the ";" in the list survives.
        line("SET_OPEN_WITH_EXTENSIONS(" + list + ");");
    }

    // Shortcuts: the program's own, further items and the four extra ones.
    p.menuFolder = folders.programs + "\\" + p.program;
    if (draw.chance(80)) {
        line("SET_START_PROGRAM_LINK_FOLDER(" + p.program + ")");
        line("SET_START_PROGRAM_LINK_NAME(" + p.program + ")");
        if (draw.chance(50)) line("SET_START_PROGRAM_LINK_WORKDIR(<Application Folder>)");
        if (draw.chance(30)) line("SET_START_PROGRAM_LINK_RUN(Minimized)");
        const char* itemFolders[] = {"", "Tools", "Tools\\More"};
        for (int i = draw.below(4); i > 0; --i) {
            const std::string target = draw.chance(25) ? "www.gen" + tag + ".example"
                                                       : "<Application Folder>" + base + ".exe";
            line("SET_START_PROGRAM_LINK_ITEM(Item " + std::to_string(i) + "," + target + "," +
                 draw.pick(itemFolders) + ",,,,,)");
        }
    }
    for (const char* extra : {"SET_START_MENU_LINK_NAME", "SET_DESKTOP_LINK_NAME",
                              "SET_SENDTO_LINK_NAME", "SET_STARTUP_LINK_NAME"})
        if (draw.chance(50))
            line(std::string(extra) + "(" + (draw.chance(80) ? "^" : "") + p.program + ")");

    // Stage records appending to the probe file, in a drawn order.
    const std::string probeInScript = "<TempDir>probe" + tag + ".txt";
    const std::string missing = "<TempDir>missing" + tag + ".txt";
    std::vector<std::string> records;
    for (int stage = 0; stage < 6; ++stage)
        for (int i = draw.below(3); i > 0; --i) {
            const std::string name = "R" + std::to_string(stage + 1) + "." + std::to_string(i);
            if (stage != 3 || !p.silent) p.stageRecords[stage].push_back(name);
            records.insert(records.begin() + draw.below(static_cast<int>(records.size()) + 1),
                           probeRecord(draw, stage, name, probeInScript, groupNames[0], missing));
        }
    for (const std::string& record : records)
        line("SET_PERFORM_EXECUTE_OP(" + record + ")");

    // Removal commands for what stage records make after copying.
    if (draw.chance(60)) {
        line("SET_PERFORM_EXECUTE_OP(" +
             afterCopyRecord("made", "Append Text to a File", "<Application Folder>made.txt",
                             "made after copying") +
             ")");
        line("SET_REMOVE_ABSOLUTE_FILE(<TARGET_DIR>\\made.txt)");
    }
    if (!dataFolder.empty() && draw.chance(70)) {
        line("SET_PERFORM_EXECUTE_OP(" +
             afterCopyRecord("note", "Append Text to a File",
                             "<Application Folder>" + dataFolder + "\\note.txt", "a note") +
             ")");
        line("SET_FORCE_REMOVE_TARGET_SUB_DIR(" + dataFolder + ")");
    }
    if (draw.chance(50)) {
        line("SET_PERFORM_EXECUTE_OP(" +
             afterCopyRecord("key", "Create Registry Key", userKey + "\\Runtime") + ")");
        line("SET_REMOVE_REG_KEY(" + userKey + "\\Runtime)");
    }
    if (!p.keepsAppFolder && draw.chance(30)) line("SET_FORCE_REMOVE_TARGET_DIR");

    // Verbatim uninstall lines: a last record for the uninstaller's end and the removal of a
    // file made after copying.
    if (draw.chance(50)) {
        line("SET_PERFORM_EXECUTE_OP(" +
             afterCopyRecord("late", "Append Text to a File", "<Application Folder>late.txt",
                             "late") +
             ")");
        line("SET_COPY_TO_UNINSTALL");
        line("REMOVE_FILE(" + p.app + "\\late.txt)");
        p.stageRecords[5].push_back("Late");
        line("SET_PERFORM_EXECUTE_OP(" +
             executeRecord({{1, "Late"},
                            {2, "UnInstall End"},
                            {4, "1"},
                            {19, "1"},
                            {20, "Append Text to a File"}},
                           {{13, probeInScript}, {14, "6 Late\\\\n"}}) +
             ")");
    }
    p.script = s;
    return p;
}

std::vector<GeneratedPackage> generateProductSet(std::uint32_t seed, const MachineFolders& folders,
                                                 int products) {
    Draw draw(seed);
    const std::string commonDir = "Set" + std::to_string(seed) + " Shared";
    const int files = 2 + draw.below(3);
    std::vector<std::vector<std::string>> held(products);
    for (int f = 0; f < files; ++f) {
        const std::string name = "lib" + std::to_string(f + 1) + ".dll";
        // At least two holders, the first and a drawn other one, and now and then more.
        const int first = draw.below(products);
        const int second = (first + 1 + draw.below(products - 1)) % products;
        for (int product = 0; product < products; ++product)
            if (product == first || product == second || draw.chance(30))
                held[product].push_back(name);
    }
    std::vector<GeneratedPackage> out;
    for (int product = 0; product < products; ++product) {
        const SharedFiles shared{commonDir, held[product]};
        out.push_back(generatePackage(seed * 10 + static_cast<std::uint32_t>(product), folders,
                                      {.shared = &shared}));
    }
    return out;
}

} // namespace kv::e2e
