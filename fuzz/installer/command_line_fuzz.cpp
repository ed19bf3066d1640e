// setup's command line: the tail after the program's path and a switch's value read from
// any command line without a crash; the tail and the value are taken from the text given,
// and the tail never starts or ends with a blank or a double quote.
//
// Input: the program's path, a NUL byte, the command line, a NUL byte, the switch (the
// installer's own "/OriginalInfoFile=" when there is no second NUL).

#include "fuzz/driver/fuzz_support.h"
#include "installer/common/internal/system_text.h"

namespace {

using kv::fuzz::check;
namespace in = kv::installer::internal;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string_view> parts = kv::fuzz::split(kv::fuzz::asText(data, size), '\0');
    const std::string_view exePath = parts[0];
    const std::string_view commandLine = parts.size() > 1 ? parts[1] : std::string_view();
    const std::string_view switchText = parts.size() > 2 ? parts[2] : "/OriginalInfoFile=";

    const std::string tail = in::commandTail(commandLine, exePath);
    check(tail.size() <= commandLine.size(), "the tail is no longer than the command line");
    if (!tail.empty())
        for (const char end : {tail.front(), tail.back()})
            check(end != ' ' && end != '"', "the tail is stripped of blanks and quotes");
    const std::string value = in::switchValue(tail, switchText);
    check(value == "TRUE" || value.empty() || tail.find(value) != std::string::npos,
          "a switch's value is part of the tail");
    if (!switchText.empty() && value.empty())
        check(tail.size() < switchText.size() || tail.find(switchText) == std::string::npos,
              "a switch present in the tail has a value");
    return 0;
}
