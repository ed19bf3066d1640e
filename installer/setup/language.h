#pragma once
// The language texts of setup: the built-in English text and, when the script chooses
// one, a language file (".lng") beside setup, read key by key with English as fallback.

#include <string>
#include <string_view>

namespace kv::installer {

// Loads the built-in "ENGLISH" text from the program's resources (done once at start);
// the character set becomes its [General] Charset.
void LoadBuiltInText();
// The text of a key: from the language file when one is loaded, else (or when it lacks the
// key) the built-in text when `defaultValue` is empty, else `defaultValue`.
std::string LangText(std::string_view section, std::string_view key, std::string_view defaultValue);
// The chosen character set: 0, or 177 (Hebrew) / 178 (Arabic) for right-to-left texts.
int GetCharset();
// Whether a language file is in use.
bool HasLanguageFile();

} // namespace kv::installer
