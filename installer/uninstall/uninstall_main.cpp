#include "installer/uninstall/uninstall_main.h"

#include "platform/system/resources.h"

namespace kv::installer::uninstall {

void AddManifestResource() {
    machine::addResource(machine::kResourceManifest, "1",
                         "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
                         "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" "
                         "manifestVersion=\"1.0\"/>\r\n");
}

int UninstallMain() {
    return 0;
}

} // namespace kv::installer::uninstall
