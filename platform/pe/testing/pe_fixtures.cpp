#include "platform/pe/testing/pe_fixtures.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <sys/wait.h>

namespace kv::pe::testing {
namespace {

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text)
        out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

std::string shellQuoted(const std::string& text) {
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

} // namespace

std::string versionScript(const std::string& fileVersion, const std::vector<StringTable>& tables,
                          const std::optional<std::vector<std::pair<int, int>>>& translations) {
    std::string s = "1 VERSIONINFO\nFILEVERSION " + fileVersion + "\nPRODUCTVERSION " +
                    fileVersion +
                    "\nFILEFLAGSMASK 0x3f\nFILEFLAGS 0\nFILEOS 0x40004\nFILETYPE 2\n"
                    "FILESUBTYPE 0\nBEGIN\n";
    if (!tables.empty()) {
        s += "  BLOCK \"StringFileInfo\"\n  BEGIN\n";
        for (const StringTable& t : tables) {
            s += "    BLOCK " + quoted(t.translation) + "\n    BEGIN\n";
            for (const auto& [key, value] : t.values)
                s += "      VALUE " + quoted(key) + ", " + quoted(value) + "\n";
            s += "    END\n";
        }
        s += "  END\n";
    }
    if (translations) {
        s += "  BLOCK \"VarFileInfo\"\n  BEGIN\n    VALUE \"Translation\"";
        for (const auto& [language, codePage] : *translations)
            s += ", " + std::to_string(language) + ", " + std::to_string(codePage);
        s += "\n  END\n";
    }
    return s + "END\n";
}

std::pair<int, std::string> runCommand(const std::string& command) {
    std::FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return {-1, "cannot run: " + command};
    std::string output;
    std::array<char, 4096> buffer;
    for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
        output.append(buffer.data(), n);
    const int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

std::string buildDll(const std::string& script, Bits bits, const std::filesystem::path& output) {
    const std::string prefix = bits == Bits::Pe32 ? "i686-w64-mingw32-" : "x86_64-w64-mingw32-";
    const std::filesystem::path rc = output.string() + ".rc";
    const std::filesystem::path object = output.string() + ".o";
    std::ofstream(rc, std::ios::binary) << script;
    // The host's C preprocessor serves windres; the DLL has no code and no entry point.
    auto [status, text] =
        runCommand(prefix + "windres -c 1252 --preprocessor=cpp -i " + shellQuoted(rc.string()) +
                   " -o " + shellQuoted(object.string()));
    if (status != 0) return "windres failed (" + std::to_string(status) + "): " + text;
    std::tie(status, text) =
        runCommand(prefix + "ld -shared -e 0 -o " + shellQuoted(output.string()) + " " +
                   shellQuoted(object.string()));
    if (status != 0) return "ld failed (" + std::to_string(status) + "): " + text;
    std::filesystem::remove(rc);
    std::filesystem::remove(object);
    return "";
}

} // namespace kv::pe::testing
