#pragma once
// Where the service lives: a base address such as "http://127.0.0.1:8642" (no path).

#include <string>

namespace kv::service {

// The default service address, used when KV_SERVICE_URL is not set.
inline constexpr const char* kDefaultServiceUrl = "http://127.0.0.1:8642";
// KV_SERVICE_URL when set (a trailing "/" dropped), else the default.
std::string serviceUrl();
// The CGI endpoint: serviceUrl() and "/tx.cgi".
std::string cgiUrl();

} // namespace kv::service
