#include "installer/common/installed_fonts.h"

#include "installer/common/system_queries.h"
#include "platform/registry/registry.h"
#include "platform/text/ansi.h"

#include <cctype>
#include <vector>

namespace kv::installer {
namespace {

// The face a value of the Fonts key names: the name before its kind in brackets, or before
// the list of sizes of a bitmap font.
std::string_view faceOf(std::string_view valueName) {
    std::size_t end = valueName.find(" (");
    if (end == std::string_view::npos) {
        end = valueName.size();
        const std::size_t blank = valueName.rfind(' ');
        if (blank != std::string_view::npos && blank + 1 < valueName.size() &&
            std::isdigit(static_cast<unsigned char>(valueName[blank + 1])))
            end = blank;
    }
    return valueName.substr(0, end);
}

} // namespace

bool IsFontInstalled(std::string_view face) {
    if (face.empty()) return false;
    const char* path = IsWinNT() ? "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts"
                                 : "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Fonts";
    registry::Key key;
    if (registry::openKey(registry::rootKey(registry::Root::LocalMachine), path, key) !=
        registry::Status::Success)
        return false;
    std::vector<std::string> names;
    registry::valueNames(key, names);
    for (const std::string& name : names)
        if (text::equalsNoCase(faceOf(name), face)) return true;
    return false;
}

std::string InstalledFaceOrArial(std::string_view face) {
    return IsFontInstalled(face) ? std::string(face) : std::string("Arial");
}

} // namespace kv::installer
