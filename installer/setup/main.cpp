// The setup program: runs its body on the window model. KV_UI=headless (the only backend
// built so far) runs without a screen; the boxes shown are then written as a transcript to
// the file named by KV_UI_TRANSCRIPT, or to standard output.

#include "installer/setup/english.h"
#include "installer/setup/setup_main.h"
#include "platform/system/process.h"
#include "platform/ui/end_program.h"
#include "platform/ui/headless/headless.h"

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
    auto& backend = kv::ui::headless::install();
    const int code = kv::ui::runProgram(kv::installer::SetupMain);
    const std::string transcript = boxTranscript(backend);
    if (const char* file = std::getenv("KV_UI_TRANSCRIPT"); file && *file)
        std::ofstream(file, std::ios::binary) << transcript;
    else
        std::cout << transcript;
    return code;
}
