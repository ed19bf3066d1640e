#pragma once
// File associations and "open with" verbs under HKEY_CLASSES_ROOT, and the association
// operation record. Creating or removing an association marks that the shell must be told.

#include <string_view>

namespace kv::installer {

// Deletes what was registered for the type and the extension, then registers the
// extension as the type, the type's description and its shell\open\command (the command
// quoted, with "%1" appended when it has none). False when the command, the type or the
// extension is empty.
bool CreateAssociation(std::string_view typeKey, std::string_view description,
                       std::string_view extension, std::string_view command);
// Single-key deletes of the type key and the extension key (a key that still has subkeys
// stays); always true.
bool RemoveAssociation(std::string_view typeKey, std::string_view extension);

// Record (own first-character delimiter): 0 type key, 1 description, 2 extension,
// 4 command, 7 install action, 8 uninstall action.
bool AssociationOp(std::string_view record, bool install);

// Adds (install) or removes the verb on folders and on the file type of each extension of
// the list ("*.txt; .log"); true when there was a verb and at least one extension.
bool OpenWithOp(std::string_view verb, std::string_view displayText, std::string_view command,
                bool install, std::string_view extensions);

// Tells the shell that associations changed when one was created or removed since the
// last notice.
void NotifyAssocChanged();
// Whether a notice is due.
bool AssocChangedPending();

} // namespace kv::installer
