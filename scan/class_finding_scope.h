#pragma once
// How much of a file-type registration a finding takes: the smallest key or
// value whose removal ends the fault. A key goes whole only when it holds
// nothing but the broken reference and what serves that reference alone;
// otherwise only the broken value or verb goes, and whatever else the key
// holds (other verbs, icons, handlers, content types) keeps working.
#include <string>

#include "scan/check_skeleton.h"

namespace keytidy {

struct FindingScope {
  DeleteTarget target = DeleteTarget::Key;
  std::wstring key;    // below HKEY_CLASSES_ROOT
  std::wstring value;  // for a value target; empty: the default value
};

// A class whose verb `verbName` runs a missing program: the class when it
// holds only its name, a "shell" key that names at most this verb, and the
// verb; otherwise the verb's key. A shell-wide class always keeps all but
// the verb.
FindingScope Scope_BrokenVerb(const std::wstring& classKey, const std::wstring& verbName);

// An extension whose program identifier `programId` is not registered: the
// extension key when it holds only that reference (its default value, and
// a sub-key named after the identifier); otherwise its default value. The
// system's own file types always keep their key.
FindingScope Scope_ExtensionLink(const std::wstring& extension, const std::wstring& programId);

// A class whose DefaultIcon names a missing file: the DefaultIcon key when
// it holds only its default value; otherwise that value.
FindingScope Scope_DefaultIcon(const std::wstring& classKey);

// Points the finding's deletion at `scope` (below HKEY_CLASSES_ROOT).
void Apply_FindingScope(TTreeData_RegCleaner& entry, const FindingScope& scope);

}  // namespace keytidy
