#include "platform/fs/pending_renames.h"
#include "platform/process/batch.h"
#include "platform/registry/registry.h"
#include "platform/system/machine.h"
#include "platform/ui/application.h"
#include "platform/ui/end_program.h"
#include "platform/ui/headless/headless.h"
#include "platform/ui/script/ui_script.h"
#include "platform/ui/startup/startup.h"
#include "platform/ui/wx/wx_backend.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace kv::ui {
namespace {

// One block per box: "BOX <caption>", its text as plain lines, then ".".
std::string boxTranscript(const headless::HeadlessBackend& backend) {
    std::string out;
    for (const auto& box : backend.boxes())
        out += "BOX " + box.caption + "\n" + headless::plainText(box.text) + "\n.\n";
    return out;
}

void writeBoxTranscript(const headless::HeadlessBackend& backend) {
    const std::string transcript = boxTranscript(backend);
    if (const char* file = std::getenv("KV_UI_TRANSCRIPT"); file && *file)
        std::ofstream(file, std::ios::binary) << transcript;
    else
        std::fwrite(transcript.data(), 1, transcript.size(), stdout);
}

std::string programName(int argc, char** argv) {
    if (argc < 1 || !argv[0]) return "program";
    return std::filesystem::path(argv[0]).filename().string();
}

// The machine and the registry, before the body: false (after one box) when the machine
// folder cannot be written.
bool openMachine(int argc, char** argv, const MainOptions& options) {
    const std::filesystem::path folder = machine::defaultMachineFolder();
    if (!machine::openMachine(folder)) {
        app().messageBox("The machine folder \"" + folder.string() + "\" cannot be written.",
                         mb::IconError, options.title);
        return false;
    }
    fs::startProgram(argc, argv);
    for (const std::string& report : registry::openHives())
        app().messageBox(report, mb::IconExclamation, options.title);
    return true;
}

} // namespace

int runMain(int argc, char** argv, const std::function<int()>& body, const MainOptions& options) {
    // Before anything else: a batch's process never shows a window or lists itself.
    if (const std::optional<int> code = process::runBatchIfAsked()) return *code;
    bool realWindows = false;
    auto program = [&] {
        if (!openMachine(argc, argv, options)) return 1;
        // The screen of the machine's profile, its task bar 30 pixels high at the bottom.
        const machine::Screen& screen = machine::current().profile().screen;
        app().setScreen({screen.width, screen.height},
                        {0, 0, screen.width, std::max(screen.height - 30, 0)});
        // Real windows show the machine's display: fonts at its profile's pixels per inch.
        if (realWindows) wx::setPixelsPerInch(machine::current().profile().screen.pixelsPerInch);
        return body();
    };
    if (const char* script = std::getenv(script::kScriptVariable); script && *script) {
        std::string error;
        if (!script::loadFile(script, &error)) {
            std::fprintf(stderr, "ui script: %s\n", error.c_str());
            return 1;
        }
        return script::finish(runProgram(program));
    }
    if (installBackendFromEnvironment() == BackendKind::Wx) {
        realWindows = true;
        if (options.onWindows) options.onWindows();
        return runProgram(program);
    }
    if (!options.headlessWithoutScript) {
        std::fprintf(stderr,
                     "%s: no window to show (headless) and no UI script in %s: nothing to do\n",
                     programName(argc, argv).c_str(), script::kScriptVariable);
        return 1;
    }
    auto& backend = dynamic_cast<headless::HeadlessBackend&>(app().backend());
    const int code = runProgram(program);
    writeBoxTranscript(backend);
    return code;
}

} // namespace kv::ui
