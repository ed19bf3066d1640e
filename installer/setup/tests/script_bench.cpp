// Costs of reading install scripts: a large script against the plain split of its lines,
// many block comments, and a long list of language names.
#include "installer/setup/language.h"
#include "installer/setup/reset.h"
#include "installer/setup/script.h"

#include "installer/common/reset.h"
#include "installer/common/system_queries.h"
#include "platform/system/machine.h"
#include "platform/system/process.h"
#include "platform/system/testing/temp_machine.h"
#include "platform/ui/headless/headless.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using kv::installer::TScript;

// About `bytes` of script: commands with line and block comments, CR LF line ends.
std::string largeScript(std::size_t bytes) {
    const std::string block = "SET_PROG_NAME(Demo Program) // the name\r\n"
                              "/* a comment\r\n   over two lines */SET_PROG_VERSION(1.0)\r\n"
                              "SET_COMPANY_URL(http://example.com/a)\r\n"
                              "\r\n";
    std::string text;
    text.reserve(bytes + block.size());
    while (text.size() < bytes)
        text += block;
    return text;
}

// The least any reader does: the text cut into lines.
std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            lines.push_back(std::move(line));
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(std::move(line));
    return lines;
}

constexpr std::size_t kTenMegabytes = 10u << 20;

void BM_SplitLines10MB(benchmark::State& state) {
    const std::string text = largeScript(kTenMegabytes);
    for (auto _ : state)
        benchmark::DoNotOptimize(splitLines(text));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_SplitLines10MB)->Unit(benchmark::kMillisecond);

void BM_ReadScript10MB(benchmark::State& state) {
    kv::ui::headless::install();
    const std::string text = largeScript(kTenMegabytes);
    TScript script;
    for (auto _ : state) {
        script.LoadFromText(text);
        benchmark::DoNotOptimize(script.Lines().data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ReadScript10MB)->Unit(benchmark::kMillisecond);

void BM_BlockComments(benchmark::State& state) {
    kv::ui::headless::install();
    std::string text;
    for (int i = 0; i < state.range(0); ++i)
        text += "SET_PROG_NAME(a/* one */b)\n";
    TScript script;
    for (auto _ : state) {
        script.LoadFromText(text);
        benchmark::DoNotOptimize(script.Lines().data());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_BlockComments)
    ->RangeMultiplier(4)
    ->Range(20000, 320000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// Choosing among the names of SET_LANG_NAMES, none of which has a file.
void BM_LanguageNames(benchmark::State& state) {
    kv::machine::testing::TempMachine machine;
    const std::filesystem::path folder = machine.hostFolder('C') / "Setup";
    std::filesystem::create_directories(folder);
    kv::machine::setProgram(folder / "setup.exe", {});
    kv::installer::resetCommonForTests();
    kv::ui::headless::install();
    std::string names = "|";
    for (int i = 0; i < state.range(0); ++i)
        names += "Lang" + std::to_string(i) + "|";
    TScript script;
    script.LoadFromText("SET_LANG_FLAG(2)\nSET_LANG_NAMES(" + names + ")");
    for (auto _ : state) {
        script.LoadLanguage();
        benchmark::DoNotOptimize(kv::installer::HasLanguageFile());
    }
    state.SetComplexityN(state.range(0));
    kv::installer::resetForTests();
    kv::machine::resetForTests();
}
BENCHMARK(BM_LanguageNames)
    ->RangeMultiplier(4)
    ->Range(2500, 40000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

} // namespace
