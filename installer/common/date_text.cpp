#include "installer/common/date_text.h"

#include "installer/common/internal/date_format.h"
#include "platform/system/machine.h"

#include <ctime>

namespace kv::installer {

std::string ShortDateTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return internal::formatDateTime(
        local, internal::shortDateTimePattern(machine::current().profile().locale.localeId));
}

} // namespace kv::installer
