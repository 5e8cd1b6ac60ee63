#pragma once
// The steps every registry check shares: walking a list of items with
// progress, message processing, the stop request and the scanned counters;
// turning a reference into a testable path; the "missing file" test; and
// reporting a finding together with what fixing it deletes.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "scan/registry_cleaner.h"

namespace keytidy {

// Which scanned counter a walk raises, and how: once by the number of items,
// or by one for each item actually examined.
enum class ItemCounter { ValuesByCount, KeysByCount, ValuesPerItem, KeysPerItem };

// For each item in order: progress position := its index, pending messages
// run, and unless a stop has been requested the item is examined. After a
// stop request the rest of the list is passed over without work.
void Walk_CheckItems(TRegistryCleaner& rc, const std::vector<std::wstring>& items, ItemCounter counter,
                     const std::function<void(const std::wstring& item)>& examine);

std::vector<std::wstring> List_ValueNames(RootKey root, const std::wstring& key);
std::vector<std::wstring> List_SubKeys(RootKey root, const std::wstring& key);

// The machine's programs list (Uninstall) below HKEY_LOCAL_MACHINE, in the
// native branch or in the 32-bit one.
std::wstring Uninstall_ListKey(bool use32BitBranch);

// A reference text as the checks test it: optionally (native view only)
// with %ProgramFiles% rewritten to the 64-bit folder, then cleaned as a
// program of `view` reads it (empty stays empty). Text that names an
// existing file or folder as it stands (after that rewrite and %NAME%
// expansion) comes back whole, uncut: the cuts are for command lines, and
// a name such as "tool.exe - Shortcut.lnk" only looks like one.
std::wstring Resolve_FileReference(const TRegistryCleaner& rc, const std::wstring& text, bool rewriteProgramFiles,
                                   RegistryView view);

// The standard test: a drive path whose file the platform reports as not
// there, looked for as a program of `view` would. Files on drives the
// engine does not judge, and files that cannot be examined, are not missing.
bool Is_MissingFile(const TRegistryCleaner& rc, const std::wstring& path, RegistryView view);

// The same test for references that may name a folder, or name a folder
// where a file was meant: missing only when neither is there.
bool Is_MissingFileOrFolder(const TRegistryCleaner& rc, const std::wstring& path, RegistryView view);

// A drive path on a judged volume where a file or a folder is known to be.
bool Is_PresentFileOrFolder(const TRegistryCleaner& rc, const std::wstring& path, RegistryView view);

enum class DeleteTarget { Value, Key };

// Where a finding was read; fixing it deletes that value, or that key.
struct FindingPlace {
  RootKey root = 0;
  std::wstring key;
  std::wstring value;  // empty for the default value and for key findings
};

// The standard folder test: a drive path whose folder is missing.
bool Is_MissingFolder(const TRegistryCleaner& rc, const std::wstring& path, RegistryView view);

// A drive path naming an existing file of no bytes.
bool Is_ZeroSizeFile(const TRegistryCleaner& rc, const std::wstring& path, RegistryView view);

// Adds the finding (ticked) and fills its delete fields from `place`;
// null when Add_FoundEntry excluded it. `tested` says what the check
// tested; the raw data is taken from `rawAt` (`place` when not given) so
// that the deletion can tell whether it changed since.
PVirtualNode Report_Finding(TRegistryCleaner& rc, CheckId groupIndex, FilterCategory comboBoxIndex,
                            const std::wstring& fullPath, const std::wstring& displayName, const FindingPlace& place,
                            DeleteTarget target, const EvidenceTested& tested = {},
                            const std::optional<FindingPlace>& rawAt = std::nullopt);

}  // namespace keytidy
