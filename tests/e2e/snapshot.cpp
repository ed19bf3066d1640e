#include "tests/e2e/snapshot.h"

#include "platform/fs/attributes.h"
#include "platform/fs/path.h"
#include "platform/fs/pending_renames.h"
#include "platform/fs/short_names.h"
#include "platform/process/services.h"
#include "platform/registry/registry.h"
#include "platform/system/machine.h"
#include "platform/system/restart.h"
#include "platform/text/ansi.h"

#include <cstdio>
#include <fstream>
#include <set>

namespace kv::e2e {
namespace {

namespace stdfs = std::filesystem;
using registry::Value;
using registry::ValueType;

// FNV-1a: enough to tell changed bytes apart.
std::uint64_t hashOf(const stdfs::path& file, std::uint64_t& size) {
    std::uint64_t hash = 1469598103934665603ull;
    size = 0;
    std::ifstream in(file, std::ios::binary);
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        for (std::streamsize i = 0; i < in.gcount(); ++i)
            hash = (hash ^ static_cast<unsigned char>(buffer[i])) * 1099511628211ull;
        size += static_cast<std::uint64_t>(in.gcount());
    }
    return hash;
}

void takeFiles(Snapshot& s) {
    const machine::Machine& m = machine::current();
    for (const machine::Drive& drive : m.profile().drives) {
        const stdfs::path root = m.hostFolder(drive);
        if (root == "/" || root.empty()) continue;
        std::error_code ec;
        for (auto it = stdfs::recursive_directory_iterator(root, ec);
             !ec && it != stdfs::recursive_directory_iterator(); it.increment(ec)) {
            const std::string path = fs::machinePath(it->path());
            FileState f;
            f.folder = it->is_directory();
            if (!f.folder) f.hash = hashOf(it->path(), f.size);
            f.attributes = fs::getAttributes(path);
            f.shortName = fs::givenShortName(path);
            if (text::equalsNoCase(f.shortName, fs::fileNamePart(path))) f.shortName.clear();
            s.files[path] = f;
        }
    }
}

void takeKey(Snapshot& s, const registry::Key& key, const std::string& name) {
    auto& values = s.keys[name];
    std::string valueName;
    Value value;
    for (std::size_t i = 0;
         registry::enumValue(key, i, valueName, value) == registry::Status::Success; ++i)
        values[valueName] = value;
    std::vector<std::string> subKeys;
    registry::subKeyNames(key, subKeys);
    for (const std::string& sub : subKeys) {
        registry::Key child;
        if (registry::openKey(key, sub, child) == registry::Status::Success)
            takeKey(s, child, name + "\\" + sub);
    }
}

void takeRegistry(Snapshot& s) {
    using registry::Root;
    // The other roots are views of these.
    for (Root root : {Root::LocalMachine, Root::CurrentUser, Root::Users, Root::DynData})
        takeKey(s, registry::rootKey(root), registry::rootName(root));
}

void takeRunTime(Snapshot& s) {
    for (const fs::PendingRename& r : fs::pendingRenames())
        s.pendingRenames.push_back(r.from + " -> " + (r.to.empty() ? "(deleted)" : r.to) +
                                   (r.replace && !r.to.empty() ? " (replacing)" : ""));
    s.restartMark = machine::restartRequested();
    registry::Key services;
    if (registry::openKey(registry::rootKey(registry::Root::LocalMachine), process::kServicesKey,
                          services) != registry::Status::Success)
        return;
    std::vector<std::string> names;
    registry::subKeyNames(services, names);
    const process::ServiceHandle manager = process::OpenSCManager("");
    for (const std::string& name : names) {
        const process::ServiceHandle service = process::OpenService(manager, name);
        process::ServiceStatus status;
        if (service.valid && process::QueryServiceStatus(service, status))
            s.services[name] = status.currentState;
    }
}

std::string attributeLetters(std::uint32_t a) {
    std::string out;
    a &= ~fs::kAttrDirectory;
    for (const auto& [bit, letter] : {std::pair{fs::kAttrReadOnly, 'R'},
                                      {fs::kAttrHidden, 'H'},
                                      {fs::kAttrSystem, 'S'},
                                      {fs::kAttrArchive, 'A'},
                                      {fs::kAttrNormal, 'N'}})
        if (a & bit) out += letter;
    return out.empty() ? "none" : out;
}

std::string describe(const FileState& f) {
    std::string out = f.folder ? "" : ", " + std::to_string(f.size) + " bytes";
    const std::uint32_t shown = f.attributes & ~fs::kAttrDirectory;
    if (!f.folder || shown) out += ", attributes " + attributeLetters(shown);
    if (!f.shortName.empty()) out += ", short name " + f.shortName;
    return out;
}

std::string quoted(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(c));
            out += hex;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string describe(const Value& v) {
    switch (v.type) {
    case ValueType::String:
        return "REG_SZ " + quoted(registry::textOf(v));
    case ValueType::ExpandString:
        return "REG_EXPAND_SZ " + quoted(registry::textOf(v));
    case ValueType::Dword:
        if (auto n = registry::dwordOf(v)) return "REG_DWORD " + std::to_string(*n);
        break;
    case ValueType::MultiString: {
        std::string out = "REG_MULTI_SZ";
        const char* separator = " ";
        for (const std::string& part : registry::stringsOf(v)) {
            out += separator + quoted(part);
            separator = ", ";
        }
        return out;
    }
    default:
        break;
    }
    std::string out = "type " + std::to_string(static_cast<std::uint32_t>(v.type));
    for (unsigned char c : v.data) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02X", c);
        out += hex;
    }
    return out;
}

std::string valueName(const std::string& key, const std::string& name) {
    return key + " " + (name.empty() ? std::string("(default)") : quoted(name));
}

// Calls added, removed and changed for the entries of two maps, merged in key order.
template <class Map, class Added, class Removed, class Changed>
void compare(const Map& before, const Map& after, Added added, Removed removed, Changed changed) {
    const auto less = before.key_comp();
    auto a = before.begin();
    auto b = after.begin();
    while (a != before.end() || b != after.end()) {
        if (b == after.end() || (a != before.end() && less(a->first, b->first))) {
            removed(a->first, a->second);
            ++a;
        } else if (a == before.end() || less(b->first, a->first)) {
            added(b->first, b->second);
            ++b;
        } else {
            if (!(a->second == b->second)) changed(a->first, a->second, b->second);
            ++a;
            ++b;
        }
    }
}

void fileLines(const Snapshot& a, const Snapshot& b, std::vector<std::string>& out) {
    auto kind = [](const FileState& f) { return std::string(f.folder ? "folder " : "file "); };
    compare(
        a.files, b.files,
        [&](const std::string& path, const FileState& f) {
            out.push_back("added " + kind(f) + path + describe(f));
        },
        [&](const std::string& path, const FileState& f) {
            out.push_back("removed " + kind(f) + path);
        },
        [&](const std::string& path, const FileState& was, const FileState& is) {
            const std::string head = "changed " + kind(is) + path + ": ";
            if (was.folder != is.folder) {
                out.push_back(head + (is.folder ? "now a folder" : "now a file"));
                return;
            }
            if (was.size != is.size)
                out.push_back(head + std::to_string(was.size) + " -> " + std::to_string(is.size) +
                              " bytes");
            else if (was.hash != is.hash)
                out.push_back(head + "bytes");
            if (was.attributes != is.attributes)
                out.push_back(head + "attributes " + attributeLetters(was.attributes) + " -> " +
                              attributeLetters(is.attributes));
            if (was.shortName != is.shortName)
                out.push_back(head + "short name " +
                              (was.shortName.empty() ? "none" : was.shortName) + " -> " +
                              (is.shortName.empty() ? "none" : is.shortName));
        });
}

void registryLines(const Snapshot& a, const Snapshot& b, std::vector<std::string>& out) {
    using Values = std::map<std::string, Value, NoCaseLess>;
    const Values none;
    auto valueLines = [&](const std::string& key, const Values& was, const Values& is) {
        compare(
            was, is,
            [&](const std::string& n, const Value& v) {
                out.push_back("added value " + valueName(key, n) + ": " + describe(v));
            },
            [&](const std::string& n, const Value&) {
                out.push_back("removed value " + valueName(key, n));
            },
            [&](const std::string& n, const Value& v, const Value& w) {
                out.push_back("changed value " + valueName(key, n) + ": " + describe(v) + " -> " +
                              describe(w));
            });
    };
    compare(
        a.keys, b.keys,
        [&](const std::string& key, const Values& values) {
            out.push_back("added key " + key);
            valueLines(key, none, values);
        },
        [&](const std::string& key, const Values&) { out.push_back("removed key " + key); },
        valueLines);
}

const char* stateName(std::uint32_t state) {
    switch (state) {
    case process::kServiceStopped:
        return "stopped";
    case process::kServiceStartPending:
        return "start pending";
    case process::kServiceStopPending:
        return "stop pending";
    case process::kServiceRunning:
        return "running";
    default:
        return "unknown";
    }
}

void runTimeLines(const Snapshot& a, const Snapshot& b, std::vector<std::string>& out) {
    if (a.pendingRenames != b.pendingRenames) {
        const std::multiset<std::string> was(a.pendingRenames.begin(), a.pendingRenames.end());
        const std::multiset<std::string> is(b.pendingRenames.begin(), b.pendingRenames.end());
        for (const std::string& r : a.pendingRenames)
            if (!is.count(r)) out.push_back("removed pending rename " + r);
        for (const std::string& r : b.pendingRenames)
            if (!was.count(r)) out.push_back("added pending rename " + r);
        if (was == is) out.push_back("pending renames reordered");
    }
    if (a.restartMark != b.restartMark)
        out.push_back(b.restartMark ? "restart mark set" : "restart mark removed");
    compare(
        a.services, b.services,
        [&](const std::string& n, std::uint32_t s) {
            out.push_back("added service " + n + ": " + stateName(s));
        },
        [&](const std::string& n, std::uint32_t) { out.push_back("removed service " + n); },
        [&](const std::string& n, std::uint32_t was, std::uint32_t is) {
            out.push_back("changed service " + n + ": " + stateName(was) + " -> " + stateName(is));
        });
}

} // namespace

bool NoCaseLess::operator()(const std::string& a, const std::string& b) const {
    const int c = text::compareNoCase(a, b);
    return c != 0 ? c < 0 : a < b;
}

Snapshot takeSnapshot() {
    Snapshot s;
    takeFiles(s);
    takeRegistry(s);
    takeRunTime(s);
    return s;
}

std::vector<std::string> difference(const Snapshot& before, const Snapshot& after) {
    std::vector<std::string> out;
    fileLines(before, after, out);
    registryLines(before, after, out);
    runTimeLines(before, after, out);
    return out;
}

} // namespace kv::e2e
