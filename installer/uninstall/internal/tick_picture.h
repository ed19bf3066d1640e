#pragma once
// The picture of the phase ticks: a green check mark, 16 by 16 pixels.

#include "platform/ui/picture.h"

namespace kv::installer::uninstall::internal {

ui::Picture tickPicture();

} // namespace kv::installer::uninstall::internal
