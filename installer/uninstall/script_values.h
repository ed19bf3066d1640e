#pragma once
// The uninstall script's setting lines ("NAME=value") and where the script is.

#include <string>
#include <string_view>

namespace kv::installer::uninstall {

// The running program's path with its extension replaced by ".txt" (added when it has none).
std::string UninstallScriptPath();
// The value of the first line of the file whose name (the text before its first "=")
// equals `name` without regard to case; empty when there is none or the file is missing.
std::string ReadScriptValue(std::string_view file, std::string_view name);
// The character set of the script's texts: CHAR_SET as a decimal number, 0 when absent or
// not a number.
int ReadScriptCharset(std::string_view file);

} // namespace kv::installer::uninstall
