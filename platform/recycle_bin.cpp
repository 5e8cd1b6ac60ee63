#include "platform/recycle_bin.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "platform/file_existence.h"
#include "platform/full_path.h"

namespace keytidy {

bool Delete_ToRecycleBin(const std::wstring& path) {
  if (!FileExists(path)) return false;
  // The recycle bin keeps files by their full path, so a relative path is
  // completed first. The shell takes a list of paths, each ended by a zero
  // and the list by a second zero.
  const std::wstring full = Full_Path(path);
  std::vector<wchar_t> from(full.begin(), full.end());
  from.push_back(L'\0');
  from.push_back(L'\0');
  SHFILEOPSTRUCTW operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.data();
  operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  return SHFileOperationW(&operation) == 0 && !operation.fAnyOperationsAborted;
}

}  // namespace keytidy
