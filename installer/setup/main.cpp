// The setup program: runs its body on the window model. With KV_UI_SCRIPT it plays the user
// of that UI script; otherwise it runs on the headless backend (the only one built so far;
// KV_UI=headless), answering every box with its default button, and writes the boxes
// shown as a transcript to the file named by KV_UI_TRANSCRIPT, or to standard output.

#include "installer/setup/english.h"
#include "installer/setup/setup_main.h"
#include "platform/system/process.h"
#include "platform/ui/end_program.h"
#include "platform/ui/headless/headless.h"
#include "platform/ui/script/ui_script.h"

#include <cstdlib>
#include <fstream>
#include <iostream>

namespace {

// One block per box: "BOX <caption>", its text as plain lines, then ".".
std::string boxTranscript(const kv::ui::headless::HeadlessBackend& backend) {
    std::string out;
    for (const auto& box : backend.boxes())
        out += "BOX " + box.caption + "\n" + kv::ui::headless::plainText(box.text) + "\n.\n";
    return out;
}

} // namespace

int main(int argc, char** argv) {
    kv::machine::setProgramArguments(argc, argv);
    kv::installer::AddEnglishResource();
    if (const char* script = std::getenv(kv::ui::script::kScriptVariable); script && *script)
        return kv::ui::script::runScripted(kv::installer::SetupMain);
    auto& backend = kv::ui::headless::install();
    const int code = kv::ui::runProgram(kv::installer::SetupMain);
    const std::string transcript = boxTranscript(backend);
    if (const char* file = std::getenv("KV_UI_TRANSCRIPT"); file && *file)
        std::ofstream(file, std::ios::binary) << transcript;
    else
        std::cout << transcript;
    return code;
}
