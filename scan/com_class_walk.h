#pragma once
// What the checks over the list of class identifiers share: where the
// classes live in either registry view, the name a class is shown by, the
// walk over the list, and how a finding is reported.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/registry_view.h"
#include "scan/registry_cleaner.h"

namespace keytidy {

// "CLSID" below HKEY_CLASSES_ROOT, or "WOW6432Node\CLSID" for the 32-bit view.
std::wstring Com_ClassBase(bool USE_WOW6432Node_Now);

// The class's own title (default value of base\clsid), or the identifier
// when the class has none.
std::wstring Com_ClassName(const std::wstring& base, const std::wstring& clsid);

// For each identifier in order: the progress moves one step, pending
// messages run, and unless a stop has been requested the class is examined.
// The bar starts at 0 with two steps of headroom over the list, so it never
// looks finished while the last class is still being read. Nothing is
// counted: the driver has already counted the list when it built it.
void Walk_ClassList(TRegistryCleaner& rc, const KeyList& classes,
                    const std::function<void(const std::wstring& clsid)>& examine);

// Reports a bad sub-key of HKEY_CLASSES_ROOT (ticked); fixing it deletes
// exactly that sub-key, never the class or interface above it. Null when
// Add_FoundEntry excluded the path.
PVirtualNode Report_ClassesSubKey(TRegistryCleaner& rc, CheckId groupIndex, FilterCategory comboBoxIndex,
                                  const std::wstring& fullPath, const std::wstring& displayName,
                                  const std::wstring& key, const EvidenceTested& tested = {});

// The walk of the checks that read one sub-key of every class, with
// critical-error boxes off throughout: `examine` gets the class and the
// path of its sub-key (base\clsid\subKey). Nothing happens once a stop has
// been requested.
void Walk_ClassSubKeys(TRegistryCleaner& rc, const KeyList& classes, bool USE_WOW6432Node_Now,
                       const std::wstring& subKey,
                       const std::function<void(const std::wstring& clsid, const std::wstring& key)>& examine);

// The class-file checks' end: when the file `path` (as a program of the
// pass's branch sees it) is missing and `key` can be deleted, reports `key`
// for the class, with the file as what the deletion tests again.
void Report_ClassFileIfMissing(TRegistryCleaner& rc, CheckId groupIndex, FilterCategory comboBoxIndex,
                               bool USE_WOW6432Node_Now, const std::wstring& clsid, const std::wstring& key,
                               const std::wstring& path);

}  // namespace keytidy
