#include "platform/desktop/atoms.h"

#include "platform/desktop/internal/locked_table.h"
#include "platform/text/ansi.h"

#include <optional>
#include <vector>

namespace kv::desktop {
namespace {

constexpr const char* kTable = "atoms";

// One line per atom: number, a tab, reference count, a tab, the name.
struct Entry {
    Atom atom = 0;
    long refs = 0;
    std::string name;
};

std::optional<Entry> parse(const std::string& line) {
    const auto t1 = line.find('\t');
    const auto t2 = t1 == std::string::npos ? t1 : line.find('\t', t1 + 1);
    if (t2 == std::string::npos) return std::nullopt;
    try {
        Entry e;
        e.atom = static_cast<Atom>(std::stoul(line.substr(0, t1)));
        e.refs = std::stol(line.substr(t1 + 1, t2 - t1 - 1));
        e.name = internal::unescapeLine(std::string_view(line).substr(t2 + 1));
        return e;
    } catch (...) {
        return std::nullopt;
    }
}

std::string format(const Entry& e) {
    return std::to_string(e.atom) + "\t" + std::to_string(e.refs) + "\t" +
           internal::escapeLine(e.name);
}

bool validName(std::string_view name) {
    return !name.empty() && name.size() <= kMaxAtomName;
}

} // namespace

Atom globalAddAtom(std::string_view name) {
    if (!validName(name)) return 0;
    Atom result = 0;
    internal::updateTable(kTable, [&](std::vector<std::string>& lines) {
        std::vector<bool> used(0x10000 - kFirstAtom, false);
        for (std::string& line : lines) {
            std::optional<Entry> e = parse(line);
            if (!e || e->atom < kFirstAtom) continue;
            if (text::equalsNoCase(e->name, name)) {
                ++e->refs;
                line = format(*e);
                result = e->atom;
                return true;
            }
            used[e->atom - kFirstAtom] = true;
        }
        for (std::size_t i = 0; i < used.size(); ++i) {
            if (used[i]) continue;
            result = static_cast<Atom>(kFirstAtom + i);
            lines.push_back(format({result, 1, std::string(name)}));
            return true;
        }
        return false;
    });
    return result;
}

Atom globalFindAtom(std::string_view name) {
    if (!validName(name)) return 0;
    for (const std::string& line : internal::readTable(kTable)) {
        const std::optional<Entry> e = parse(line);
        if (e && text::equalsNoCase(e->name, name)) return e->atom;
    }
    return 0;
}

std::string globalGetAtomName(Atom atom) {
    for (const std::string& line : internal::readTable(kTable)) {
        const std::optional<Entry> e = parse(line);
        if (e && e->atom == atom) return e->name;
    }
    return {};
}

bool globalDeleteAtom(Atom atom) {
    bool found = false;
    internal::updateTable(kTable, [&](std::vector<std::string>& lines) {
        for (auto it = lines.begin(); it != lines.end(); ++it) {
            std::optional<Entry> e = parse(*it);
            if (!e || e->atom != atom) continue;
            found = true;
            if (--e->refs <= 0)
                lines.erase(it);
            else
                *it = format(*e);
            return true;
        }
        return false;
    });
    return found;
}

} // namespace kv::desktop
