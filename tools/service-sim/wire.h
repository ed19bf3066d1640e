#pragma once
// The service's side of the wire format: deciphering and checking a request, enciphering a
// single-record reply.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kv::servicesim {

using Fields = std::vector<std::pair<std::string, std::string>>;

struct Request {
    std::string query; // the deciphered query text ("0=0&cmd=..."), or the plain one
    bool enciphered = true;
    std::string cmd;
    Fields fields; // the command's own fields, values decoded, in order
    std::string userId, plp, password, version;
};

// Deciphers and checks the query text behind "tx.cgi?" as strictly as the service: Base64
// as the client writes it, the "0=0&" prefix, "cmd=" first, every value URL-encoded exactly
// as the client encodes it, the account fields last and in order, the version as the
// client writes it, the password digest of plp (or no credentials at all: every account
// field but version empty); behind the Base64 text only the news page's "&r=" number. A
// plain "cmd=terms", "cmd=help" or "cmd=privacy" is taken as it stands; any other plain
// query is refused. On a fault returns nothing and says why in error. The command's own
// fields are checked by the command (commands.h).
std::optional<Request> readRequest(std::string_view rawQuery, std::string& error);

// Whether cmd is one of the pages the client opens by a plain address ("?cmd=terms").
bool isPlainPage(std::string_view cmd);

// The digest the client sends for a password: lower-case MD5 of password and salt.
std::string passwordDigest(std::string_view password);

// A single-record reply body: "all=well" and the fields, URL-encoded, enciphered, Base64.
std::string recordBody(const Fields& fields);

} // namespace kv::servicesim
