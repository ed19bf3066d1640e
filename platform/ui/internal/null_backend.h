#pragma once
// The backend an application has before a program or test installs one: a virtual clock,
// no user, every box answered with its default button.

#include "platform/ui/backend.h"

namespace kv::ui::internal {

class NullBackend : public Backend {
public:
    std::uint32_t tickCount() override { return now_; }
    bool idle(const IdleRequest& request) override {
        if (!request.until || request.openEnded) return false;
        if (static_cast<std::int32_t>(*request.until - now_) > 0) now_ = *request.until;
        return true;
    }
    int messageBox(const MessageBoxRequest& request) override {
        return defaultAnswer(request.style);
    }
    void setClipboardText(const std::string& text) override { clipboard_ = text; }
    std::string clipboardText() override { return clipboard_; }

private:
    std::uint32_t now_ = 0;
    std::string clipboard_;
};

} // namespace kv::ui::internal
