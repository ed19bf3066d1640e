#include "client/service/service_address.h"

#include <cstdlib>

namespace kv::service {

std::string serviceUrl() {
    const char* env = std::getenv("KV_SERVICE_URL");
    std::string url = env && *env ? env : kDefaultServiceUrl;
    while (!url.empty() && url.back() == '/')
        url.pop_back();
    return url;
}

std::string cgiUrl() {
    return serviceUrl() + "/tx.cgi";
}

} // namespace kv::service
