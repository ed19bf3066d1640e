#include "installer/common/system_notices.h"

#include "installer/common/internal/reset.h"

namespace kv::installer {
namespace {

std::vector<SystemNotice>& notices() {
    static std::vector<SystemNotice> list;
    return list;
}

} // namespace

void SendSettingChange(const std::string& setting, std::uint32_t timeoutMs) {
    notices().push_back({SystemNotice::Kind::SettingChange, setting, timeoutMs, 0, 0});
}

void SendShellChange(long event, unsigned flags) {
    notices().push_back({SystemNotice::Kind::ShellChange, {}, 0, event, flags});
}

const std::vector<SystemNotice>& SentNotices() {
    return notices();
}

void internal::resetNotices() {
    notices().clear();
}

} // namespace kv::installer
