#include "installer/common/ini_ops.h"

#include "installer/common/delimited_lists.h"
#include "installer/common/internal/actions.h"
#include "installer/common/internal/machine_files.h"
#include "installer/common/registry_primitives.h"
#include "platform/ini/ini_file.h"

#include <string>

namespace kv::installer {

bool IniFileOp(std::string_view record, bool install) {
    const std::string file = ListItem(record, 0);
    const std::string section = ListItem(record, 1);
    const std::string key = ListItem(record, 2);
    switch (internal::actionOf(ListItem(record, install ? 4 : 5))) {
    case internal::Action::Create:
        return IniWriteString(file, section, key, ListItem(record, 3));
    case internal::Action::Remove: {
        // Writing a key without a value deletes it.
        const std::string host = internal::writableProfileHostFile(file);
        return !host.empty() && ini::deleteProfileKey(section, key, host);
    }
    case internal::Action::None:
        break;
    }
    return false;
}

} // namespace kv::installer
