#pragma once
// Which extension a program identifier serves, for the detail line of a
// finding about that identifier.
#include <string>

#include "scan/registry_cleaner.h"

namespace keytidy {

// The last extension key of `keys` (names starting with ".") whose default
// value names `classKey`, compared without regard to case; "." + classKey
// when none does. Reads one value per extension key: callers use it only
// for findings, which are few.
std::wstring Extension_OfClass(const KeyList& keys, const std::wstring& classKey);

}  // namespace keytidy
