// The ".original" and ".info" files named by "/OriginalInfoFile=": any content is read
// without a crash; each folder preset is one line's text of the ".original" file, and a
// background update is taken only from an ".info" file that says "1".
//
// Input: the ".original" file, a NUL byte, the ".info" file (none when there is no NUL).

#include "fuzz/driver/fuzz_support.h"
#include "installer/common/system_queries.h"
#include "installer/setup/reset.h"
#include "installer/setup/script.h"
#include "installer/setup/setup_main.h"
#include "installer/setup/setup_state.h"
#include "platform/fs/files.h"
#include "platform/system/process.h"
#include "platform/ui/headless/headless.h"

namespace {

using kv::fuzz::check;
using namespace kv::installer;

bool isPresetOf(const std::string& preset, std::string_view file) {
    return preset.find_first_of("\r\n") == std::string::npos &&
           (preset.empty() || file.find(preset) != std::string_view::npos);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = [] {
        kv::fuzz::fuzzMachine();
        kv::fs::createFolders("C:\\F");
        kv::machine::setProgram("/nonexistent/setup", {"/OriginalInfoFile=C:\\F\\App.info"});
        return true;
    }();
    (void)ready;
    const std::string_view input = kv::fuzz::asText(data, size);
    const std::size_t nul = input.find('\0');
    const std::string_view original = input.substr(0, nul);
    kv::fs::writeFile("C:\\F\\App.original", original);
    if (nul == std::string_view::npos)
        kv::fs::deleteFile("C:\\F\\App.info");
    else
        kv::fs::writeFile("C:\\F\\App.info", input.substr(nul + 1));
    const std::string_view info = nul == std::string_view::npos ? "" : input.substr(nul + 1);

    kv::installer::resetForTests();
    kv::ui::headless::install();
    TScript script;
    ReadCommandLine(script);
    const SetupState& state = setupState();
    check(isPresetOf(state.presetTargetDir, original) &&
              isPresetOf(state.presetCommonDir, original) &&
              isPresetOf(state.presetAuxiliaryDir, original),
          "each preset is one line's text of the .original file");
    check(!state.backgroundUpdate || info.find('1') != std::string_view::npos,
          "a background update comes from an .info file that says 1");
    check(state.backgroundUpdate == script.Flag(ScriptFlag::SilentSetup),
          "a background update makes the setup silent");
    return 0;
}
