#include "platform/process/processes.h"

#include "platform/system/process_list.h"

namespace kv::process {

std::vector<int> processIds() {
    std::vector<int> ids;
    for (const machine::ProcessEntry& e : machine::listedProcesses())
        ids.push_back(e.id);
    return ids;
}

bool isProcessAlive(int id) {
    return machine::listedProcess(id).has_value();
}

std::string processImagePath(int id) {
    const auto e = machine::listedProcess(id);
    return e ? e->path : std::string();
}

int processShowMode(int id) {
    const auto e = machine::listedProcess(id);
    return e ? e->showMode : 1;
}

} // namespace kv::process
