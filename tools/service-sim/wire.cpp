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

} // namespace

std::string passwordDigest(std::string_view password) {
    kv::protocol::clsMD5 md5;
    return kv::text::toLower(
        md5.DigestStrToHexStr(std::string(password) + std::string(kv::protocol::kLoginSalt)));
}

std::optional<Request> readRequest(std::string_view rawQuery, std::string& error) {
    Request req;
    if (rawQuery.starts_with("cmd=")) {
        // A plain page address: "cmd=terms" and nothing the client enciphers.
        req.enciphered = false;
        req.query = std::string(rawQuery);
        req.cmd = split(rawQuery.substr(4), '&')[0];
        return req;
    }
    // Anything behind the Base64 text ("&r=..." of the news page) is not part of it.
    const std::string_view cipher = rawQuery.substr(0, rawQuery.find('&'));
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
    Fields all;
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        const std::size_t eq = pieces[i].find('=');
        if (eq == std::string::npos) {
            error = "field without '=': " + pieces[i];
            return std::nullopt;
        }
        all.emplace_back(pieces[i].substr(0, eq),
                         kv::protocol::urlDecode(std::string_view(pieces[i]).substr(eq + 1)));
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
