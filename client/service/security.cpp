#include "client/service/security.h"

#include "client/protocol/base64.h"
#include "client/protocol/keys.h"
#include "client/protocol/md5.h"
#include "client/protocol/rc4.h"
#include "client/protocol/url_encoding.h"
#include "client/service/reply.h"
#include "client/service/service_address.h"
#include "client/service/web.h"
#include "platform/registry/settings.h"
#include "platform/text/ansi.h"
#include "platform/ui/application.h"

#include <chrono>
#include <cmath>
#include <optional>
#include <random>

namespace kv::service {

using protocol::Base64Encode;
using protocol::clsMD5;
using protocol::kLoginSalt;
using protocol::kRequestKey;
using protocol::RC4Crypt;
using protocol::urlEncode;

namespace {

constexpr int kVersionMajor = 1;
constexpr int kVersionMinor = 1;
constexpr int kVersionRevision = 6;
constexpr const char* kProgramTitle = "Kestrovane";
constexpr const char* kNoResponse =
    "No response from the server. You must be connected to the Internet to use Kestrovane.";

} // namespace

std::string versionText() {
    return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
           std::to_string(kVersionRevision);
}

clsSecurity::clsSecurity() {
    std::mt19937 random(
        static_cast<std::uint32_t>(std::chrono::system_clock::now().time_since_epoch().count()));
    const double fraction = std::uniform_real_distribution<double>(0.0, 1.0)(random);
    m_Challenge = std::to_string(static_cast<long>(std::floor(fraction * 239489874.0)));
}

void clsSecurity::setCredentialsPrompt(std::function<CredentialsPrompt&()> prompt) {
    prompt_ = std::move(prompt);
}

std::string clsSecurity::hashPair(std::string_view first, std::string_view second) const {
    clsMD5 md5;
    return kv::text::toLower(md5.DigestStrToHexStr(std::string(first) + std::string(second)));
}

std::string clsSecurity::buildURL(std::string_view cmd, Hash& args) const {
    std::string url = cgiUrl() + "?cmd=" + std::string(cmd);
    const std::vector<std::string> keys = args.Keys();
    const std::vector<Value> values = args.Values();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        url += "&" + keys[i] + "=" + urlEncode(values[i].text(), false);
    }
    return url;
}

std::string clsSecurity::getURLSecure(std::string_view cmd, Hash& args) {
    args.Add("user_id", m_UserId);
    args.Add("plp", m_Password);
    args.Add("password", m_PasswordHash);
    args.Add("version", versionText());
    const std::string plain = buildURL(cmd, args);
    const std::size_t q = plain.find('?');
    const std::string address = plain.substr(0, q);
    const std::string query = "0=0&" + plain.substr(q + 1);
    return address + "?" + Base64Encode(RC4Crypt(query, kRequestKey));
}

std::string clsSecurity::getURLSecure(std::string_view cmd) {
    Hash args;
    return getURLSecure(cmd, args);
}

Hash clsSecurity::queryKestrovane(std::string_view cmd, Hash& args) {
    const std::string body = httpGet(getURLSecure(cmd, args));
    if (std::optional<Hash> reply = decodeReply(body)) return *reply;
    kv::ui::app().messageBox(body, kv::ui::mb::IconError, "Received invalid response from server.");
    Hash invalid;
    invalid.Add("invalid", 1);
    return invalid;
}

std::vector<std::string> clsSecurity::queryKestrovaneMulti(std::string_view cmd, Hash& args,
                                                           bool* noResponse) {
    const std::optional<std::string> fetched = httpFetch(getURLSecure(cmd, args));
    if (noResponse) *noResponse = !fetched;
    const std::string body = fetched.value_or(std::string());
    std::vector<std::string> lines;
    if (body.empty()) return lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t lf = body.find('\n', start);
        if (lf == std::string::npos) {
            lines.push_back(body.substr(start));
            return lines;
        }
        lines.push_back(body.substr(start, lf - start));
        start = lf + 1;
    }
}

void clsSecurity::saveCredentials() {
    if (!prompt_) return;
    const CredentialsPrompt& prompt = prompt_();
    m_UserId = prompt.userId();
    m_Password = prompt.password();
}

void clsSecurity::doLogin() {
    if (!prompt_) return; // no dialog to ask with
    CredentialsPrompt& prompt = prompt_();
    m_ImageUrl.clear();
    m_TokenString.clear();
    prompt.startLogin(kv::registry::getSetting(kProgramTitle, "Settings", "UserName", ""));
    for (int attempt = 1; attempt <= 3; ++attempt) {
        if (!m_ImageUrl.empty()) prompt.askSecurityCode(m_ImageUrl);
        const bool accepted = prompt.askCredentials();
        saveCredentials();
        if (!accepted) kv::ui::app().end();
        kv::registry::saveSetting(kProgramTitle, "Settings", "UserName", m_UserId);
        m_PasswordHash = hashPair(m_Password, kLoginSalt);
        if (validateUser()) return;
    }
}

Hash clsSecurity::challengeArgs() const {
    Hash args;
    args.Add("chal", m_Challenge);
    if (!m_TokenString.empty()) {
        args.Add("tokentext", prompt_ ? prompt_().securityCode() : "");
        args.Add("tokenstring", m_TokenString);
    }
    return args;
}

bool clsSecurity::validateUser() {
    m_Level = 0;
    Hash args = challengeArgs();
    Hash reply = queryKestrovane("login", args);
    m_Level = static_cast<std::int32_t>(std::atol(reply.Retrieve("return", 0).text().c_str()));
    const std::string message = reply.Retrieve("message", "").text();
    if (m_Level != 0 && message != "GOT_IMAGE") {
        m_Upgrade = reply.Retrieve("upgrade", "").text();
        m_Cookie = reply.Retrieve("cookie", "").text();
        return true;
    }
    if (m_Level != 0) {
        // The service agreed with us on the names of the picture's address and its token.
        m_ImageUrl = reply.Retrieve("image", "").text();
        m_TokenString = reply.Retrieve("tokenstring", "").text();
        return false;
    }
    kv::ui::app().messageBox(reply.Retrieve("message", kNoResponse).text(), kv::ui::mb::IconError,
                             "Login");
    return false;
}

void clsSecurity::diagnose() {
    m_Level = 0;
    Hash args = challengeArgs();
    queryKestrovane("diagnose", args);
    kv::ui::app().messageBox("Diagnostics complete.", kv::ui::mb::OkOnly, kProgramTitle);
}

} // namespace kv::service
