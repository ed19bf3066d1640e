#include "tools/kvmachine/commands.h"

#include "platform/desktop/atoms.h"
#include "platform/desktop/window_messages.h"
#include "platform/desktop/windows.h"
#include "platform/fs/path.h"
#include "platform/fs/short_names.h"
#include "platform/process/batch.h"
#include "platform/process/exec.h"
#include "platform/process/processes.h"
#include "platform/process/services.h"
#include "platform/registry/registry.h"
#include "platform/system/process.h"
#include "platform/text/ansi.h"

#include <csignal>
#include <fstream>
#include <mutex>
#include <ostream>

#include <pthread.h>

namespace kv::tools {
namespace {

constexpr const char* kUsage = "usage: kvmachine run [--wait] [--hide] PATH [ARGS...]\n"
                               "       kvmachine batch FILE\n"
                               "       kvmachine ps\n"
                               "       kvmachine kill ID\n"
                               "       kvmachine shortpath PATH\n"
                               "       kvmachine hostpath PATH\n"
                               "       kvmachine service add KEY \"DISPLAY NAME\" -- COMMAND...\n"
                               "       kvmachine service list\n"
                               "       kvmachine service remove KEY\n"
                               "       kvmachine trace-viewer --out FILE\n"
                               "       kvmachine window CLASS\n";

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

// Runs a batch file in the foreground.
int batch(const std::string& path, std::ostream& err) {
    const process::BatchResult r = process::runBatch(ansi(path));
    if (r.end == process::BatchEnd::NotRead) {
        err << "kvmachine: cannot read " << path << "\n";
        return 1;
    }
    if (r.end == process::BatchEnd::GaveUp) {
        err << "kvmachine: " << path << " gave up\n";
        return 1;
    }
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

registry::Key servicesKey() {
    return {registry::Root::LocalMachine, std::string(process::kServicesKey)};
}

const char* stateText(std::uint32_t state) {
    switch (state) {
    case process::kServiceStopped:
        return "stopped";
    case process::kServiceStartPending:
        return "start pending";
    case process::kServiceStopPending:
        return "stop pending";
    case process::kServiceRunning:
        return "running";
    default:
        return "unknown";
    }
}

int serviceAdd(const std::vector<std::string>& args, std::ostream& err) {
    // service add KEY DISPLAY -- COMMAND...
    if (args.size() < 6 || args[4] != "--" || args[2].empty() ||
        args[2].find_first_of("\\/") != std::string::npos)
        return usage(err);
    std::string command;
    for (std::size_t i = 5; i < args.size(); ++i)
        command += (i > 5 ? " " : "") + args[i];
    registry::Key key;
    const bool ok =
        registry::createKey(servicesKey(), ansi(args[2]), key) == registry::Status::Success &&
        registry::setValue(key, "DisplayName", registry::stringValue(ansi(args[3]))) ==
            registry::Status::Success &&
        registry::setValue(key, "ImagePath", registry::stringValue(ansi(command))) ==
            registry::Status::Success;
    if (!ok) {
        err << "kvmachine: the service cannot be written to the registry\n";
        return 1;
    }
    return 0;
}

int serviceList(std::ostream& out) {
    std::vector<std::string> keys;
    registry::subKeyNames(servicesKey(), keys);
    const process::ServiceHandle manager = process::OpenSCManager("ServicesActive");
    for (const std::string& name : keys) {
        registry::Key key;
        registry::Value display;
        if (registry::openKey(servicesKey(), name, key) != registry::Status::Success) continue;
        registry::queryValue(key, "DisplayName", display);
        process::ServiceStatus status;
        process::QueryServiceStatus(process::OpenService(manager, name), status);
        out << utf8(name) << "\t" << utf8(registry::textOf(display)) << "\t"
            << stateText(status.currentState) << "\n";
    }
    return 0;
}

// Removes a service, ending it first when it runs.
int serviceRemove(const std::string& keyName, std::ostream& err) {
    const process::ServiceHandle service =
        process::OpenService(process::OpenSCManager("ServicesActive"), ansi(keyName));
    if (!service.valid) {
        err << "kvmachine: no service " << keyName << " on the machine\n";
        return 1;
    }
    process::ServiceStatus status;
    if (process::QueryServiceStatus(service, status) &&
        status.currentState != process::kServiceStopped && status.processId > 0)
        process::TerminateProcess(status.processId, 1);
    if (registry::deleteTree(servicesKey(), service.keyName) != registry::Status::Success) {
        err << "kvmachine: the service cannot be removed from the registry\n";
        return 1;
    }
    return 0;
}

int service(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() >= 2 && args[1] == "add") return serviceAdd(args, err);
    if (args.size() == 2 && args[1] == "list") return serviceList(out);
    if (args.size() == 3 && args[1] == "remove") return serviceRemove(args[2], err);
    return usage(err);
}

// Keeps a window registered until the term or interrupt signal, printing its handle first.
int holdWindow(const std::string& className, desktop::WindowProc proc, std::ostream& out,
               std::ostream& err) {
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGTERM);
    sigaddset(&stop, SIGINT);
    // Blocked before the window's thread starts, so only the wait below takes them.
    pthread_sigmask(SIG_BLOCK, &stop, nullptr);
    desktop::MachineWindow window(className, std::move(proc));
    if (!window.valid()) {
        err << "kvmachine: the window cannot be registered\n";
        return 1;
    }
    out << window.handle() << std::endl;
    int signal = 0;
    sigwait(&stop, &signal);
    return 0;
}

int window(const std::string& className, std::ostream& out, std::ostream& err) {
    return holdWindow(ansi(className), {}, out, err);
}

// A trace viewer: writes every message it gets as a line "number wParam lParam length",
// then the text of the atom that lParam names (empty when there is none) and a line break.
int traceViewer(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 3 || args[1] != "--out") return usage(err);
    auto file = std::make_shared<std::ofstream>(args[2], std::ios::binary | std::ios::trunc);
    if (!*file) {
        err << "kvmachine: cannot write " << args[2] << "\n";
        return 1;
    }
    desktop::registerWindowMessage(".W_DebugMsg.");
    auto lock = std::make_shared<std::mutex>();
    auto proc = [file, lock](unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
        const std::string text =
            lParam > 0 && lParam <= 0xFFFF
                ? desktop::globalGetAtomName(static_cast<desktop::Atom>(lParam))
                : std::string();
        const std::lock_guard<std::mutex> hold(*lock);
        *file << message << " " << wParam << " " << lParam << " " << text.size() << "\n"
              << text << "\n";
        file->flush();
        return std::intptr_t{0};
    };
    return holdWindow(".WDebug.", proc, out, err);
}

} // namespace

int runKvmachine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) return usage(err);
    const std::string& command = args[0];
    if (command == "run") return run(args, out, err);
    if (command == "batch" && args.size() == 2) return batch(args[1], err);
    if (command == "ps" && args.size() == 1) return ps(out);
    if (command == "service") return service(args, out, err);
    if (command == "kill" && args.size() == 2) return kill(args[1], err);
    if (command == "shortpath" && args.size() == 2) return shortPath(args[1], out, err);
    if (command == "hostpath" && args.size() == 2) return hostPath(args[1], out, err);
    if (command == "trace-viewer") return traceViewer(args, out, err);
    if (command == "window" && args.size() == 2) return window(args[1], out, err);
    return usage(err);
}

} // namespace kv::tools
