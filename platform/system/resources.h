#pragma once
// The program's resources: a small table of type, name and bytes compiled into the program
// (the installer's "ENGLISH" text, the client's bitmap 102, a manifest of type 24).

#include <optional>
#include <string>
#include <string_view>

namespace kv::machine {

// Resource types as the platform numbers them.
constexpr int kResourceBitmap = 2;
constexpr int kResourceRcData = 10;
constexpr int kResourceManifest = 24;

// Adds a resource to the running program's table (the program does so at start).
void addResource(int type, std::string_view name, std::string_view bytes);
// The bytes of a resource (the name compared without regard to case), or nothing.
std::optional<std::string> findResource(int type, std::string_view name);
// Whether the program has any resource of the type.
bool hasResourceOfType(int type);

} // namespace kv::machine
