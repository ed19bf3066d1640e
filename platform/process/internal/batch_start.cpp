#include "platform/process/internal/batch_start.h"

#include "platform/fs/path.h"
#include "platform/process/batch.h"
#include "platform/process/internal/launch.h"
#include "platform/system/machine.h"
#include "platform/system/process.h"
#include "platform/text/ansi.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace kv::process::internal {

bool handedBatch() {
    const char* batch = std::getenv(kBatchVariable);
    const char* pid = std::getenv(machine::kProcessIdVariable);
    return batch && *batch && pid && std::to_string(::getpid()) == pid;
}

bool isBatchFile(const std::string& path) {
    const std::string name = fs::fileNamePart(path);
    return name.size() > 4 && text::equalsNoCase(name.substr(name.size() - 4), ".BAT");
}

Started startBatch(const std::string& path) {
    // A process that was handed a batch and starts one has no start hook: its executable
    // would only run itself again and again.
    if (handedBatch()) return Started{.result = kExecBadFormat};
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return Started{.result = kExecBadFormat};
    SpawnRequest request;
    request.program = self;
    request.arguments = {self.string()};
    request.folder = fs::hostPath(fs::currentFolder());
    request.values = {{machine::kMachineVariable, machine::current().folder().string()},
                      {kBatchVariable, path}};
    request.processIdVariable = machine::kProcessIdVariable;
    request.detachOutput = true;
    return launch(request, self, path, kShowHide, false);
}

} // namespace kv::process::internal
