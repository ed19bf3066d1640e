#include "client/app/time_controls.h"

#include "platform/ui/form.h"
#include "platform/ui/lists.h"

#include <cmath>
#include <string>
#include <utility>

namespace kv::app {
namespace {

constexpr int kCounts = 60;
constexpr std::int32_t kMinute = 60;
constexpr std::int32_t kHour = 3600;

kv::ui::ComboBox* countList(const kv::ui::Form& window) {
    return window.find<kv::ui::ComboBox>("txtTime");
}
kv::ui::ComboBox* unitList(const kv::ui::Form& window) {
    return window.find<kv::ui::ComboBox>("txtTimeType");
}

// The count index for value / unit - 1, rounded half to even, kept inside the list.
int countIndex(std::int32_t seconds, std::int32_t unit) {
    const double index = std::nearbyint(static_cast<double>(seconds) / unit - 1);
    return static_cast<int>(std::fmin(index, kCounts - 1));
}

} // namespace

void fillTimeCombos(kv::ui::Form& window, std::int16_t initialCount) {
    kv::ui::ComboBox* count = countList(window);
    kv::ui::ComboBox* unit = unitList(window);
    if (!count || !unit) return;
    count->setStyle(kv::ui::ComboStyle::DropDownList);
    unit->setStyle(kv::ui::ComboStyle::DropDownList);
    count->clear();
    for (int n = 1; n <= kCounts; ++n) {
        count->addItem(std::to_string(n));
        count->setItemData(count->newIndex(), n);
    }
    unit->clear();
    const std::pair<const char*, std::int32_t> units[] = {
        {"seconds", 1}, {"minutes", kMinute}, {"hours", kHour}};
    for (const auto& [name, seconds] : units) {
        unit->addItem(name);
        unit->setItemData(unit->newIndex(), seconds);
    }
    // An initial count outside the list leaves no count selected.
    count->setListIndex(initialCount >= 1 && initialCount <= kCounts ? initialCount - 1 : -1);
    unit->setListIndex(0);
}

void setTimeControls(kv::ui::Form& window, std::int32_t seconds) {
    kv::ui::ComboBox* count = countList(window);
    kv::ui::ComboBox* unit = unitList(window);
    if (!count || !unit || seconds <= 1) return;
    if (seconds > kHour) {
        unit->setListIndex(2);
        count->setListIndex(countIndex(seconds, kHour));
    } else if (seconds > kMinute) {
        unit->setListIndex(1);
        count->setListIndex(countIndex(seconds, kMinute));
    } else {
        unit->setListIndex(0);
        count->setListIndex(seconds - 1);
    }
}

std::int32_t chosenTime(const kv::ui::Form& window) {
    const kv::ui::ComboBox* count = countList(window);
    const kv::ui::ComboBox* unit = unitList(window);
    if (!count || !unit || count->listIndex() < 0 || unit->listIndex() < 0) return 0;
    return count->itemData(count->listIndex()) * unit->itemData(unit->listIndex());
}

} // namespace kv::app
