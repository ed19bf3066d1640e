#include "platform/registry/settings.h"

#include "platform/registry/registry.h"

namespace kv::registry {
namespace {

constexpr std::string_view kStore = "Software\\VB and VBA Program Settings";

// App and section name one key each; a backslash in them would make a deeper path.
bool sectionPath(std::string_view app, std::string_view section, std::string& path) {
    if (app.empty() || section.empty() || app.find('\\') != std::string_view::npos ||
        section.find('\\') != std::string_view::npos)
        return false;
    path = std::string(kStore) + '\\' + std::string(app) + '\\' + std::string(section);
    return true;
}

} // namespace

std::string getSetting(std::string_view app, std::string_view section, std::string_view key,
                       std::string_view defaultValue) {
    std::string path;
    Key k;
    Value v;
    if (!sectionPath(app, section, path) ||
        openKey(rootKey(Root::CurrentUser), path, k) != Status::Success ||
        queryValue(k, key, v) != Status::Success)
        return std::string(defaultValue);
    return textOf(v);
}

bool saveSetting(std::string_view app, std::string_view section, std::string_view key,
                 std::string_view value) {
    std::string path;
    Key k;
    return sectionPath(app, section, path) &&
           createKey(rootKey(Root::CurrentUser), path, k) == Status::Success &&
           setValue(k, key, stringValue(value)) == Status::Success;
}

} // namespace kv::registry
