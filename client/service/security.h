#pragma once
// clsSecurity: the client's session object and its only road to the service. It holds the
// login state, adds the account fields to every request, builds and enciphers the request
// URL, fetches it and decodes the reply.

#include "client/protocol/hash.h"
#include "client/service/credentials.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kv::service {

using protocol::Hash;
using protocol::Value;

// The program's version as sent in every request ("1.1.6").
std::string versionText();

class clsSecurity {
public:
    // Seeds the random generator from the clock and draws the login challenge.
    clsSecurity();

    std::int32_t m_Level = 0; // the last login reply's return value
    std::string m_Email;      // never used by the client
    std::string m_UserId;     // the user id typed at login; sent as user_id
    std::string m_Upgrade;    // the login reply's upgrade page, empty when none
    std::string m_Cookie;     // the login reply's cookie

    // The login dialog doLogin asks with; without one doLogin does nothing.
    void setCredentialsPrompt(std::function<CredentialsPrompt&()> prompt);
    // Runs the login dialog and the login exchange, up to three attempts; ends the
    // program when the user cancels.
    void doLogin();
    // Sends "login"; true when the service accepted it.
    bool validateUser();
    // Sends "diagnose" and confirms it with "Diagnostics complete.".
    void diagnose();
    // The complete request URL of cmd with args, to which the account fields are added.
    std::string getURLSecure(std::string_view cmd, Hash& args);
    std::string getURLSecure(std::string_view cmd);
    // One request whose reply is one enciphered record; an unaccepted reply shows a box
    // and gives a Hash with only invalid = 1.
    Hash queryKestrovane(std::string_view cmd, Hash& args);
    // One request whose reply is plain text: its lines (split at line feeds). No reply, or
    // one cut short, gives no lines; noResponse, when given, tells that case from an empty
    // reply.
    std::vector<std::string> queryKestrovaneMulti(std::string_view cmd, Hash& args,
                                                  bool* noResponse = nullptr);
    // Takes the user id and password from the login dialog.
    void saveCredentials();

    // The login challenge (decimal text), for tests.
    const std::string& challenge() const { return m_Challenge; }

private:
    std::string hashPair(std::string_view first, std::string_view second) const;
    // The login challenge, and the answer to a security code when one was asked for.
    Hash challengeArgs() const;
    std::string buildURL(std::string_view cmd, Hash& args) const;

    std::function<CredentialsPrompt&()> prompt_;

    std::string m_Password;
    std::string m_PasswordHash;
    std::string m_ImageUrl;
    std::string m_TokenString;
    std::string m_Challenge;
};

} // namespace kv::service
