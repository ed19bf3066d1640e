// STUB: the sorting of the script and the removal sequence come here; until then the
// uninstall removes nothing.
#include "installer/uninstall/main_form.h"

namespace kv::installer::uninstall {

void TMainForm::RunUninstall() {}

} // namespace kv::installer::uninstall
