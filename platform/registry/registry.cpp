#include "platform/registry/registry.h"

#include "platform/registry/internal/hive_store.h"
#include "platform/registry/internal/seed.h"
#include "platform/system/machine.h"
#include "platform/text/ansi.h"

#include <cctype>
#include <iterator>
#include <map>
#include <memory>
#include <mutex>

namespace kv::registry {
namespace {

using internal::HiveStore;
using internal::KeyNode;

struct RootInfo {
    Root root;
    const char* name;
    const char* hive; // file name in the hive folder
    const char* base; // the root's key path inside its hive
};

constexpr RootInfo kRoots[] = {
    {Root::ClassesRoot, "HKEY_CLASSES_ROOT", "machine.hive", "Software\\Classes"},
    {Root::CurrentUser, "HKEY_CURRENT_USER", "user.hive", ""},
    {Root::LocalMachine, "HKEY_LOCAL_MACHINE", "machine.hive", ""},
    {Root::Users, "HKEY_USERS", "users.hive", ""},
    {Root::CurrentConfig, "HKEY_CURRENT_CONFIG", "machine.hive",
     "System\\CurrentControlSet\\Hardware Profiles\\Current"},
    {Root::DynData, "HKEY_DYN_DATA", "dyndata.hive", ""},
};

const RootInfo& infoOf(Root root) {
    for (const RootInfo& info : kRoots)
        if (info.root == root) return info;
    return kRoots[1];
}

struct State {
    std::mutex mutex;
    std::string folder;
    bool explicitFolder = false; // set by setHiveFolder; else the current machine's
    std::map<std::string, std::unique_ptr<HiveStore>> hives;
};

State& state() {
    static State s;
    return s;
}

// A key resolved to its hive and its full path there; the first `baseDepth` components are
// the root's own path, which always exists and cannot be deleted.
struct Resolved {
    HiveStore* hive = nullptr;
    std::vector<std::string> path;
    std::size_t baseDepth = 0;
    std::vector<std::string> relative; // the path below the root
};

HiveStore& hiveFile(const char* name) {
    State& s = state();
    auto& slot = s.hives[s.folder + '/' + name];
    if (!slot) slot = std::make_unique<HiveStore>(s.folder + '/' + name);
    return *slot;
}

Resolved resolve(const Key& key, std::string_view subKey) {
    const RootInfo& info = infoOf(key.root);
    Resolved r;
    r.hive = &hiveFile(info.hive);
    r.path = internal::splitPath(info.base);
    r.baseDepth = r.path.size();
    r.relative = internal::splitPath(key.path);
    for (std::string& part : internal::splitPath(subKey))
        r.relative.push_back(std::move(part));
    r.path.insert(r.path.end(), r.relative.begin(), r.relative.end());
    return r;
}

// The node of the path; a root whose own key is missing counts as an empty key.
const KeyNode* findNode(const KeyNode& root, const Resolved& r, bool& isEmptyRoot) {
    const KeyNode* node = internal::find(root, r.path);
    isEmptyRoot = !node && r.path.size() == r.baseDepth;
    return node;
}

KeyNode* ensureRoot(KeyNode& root, const Resolved& r, bool& changed) {
    KeyNode* node = internal::find(root, r.path);
    if (node || r.path.size() != r.baseDepth) return node;
    node = &root;
    for (const std::string& part : r.path)
        node = &node->childOrCreate(part, changed);
    return node;
}

// Without a folder of its own the registry is the current machine's, seeded on first use.
bool configured() {
    State& s = state();
    if (s.explicitFolder) return !s.folder.empty();
    const machine::Machine& m = machine::current();
    const std::string folder = m.registryFolder().string();
    if (folder == s.folder) return true;
    s.hives.clear();
    s.folder = folder;
    const machine::Profile profile = m.profile();
    hiveFile("machine.hive").modify([&](KeyNode& root, bool& changed) {
        changed = internal::seedMachineHive(root, profile);
        return Status::Success;
    });
    hiveFile("user.hive").modify([&](KeyNode& root, bool& changed) {
        changed = internal::seedUserHive(root, profile);
        return Status::Success;
    });
    return true;
}

} // namespace

Key rootKey(Root root) {
    return Key{root, {}};
}

std::optional<Root> rootByName(std::string_view name) {
    for (const RootInfo& info : kRoots)
        if (text::equalsNoCase(name, info.name)) return info.root;
    return std::nullopt;
}

std::string rootName(Root root) {
    return infoOf(root).name;
}

Status openKey(const Key& parent, std::string_view subKey, Key& result) {
    std::lock_guard guard(state().mutex);
    if (!configured()) return Status::RegistryIoFailed;
    const Resolved r = resolve(parent, subKey);
    const Status status = r.hive->read([&](const KeyNode& root) {
        bool emptyRoot = false;
        return findNode(root, r, emptyRoot) || emptyRoot ? Status::Success : Status::FileNotFound;
    });
    if (status == Status::Success) result = Key{parent.root, internal::joinPath(r.relative)};
    return status;
}

Status createKey(const Key& parent, std::string_view subKey, Key& result, bool* created) {
    std::lock_guard guard(state().mutex);
    if (!configured()) return Status::RegistryIoFailed;
    const Resolved r = resolve(parent, subKey);
    bool isNew = false;
    const Status status = r.hive->modify([&](KeyNode& root, bool& changed) {
        KeyNode* node = &root;
        for (std::size_t i = 0; i < r.path.size(); ++i) {
            bool made = false;
            node = &node->childOrCreate(r.path[i], made);
            changed = changed || made;
            if (i + 1 == r.path.size()) isNew = made && i >= r.baseDepth;
        }
        return Status::Success;
    });
    if (status == Status::Success) {
        result = Key{parent.root, internal::joinPath(r.relative)};
        if (created) *created = isNew;
    }
    return status;
}

bool keyExists(const Key& key) {
    Key opened;
    return openKey(key, "", opened) == Status::Success;
}

Status queryValue(const Key& key, std::string_view name, Value& result) {
    std::lock_guard guard(state().mutex);
    if (!configured()) return Status::RegistryIoFailed;
    const Resolved r = resolve(key, "");
    return r.hive->read([&](const KeyNode& root) {
        bool emptyRoot = false;
        const KeyNode* node = findNode(root, r, emptyRoot);
        const internal::NamedValue* v = node ? node->findValue(name) : nullptr;
        if (!v) return Status::FileNotFound;
        result = v->value;
        return Status::Success;
    });
}

Status setValue(const Key& key, std::string_view name, const Value& value) {
    std::lock_guard guard(state().mutex);
    if (!configured()) return Status::RegistryIoFailed;
    const Resolved r = resolve(key, "");
    return r.hive->modify([&](KeyNode& root, bool& changed) {
        KeyNode* node = ensureRoot(root, r, changed);
        if (!node) return Status::FileNotFound;
        if (internal::NamedValue* v = node->findValue(name)) {
            if (!(v->value == value)) {
                v->value = value;
                changed = true;
            }
        } else {
            node->values.push_back({std::string(name), value});
            changed = true;
        }
        return Status::Success;
    });
}

Status deleteValue(const Key& key, std::string_view name) {
    std::lock_guard guard(state().mutex);
    if (!configured()) return Status::RegistryIoFailed;
    const Resolved r = resolve(key, "");
    return r.hive->modify([&](KeyNode& root, bool& changed) {
        KeyNode* node = internal::find(root, r.path);
        if (!node) return Status::FileNotFound;
        for (auto it = node->values.begin(); it != node->values.end(); ++it) {
            if (text::equalsNoCase(it->name, name)) {
                node->values.erase(it);
                changed = true;
                return Status::Success;
            }
        }
        return Status::FileNotFound;
    });
}

namespace {

// Deletes the last component of r.path from its parent; `tree` allows subkeys.
Status deleteLast(const Resolved& r, bool tree) {
    if (r.path.size() <= r.baseDepth) return Status::AccessDenied;
    return r.hive->modify([&](KeyNode& root, bool& changed) {
        KeyNode* parent =
            internal::find(root, std::vector<std::string>(r.path.begin(), r.path.end() - 1));
        if (!parent) return Status::FileNotFound;
        const auto it = parent->subkeys.find(r.path.back());
        if (it == parent->subkeys.end()) return Status::FileNotFound;
        if (!tree && !it->second->subkeys.empty()) return Status::AccessDenied;
        parent->subkeys.erase(it);
        changed = true;
        return Status::Success;
    });
}

} // namespace

Status deleteKey(const Key& parent, std::string_view subKey) {
    std::lock_guard guard(state().mutex);
    if (!configured()) return Status::RegistryIoFailed;
    return deleteLast(resolve(parent, subKey), false);
}

Status deleteTree(const Key& parent, std::string_view subKey) {
    std::lock_guard guard(state().mutex);
    if (!configured()) return Status::RegistryIoFailed;
    const Resolved r = resolve(parent, subKey);
    if (!internal::splitPath(subKey).empty()) return deleteLast(r, true);
    if (r.path.size() <= r.baseDepth) return Status::AccessDenied;
    return r.hive->modify([&](KeyNode& root, bool& changed) {
        KeyNode* node = internal::find(root, r.path);
        if (!node) return Status::FileNotFound;
        changed = !node->values.empty() || !node->subkeys.empty();
        *node = KeyNode{};
        return Status::Success;
    });
}

namespace {

template <typename Fn> Status readKey(const Key& key, Fn fn) {
    std::lock_guard guard(state().mutex);
    if (!configured()) return Status::RegistryIoFailed;
    const Resolved r = resolve(key, "");
    return r.hive->read([&](const KeyNode& root) {
        bool emptyRoot = false;
        const KeyNode* node = findNode(root, r, emptyRoot);
        static const KeyNode empty;
        if (!node && !emptyRoot) return Status::FileNotFound;
        return fn(node ? *node : empty);
    });
}

} // namespace

Status enumKey(const Key& key, std::size_t index, std::string& name) {
    return readKey(key, [&](const KeyNode& node) {
        if (index >= node.subkeys.size()) return Status::NoMoreItems;
        name = std::next(node.subkeys.begin(), static_cast<std::ptrdiff_t>(index))->first;
        return Status::Success;
    });
}

Status enumValue(const Key& key, std::size_t index, std::string& name, Value& value) {
    return readKey(key, [&](const KeyNode& node) {
        if (index >= node.values.size()) return Status::NoMoreItems;
        name = node.values[index].name;
        value = node.values[index].value;
        return Status::Success;
    });
}

Status subKeyNames(const Key& key, std::vector<std::string>& names) {
    return readKey(key, [&](const KeyNode& node) {
        names.clear();
        for (const auto& entry : node.subkeys)
            names.push_back(entry.first);
        return Status::Success;
    });
}

Status valueNames(const Key& key, std::vector<std::string>& names) {
    return readKey(key, [&](const KeyNode& node) {
        names.clear();
        for (const auto& v : node.values)
            names.push_back(v.name);
        return Status::Success;
    });
}

void setHiveFolder(std::string hostFolder) {
    std::lock_guard guard(state().mutex);
    while (hostFolder.size() > 1 && hostFolder.back() == '/')
        hostFolder.pop_back();
    if (hostFolder != state().folder) state().hives.clear();
    state().folder = std::move(hostFolder);
    state().explicitFolder = true;
}

std::vector<std::string> openHives() {
    for (Root root : {Root::LocalMachine, Root::CurrentUser, Root::Users, Root::DynData})
        keyExists(rootKey(root));
    std::vector<std::string> sentences;
    for (std::string& report : internal::takeReports()) {
        if (!report.empty()) report[0] = static_cast<char>(std::toupper(report[0]));
        sentences.push_back(report + ".");
    }
    return sentences;
}

std::string hiveFolder() {
    std::lock_guard guard(state().mutex);
    return state().folder;
}

void resetForTests() {
    std::lock_guard guard(state().mutex);
    state().hives.clear();
    state().folder.clear();
    state().explicitFolder = false;
    internal::setSaveHookForTests(nullptr);
    internal::takeReports();
}

} // namespace kv::registry
