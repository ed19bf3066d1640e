#pragma once
// Readers of the text files setup leaves in an application folder ("Setup.log", the
// uninstall script) as lines, their CR LF line breaks checked.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv::e2e {

// The lines of a file of the machine (a final line break adds no empty line). Nothing,
// with `why` set, when the file cannot be read or a line break is not CR LF (naming the
// line).
std::optional<std::vector<std::string>> readCrLfLines(std::string_view path,
                                                      std::string* why = nullptr);
// "Setup.log" of an application folder.
std::optional<std::vector<std::string>> readSetupLog(std::string_view appFolder,
                                                     std::string* why = nullptr);
// The uninstall script of an application folder: "UnInstall.txt", or
// "UnInstall_<stamp>.txt" with a program stamp.
std::optional<std::vector<std::string>> readUninstallScript(std::string_view appFolder,
                                                            std::string_view stamp = "",
                                                            std::string* why = nullptr);

} // namespace kv::e2e
