#pragma once
// Short 8.3 names: given once per entry (stable, "~N" on collision), kept in the drive's
// table so they survive the process, and followed back to the long names.

#include <string>
#include <string_view>

namespace kv::fs {

// The short form of an existing path ("C:\PROGRA~1\COMMON~1"); components that already
// fit 8.3 stay as they are. "" when the path does not exist.
std::string shortPath(std::string_view path);
// The short name already given to the last component of an existing path (the name itself
// when it fits 8.3), without giving one; "" when none was given or the path does not exist.
std::string givenShortName(std::string_view path);
// The long form of an existing path, short names followed, host spelling of every
// component. "" when the path does not exist.
std::string longPath(std::string_view path);

} // namespace kv::fs
