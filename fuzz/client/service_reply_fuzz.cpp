// The service reply decoder and its codecs: any reply body is decoded without a crash;
// Base64, RC4 and URL encoding give back what they encoded; a record enciphered as the
// service does is accepted exactly when it holds "all=well", and then gives back each
// field whose name and value were encoded.
//
// Input: the text, used as a reply body, as bytes to encode and as a record (its parts
// between NUL bytes become the record's values, in turn named f0, f1, ...).

#include "client/protocol/base64.h"
#include "client/protocol/keys.h"
#include "client/protocol/rc4.h"
#include "client/protocol/url_encoding.h"
#include "client/service/reply.h"
#include "fuzz/driver/fuzz_support.h"

namespace {

using kv::fuzz::check;
namespace protocol = kv::protocol;

std::string encipher(std::string_view record) {
    return protocol::Base64Encode(protocol::RC4Crypt(record, protocol::kReplyKey));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = kv::fuzz::asText(data, size);
    kv::service::decodeReply(text);

    check(protocol::Base64Decode(protocol::Base64Encode(text)) == text, "Base64 gives back");
    const std::string_view key = text.substr(0, text.size() / 3);
    const std::string once = protocol::RC4Crypt(text, key);
    check(once.size() == (key.empty() ? 0 : text.size()), "RC4 keeps the length");
    if (!key.empty()) check(protocol::RC4Crypt(once, key) == text, "RC4 gives back");
    for (const bool plus : {true, false})
        check(protocol::urlDecode(protocol::urlEncode(text, plus)) == text,
              "URL encoding gives back");

    const std::optional<kv::protocol::Hash> raw = kv::service::decodeReply(encipher(text));
    check(raw.has_value() == (text.find("all=well") != std::string_view::npos),
          "a record is accepted exactly when it holds all=well");

    std::string record = "all=well";
    const std::vector<std::string_view> values = kv::fuzz::split(text, '\0');
    for (std::size_t i = 0; i < values.size(); ++i)
        record += "&f" + std::to_string(i) + "=" + protocol::urlEncode(values[i], i % 2 == 0);
    std::optional<kv::protocol::Hash> reply = kv::service::decodeReply(encipher(record));
    check(reply.has_value(), "an encoded record is accepted");
    check(reply->Retrieve("all").text() == "well", "the mark is a field");
    for (std::size_t i = 0; i < values.size(); ++i)
        check(reply->Retrieve("f" + std::to_string(i)).text() == values[i],
              "each field gives back its value");
    return 0;
}
