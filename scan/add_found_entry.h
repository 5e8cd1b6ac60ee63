#pragma once
// The one way a check reports a finding.
#include <string>

#include "scan/result_tree.h"

namespace keytidy {

// Adds a top-level tri-state node (checked when `checked`) at the end of
// `tree` with a fresh record, and returns it; the caller then fills the
// delete fields. Returns null, adding nothing, when the path belongs to a
// product the cleaner must leave alone or holds a wildcard, and when there
// is no tree.
PVirtualNode Add_FoundEntry(const std::wstring& fullPath, const std::wstring& displayName, TResultTree* tree,
                            bool checked, CheckId groupIndex, FilterCategory comboBoxIndex, RootKey rootKey,
                            const std::wstring& key, const std::wstring& value);

// True when a finding with this path is never reported.
bool Is_ExcludedFoundPath(const std::wstring& fullPath);

// The position of the last backslash of `path`, its very last character
// not examined (so "C:\dir\" splits at "C:\"); npos when there is none.
// Checks that need "the text after the last backslash" use the same rule.
std::size_t Find_LastInnerBackslash(const std::wstring& path);

// Filename and Folder as an entry derives them from its FullPath.
void Derive_FilenameAndFolder(const std::wstring& fullPath, std::wstring& filename, std::wstring& folder);

}  // namespace keytidy
