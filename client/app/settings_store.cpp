#include "client/app/settings_store.h"

#include "platform/registry/settings.h"

namespace kv::app {

std::string getSetting(std::string_view key, std::string_view defaultValue) {
    return registry::getSetting(kProgramTitle, kSettingsSection, key, defaultValue);
}

bool saveSetting(std::string_view key, std::string_view value) {
    return registry::saveSetting(kProgramTitle, kSettingsSection, key, value);
}

} // namespace kv::app
