// Costs of the wire transforms on the sizes the client sends and receives.
#include "client/protocol/base64.h"
#include "client/protocol/md5.h"
#include "client/protocol/rc4.h"
#include "client/protocol/url_encoding.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using namespace kv::protocol;

const std::string kKey = "k3str0vane-request-key";

std::string sample(std::size_t n) {
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i)
        s[i] = static_cast<char>(32 + (i * 31) % 95);
    return s;
}

// Lines of a megabyte reply cut at line feeds, as a list reply is read.
std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t lf; (lf = text.find('\n', start)) != std::string::npos; start = lf + 1)
        lines.push_back(text.substr(start, lf - start));
    lines.push_back(text.substr(start));
    return lines;
}

// A megabyte of reply text in lines of about a hundred characters.
std::string megabyteReply() {
    std::string s = sample(std::size_t{1} << 20);
    for (std::size_t i = 99; i < s.size(); i += 100)
        s[i] = '\n';
    return s;
}

// A megabyte reply: Base64 text deciphered and cut into lines.
void BM_ReplyDecode1MB(benchmark::State& state) {
    const std::string wire = Base64Encode(RC4Crypt(megabyteReply(), kKey));
    for (auto _ : state)
        benchmark::DoNotOptimize(splitLines(RC4Crypt(Base64Decode(wire), kKey)));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(wire.size()));
}
BENCHMARK(BM_ReplyDecode1MB);

// Its floor: a plain copy of the same wire text.
void BM_ReplyDecode1MB_Floor(benchmark::State& state) {
    const std::string wire = Base64Encode(RC4Crypt(megabyteReply(), kKey));
    for (auto _ : state) {
        std::string copy = wire;
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(wire.size()));
}
BENCHMARK(BM_ReplyDecode1MB_Floor);

// A reply of a few kilobytes: Base64 text to plain text.
void BM_ReplyDecode(benchmark::State& state) {
    const std::string wire = Base64Encode(RC4Crypt(sample(4096), kKey));
    for (auto _ : state)
        benchmark::DoNotOptimize(RC4Crypt(Base64Decode(wire), kKey));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(wire.size()));
}
BENCHMARK(BM_ReplyDecode);

// A request of a few hundred characters: field values to the query text behind "tx.cgi?".
void BM_RequestEncode(benchmark::State& state) {
    const std::string value = sample(300);
    for (auto _ : state) {
        const std::string query = "0=0&cmd=" + urlEncode(value, false);
        benchmark::DoNotOptimize(Base64Encode(RC4Crypt(query, kKey)));
    }
}
BENCHMARK(BM_RequestEncode);

// Its floor: the same query text put together without encoding.
void BM_RequestEncode_Floor(benchmark::State& state) {
    const std::string value = sample(300);
    for (auto _ : state) {
        std::string query = "0=0&cmd=" + value;
        benchmark::DoNotOptimize(query.data());
    }
}
BENCHMARK(BM_RequestEncode_Floor);

// The salted password digest: a password behind a 254-character salt.
void BM_PasswordDigest(benchmark::State& state) {
    const std::string text = sample(254) + "password1";
    for (auto _ : state)
        benchmark::DoNotOptimize(clsMD5().DigestStrToHexStr(text));
}
BENCHMARK(BM_PasswordDigest);

} // namespace
