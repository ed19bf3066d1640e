#pragma once
// The pages of the service for browser panes on real windows: addresses on the service
// (KV_SERVICE_URL) are fetched over HTTP; every other address cannot be loaded.

#include "platform/ui/control_host.h"

#include <optional>
#include <string>

namespace kv::app {

class ServicePages : public kv::ui::ControlHost {
public:
    std::optional<kv::ui::WebPage> fetchPage(const std::string& url) override;
};

} // namespace kv::app
