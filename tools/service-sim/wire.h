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

// Deciphers and checks the query text behind "tx.cgi?": the "0=0&" prefix, "cmd=" first,
// the account fields last and in order, the password digest of plp (or no credentials at
// all: every account field but version empty). A plain "cmd=terms" style query is taken as
// it stands. On a fault returns nothing and says why in error.
std::optional<Request> readRequest(std::string_view rawQuery, std::string& error);

// The digest the client sends for a password: lower-case MD5 of password and salt.
std::string passwordDigest(std::string_view password);

// A single-record reply body: "all=well" and the fields, URL-encoded, enciphered, Base64.
std::string recordBody(const Fields& fields);

} // namespace kv::servicesim
