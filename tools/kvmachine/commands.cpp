#include "tools/kvmachine/commands.h"

#include "platform/fs/path.h"
#include "platform/fs/short_names.h"
#include "platform/process/exec.h"
#include "platform/process/processes.h"
#include "platform/system/process.h"
#include "platform/text/ansi.h"

#include <ostream>

namespace kv::tools {
namespace {

constexpr const char* kUsage = "usage: kvmachine run [--wait] [--hide] PATH [ARGS...]\n"
                               "       kvmachine ps\n"
                               "       kvmachine kill ID\n"
                               "       kvmachine shortpath PATH\n"
                               "       kvmachine hostpath PATH\n";

int usage(std::ostream& err) {
    err << kUsage;
    return 2;
}

std::string ansi(const std::string& utf8) {
    return text::fromUtf8(utf8);
}

std::string utf8(const std::string& ansiText) {
    return text::toUtf8(ansiText);
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    bool wait = false, hide = false;
    std::size_t i = 1;
    for (; i < args.size() && args[i].starts_with("--"); ++i) {
        if (args[i] == "--wait")
            wait = true;
        else if (args[i] == "--hide")
            hide = true;
        else
            return usage(err);
    }
    if (i >= args.size()) return usage(err);
    const std::string path = fs::fullPath(ansi(args[i]));
    if (path.empty()) {
        err << "kvmachine: not a valid path: " << args[i] << "\n";
        return 1;
    }
    std::string line = "\"" + path + "\"";
    for (++i; i < args.size(); ++i)
        line += " " + machine::quoteArgument(ansi(args[i]));
    const process::Started s =
        process::startProgram(line, hide ? process::kShowHide : process::kShowNormal);
    if (s.result != process::kExecStarted) {
        err << "kvmachine: " << utf8(path) << " does not start (" << s.result << ")\n";
        return 1;
    }
    if (!wait) {
        out << s.id << "\n";
        return 0;
    }
    const std::optional<unsigned> code = process::waitForProcess(s.id);
    out << (code ? *code : 0u) << "\n";
    return 0;
}

int ps(std::ostream& out) {
    for (int id : process::processIds())
        out << id << "\t" << utf8(process::processImagePath(id)) << "\n";
    return 0;
}

int kill(const std::string& idText, std::ostream& err) {
    int id = 0;
    try {
        std::size_t used = 0;
        id = std::stoi(idText, &used);
        if (used != idText.size()) id = 0;
    } catch (...) {
        id = 0;
    }
    if (id <= 0 || !process::TerminateProcess(id, 1)) {
        err << "kvmachine: no process " << idText << " on the machine\n";
        return 1;
    }
    return 0;
}

int shortPath(const std::string& path, std::ostream& out, std::ostream& err) {
    const std::string s = fs::shortPath(ansi(path));
    if (s.empty()) {
        err << "kvmachine: no such file or folder: " << path << "\n";
        return 1;
    }
    out << utf8(s) << "\n";
    return 0;
}

int hostPath(const std::string& path, std::ostream& out, std::ostream& err) {
    const std::filesystem::path host = fs::hostPath(ansi(path));
    if (host.empty()) {
        err << "kvmachine: no host path for " << path << "\n";
        return 1;
    }
    out << host.string() << "\n";
    return 0;
}

} // namespace

int runKvmachine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) return usage(err);
    const std::string& command = args[0];
    if (command == "run") return run(args, out, err);
    if (command == "ps" && args.size() == 1) return ps(out);
    if (command == "kill" && args.size() == 2) return kill(args[1], err);
    if (command == "shortpath" && args.size() == 2) return shortPath(args[1], out, err);
    if (command == "hostpath" && args.size() == 2) return hostPath(args[1], out, err);
    return usage(err);
}

} // namespace kv::tools
