#pragma once
// A scratch folder for one benchmark process under the temporary folder,
// and its removal with everything in it.
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace keytidy::bench {

inline std::wstring TempFolder() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"keytidy-bench-" + std::to_wstring(GetCurrentProcessId());
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

inline void RemoveFolder(const std::wstring& folder) {
  std::wstring from = folder + L'\0';
  SHFILEOPSTRUCTW operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  SHFileOperationW(&operation);
}

}  // namespace keytidy::bench
