#pragma once
// The pages of the browser panes on real windows: every web address (http or https) is
// fetched through the HTTP client, which sends the machine's cookies for it and keeps those
// the page sets; any other address cannot be loaded.

#include "platform/ui/control_host.h"

#include <optional>
#include <string>

namespace kv::app {

class WebPages : public kv::ui::ControlHost {
public:
    std::optional<kv::ui::WebPage> fetchPage(const std::string& url) override;
};

} // namespace kv::app
