#pragma once
// Removing a scratch folder with everything in it, however deep.
//
// Not through the shell's delete operation: under Wine, deleting a folder
// whose contents reach past MAX_PATH fails and deletes the files of the
// current directory instead (for a test, the build's tests folder).
#include <string>

namespace keytidy::test {

// Deletes `folder` and all it holds. Links inside it are removed, never
// followed. True when the folder is gone afterwards.
bool RemoveFolderTree(const std::wstring& folder);

}  // namespace keytidy::test
