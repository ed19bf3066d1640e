#include "platform/system/resources.h"

#include "platform/system/internal/reset.h"
#include "platform/text/ansi.h"

#include <vector>

namespace kv::machine {
namespace {

struct Resource {
    int type;
    std::string name;
    std::string bytes;
};

std::vector<Resource>& table() {
    static std::vector<Resource> t;
    return t;
}

} // namespace

void addResource(int type, std::string_view name, std::string_view bytes) {
    for (Resource& r : table())
        if (r.type == type && text::equalsNoCase(r.name, name)) {
            r.bytes = std::string(bytes);
            return;
        }
    table().push_back({type, std::string(name), std::string(bytes)});
}

std::optional<std::string> findResource(int type, std::string_view name) {
    for (const Resource& r : table())
        if (r.type == type && text::equalsNoCase(r.name, name)) return r.bytes;
    return std::nullopt;
}

bool hasResourceOfType(int type) {
    for (const Resource& r : table())
        if (r.type == type) return true;
    return false;
}

void internal::resetResources() {
    table().clear();
}

} // namespace kv::machine
