#pragma once
// setup's built-in English language text, kept in the program's resources as the "TEXT"
// resource "ENGLISH".

#include <string_view>

namespace kv::installer {

// The resource type "TEXT" (a named type; given a number above the platform's own ones).
constexpr int kTextResourceType = 256;

// The built-in text: INI sections and keys as a language file has them.
std::string_view EnglishText();
// Adds the text to the program's resources; the program does so at start.
void AddEnglishResource();

} // namespace kv::installer
