#include "client/app/list_state.h"

#include "client/app/internal/reset.h"

namespace kv::app {
namespace {

struct ListState {
    std::int16_t currentStatus = 0;
    bool showPaid = true;
    bool showReceived = false;
    std::int16_t currentGroupBy = 0;
};

ListState& state() {
    static ListState s;
    return s;
}

} // namespace

std::int16_t currentStatus() {
    return state().currentStatus;
}
void setCurrentStatus(std::int16_t status) {
    state().currentStatus = status;
}
bool showPaid() {
    return state().showPaid;
}
void setShowPaid(bool on) {
    state().showPaid = on;
}
bool showReceived() {
    return state().showReceived;
}
void setShowReceived(bool on) {
    state().showReceived = on;
}
std::int16_t currentGroupBy() {
    return state().currentGroupBy;
}
void setCurrentGroupBy(std::int16_t groupBy) {
    state().currentGroupBy = groupBy;
}

void internal::resetListState() {
    state() = ListState{};
}

} // namespace kv::app
