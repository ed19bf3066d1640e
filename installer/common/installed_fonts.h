#pragma once
// The machine's installed fonts, as its Fonts registry key lists them ("Arial (TrueType)",
// "MS Sans Serif 8,10,12,14,18,24"): what a script's font name is checked against.

#include <string>
#include <string_view>

namespace kv::installer {

// Whether the machine has the face installed (without regard to case).
bool IsFontInstalled(std::string_view face);
// The face when it is installed, else "Arial".
std::string InstalledFaceOrArial(std::string_view face);

} // namespace kv::installer
