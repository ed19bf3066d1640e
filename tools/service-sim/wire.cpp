#include "tools/service-sim/wire.h"

#include "client/protocol/base64.h"
#include "client/protocol/keys.h"
#include "client/protocol/md5.h"
#include "client/protocol/rc4.h"
#include "client/protocol/url_encoding.h"
#include "platform/text/ansi.h"

namespace kv::servicesim {

namespace {

std::vector<std::string> split(std::string_view text, char sep) {
    std::vector<std::string> out;
    for (std::string_view part : text::splitAt(text, sep))
        out.emplace_back(part);
    return out;
}

bool isVersion(const std::string& v) {
    const auto parts = split(v, '.');
    if (parts.size() != 3) return false;
    for (const std::string& p : parts) {
        if (p.empty() || p.find_first_not_of("0123456789") != std::string::npos) return false;
        if (p.size() > 1 && p[0] == '0') return false;
    }
    return true;
}

// Base64 as the client writes it: the alphabet, whole groups of four, "=" only as the
// padding at the end, and the same text again when decoded and encoded.
bool isCanonicalBase64(std::string_view text) {
    static constexpr std::string_view alphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    if (text.empty() || text.size() % 4 != 0) return false;
    const std::size_t body = text.find_last_not_of('=') + 1;
    if (text.size() - body > 2) return false;
    if (text.substr(0, body).find_first_not_of(alphabet) != std::string_view::npos) return false;
    return kv::protocol::Base64Encode(kv::protocol::Base64Decode(text)) == text;
}

// A command or field name as the client writes it: lower-case letters, digits, "_".
bool isName(std::string_view name) {
    return !name.empty() &&
           name.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789_") == std::string::npos;
}

// Digits, then maybe "." and digits: the news page's random number (no exponent, no sign).
bool isDecimalFraction(std::string_view text) {
    const auto digits = [](std::string_view t) {
        return !t.empty() && t.find_first_not_of("0123456789") == std::string_view::npos;
    };
    const std::size_t dot = text.find('.');
    if (dot == std::string_view::npos) return digits(text);
    return digits(text.substr(0, dot)) && digits(text.substr(dot + 1));
}

} // namespace

bool isPlainPage(std::string_view cmd) {
    return cmd == "terms" || cmd == "help" || cmd == "privacy";
}

std::string passwordDigest(std::string_view password) {
    kv::protocol::clsMD5 md5;
    return kv::text::toLower(
        md5.DigestStrToHexStr(std::string(password) + std::string(kv::protocol::kLoginSalt)));
}

std::optional<Request> readRequest(std::string_view rawQuery, std::string& error) {
    Request req;
    if (rawQuery.starts_with("cmd=")) {
        // A plain page address: one of the pages the client opens without enciphering.
        req.enciphered = false;
        req.query = std::string(rawQuery);
        req.cmd = std::string(rawQuery.substr(4));
        if (!isPlainPage(req.cmd)) {
            error = "an unenciphered query";
            return std::nullopt;
        }
        return req;
    }
    // Behind the Base64 text only the news page's "&r=" and a plain decimal fraction.
    const std::size_t amp = rawQuery.find('&');
    const std::string_view cipher = rawQuery.substr(0, amp);
    const std::string_view behind =
        amp == std::string_view::npos ? std::string_view() : rawQuery.substr(amp + 1);
    if (!isCanonicalBase64(cipher)) {
        error = "the query is not Base64";
        return std::nullopt;
    }
    req.query =
        kv::protocol::RC4Crypt(kv::protocol::Base64Decode(cipher), kv::protocol::kRequestKey);
    if (!req.query.starts_with("0=0&")) {
        error = "the query does not start with 0=0&";
        return std::nullopt;
    }
    auto pieces = split(std::string_view(req.query).substr(4), '&');
    if (pieces.empty() || !pieces[0].starts_with("cmd=")) {
        error = "cmd is not the first field";
        return std::nullopt;
    }
    req.cmd = pieces[0].substr(4);
    if (!isName(req.cmd)) {
        error = "bad command name " + req.cmd;
        return std::nullopt;
    }
    if (amp != std::string_view::npos &&
        (req.cmd != "news" || !behind.starts_with("r=") || !isDecimalFraction(behind.substr(2)))) {
        error = "text behind the Base64 query: " + std::string(behind);
        return std::nullopt;
    }
    Fields all;
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        const std::size_t eq = pieces[i].find('=');
        if (eq == std::string::npos) {
            error = "field without '=': " + pieces[i];
            return std::nullopt;
        }
        const std::string key = pieces[i].substr(0, eq);
        const std::string_view raw = std::string_view(pieces[i]).substr(eq + 1);
        std::string value = kv::protocol::urlDecode(raw);
        if (!isName(key)) {
            error = "bad field name " + key;
            return std::nullopt;
        }
        // The client encodes every value one way only: letters and digits as they are, all
        // else as "%XX" in upper case, a space as "%20".
        if (kv::protocol::urlEncode(value, false) != raw) {
            error = "field " + key + " not encoded as the client encodes: " + std::string(raw);
            return std::nullopt;
        }
        all.emplace_back(key, std::move(value));
    }
    static const char* const account[] = {"user_id", "plp", "password", "version"};
    if (all.size() < 4) {
        error = "the account fields are missing";
        return std::nullopt;
    }
    const std::size_t own = all.size() - 4;
    for (std::size_t i = 0; i < all.size(); ++i) {
        for (std::size_t k = 0; k < 4; ++k) {
            const bool atPlace = i == own + k;
            if ((all[i].first == account[k]) != atPlace) {
                error = std::string("account field ") + account[k] + " out of place";
                return std::nullopt;
            }
        }
    }
    req.fields.assign(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(own));
    req.userId = all[own].second;
    req.plp = all[own + 1].second;
    req.password = all[own + 2].second;
    req.version = all[own + 3].second;
    if (!isVersion(req.version)) {
        error = "bad version " + req.version;
        return std::nullopt;
    }
    const bool noCredentials = req.userId.empty() && req.plp.empty() && req.password.empty();
    if (!noCredentials && req.password != passwordDigest(req.plp)) {
        error = "the password digest does not match plp";
        return std::nullopt;
    }
    return req;
}

std::string recordBody(const Fields& fields) {
    std::string plain = "all=well";
    for (const auto& [key, value] : fields)
        plain += "&" + key + "=" + kv::protocol::urlEncode(value, false);
    return kv::protocol::Base64Encode(kv::protocol::RC4Crypt(plain, kv::protocol::kReplyKey));
}

} // namespace kv::servicesim
