#pragma once
// The walk shared by the checks that take the list of HKEY_CLASSES_ROOT
// sub-keys: the scan sets the progress maximum once for all of them, so
// each key only moves the bar on by one, and no scanned counter is raised.
#include <functional>
#include <string>

#include "scan/registry_cleaner.h"

namespace keytidy {

// For each key in order: progress one step on, pending messages run, and
// unless a stop has been requested the key is examined.
void Walk_ClassKeys(TRegistryCleaner& rc, const KeyList& keys,
                    const std::function<void(const std::wstring& key)>& examine);

// Vista and later register the Journal note extension .jnt in a way the
// class-key checks would take for broken; it is never reported there.
bool Is_LeftAloneJournalKey(const std::wstring& key);

}  // namespace keytidy
