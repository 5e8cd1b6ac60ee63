#pragma once
// The folders of the PATH variable, read once at start-up. Bare program
// names found in the registry are looked up in them.
#include <string>
#include <vector>

namespace keytidy {

// The list built by Build_PathDirList; empty before it and after the release.
const std::vector<std::wstring>& PathDirList();

// Fills the list from the expanded PATH. A PATH changed later is not seen.
void Build_PathDirList();
void Free_PathDirList();

// The splitting rule on its own: ";;" counts as one separator, the whole
// text is trimmed, empty pieces are dropped, the pieces themselves are not
// trimmed and each loses one trailing backslash.
std::vector<std::wstring> Split_PathList(const std::wstring& path);

}  // namespace keytidy
