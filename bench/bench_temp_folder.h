#pragma once
// A scratch folder for one benchmark process under the temporary folder,
// and its removal with everything in it.
#include <windows.h>

#include <string>

#include "support/folder_tree.h"

namespace keytidy::bench {

inline std::wstring TempFolder() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"keytidy-bench-" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

inline void RemoveFolder(const std::wstring& folder) { test::RemoveFolderTree(folder); }

}  // namespace keytidy::bench
