#pragma once
// Global atoms, shared by every process of the machine: a name (compared without regard to
// case, 1 to 255 characters) stands for a number from 0xC000, kept while its reference
// count is above zero.

#include <cstdint>
#include <string>
#include <string_view>

namespace kv::desktop {

using Atom = std::uint16_t;
constexpr Atom kFirstAtom = 0xC000;
constexpr std::size_t kMaxAtomName = 255;

// Adds a reference to the name's atom, creating it when missing; 0 for an empty or too long
// name, a full table or a table that cannot be written.
Atom globalAddAtom(std::string_view name);
// The name's atom, or 0 when there is none.
Atom globalFindAtom(std::string_view name);
// The atom's name as first added; empty when there is no such atom.
std::string globalGetAtomName(Atom atom);
// Drops one reference; the atom goes with the last. False when there is no such atom.
bool globalDeleteAtom(Atom atom);

} // namespace kv::desktop
