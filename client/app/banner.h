#pragma once
// The program's bitmap resource 102: the banner of the login, splash and terms windows.

#include "platform/ui/picture.h"

namespace kv::app {

// Adds the program's resources (bitmap 102) to the running program's table; idempotent.
void addProgramResources();
// Bitmap 102 as a picture (registering the resources first when needed).
kv::ui::Picture bannerPicture();

} // namespace kv::app
