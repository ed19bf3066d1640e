// Costs of the wire transforms on the sizes the client sends and receives.
#include "client/protocol/base64.h"
#include "client/protocol/md5.h"
#include "client/protocol/rc4.h"
#include "client/protocol/url_encoding.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace kv::protocol;

const std::string kKey = "k3str0vane-request-key";

std::string sample(std::size_t n) {
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i)
        s[i] = static_cast<char>(32 + (i * 31) % 95);
    return s;
}

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

// The salted password digest: a password behind a 254-character salt.
void BM_PasswordDigest(benchmark::State& state) {
    const std::string text = sample(254) + "password1";
    for (auto _ : state)
        benchmark::DoNotOptimize(clsMD5().DigestStrToHexStr(text));
}
BENCHMARK(BM_PasswordDigest);

} // namespace
