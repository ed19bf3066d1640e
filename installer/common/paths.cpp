#include "installer/common/paths.h"

namespace kv::installer {

std::string SetTrailingSlash(std::string_view path, bool add) {
    std::string result(path);
    if (result.size() > 2 && result.back() == '\\') result.pop_back();
    if (add) result += '\\';
    return result;
}

} // namespace kv::installer
