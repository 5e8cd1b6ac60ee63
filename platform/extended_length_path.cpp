#include "platform/extended_length_path.h"

#include <windows.h>

#include "platform/full_path.h"
#include "platform/text.h"

namespace keytidy {

namespace {

bool IsSharePath(const std::wstring& path) {
  return path.size() > 2 && path[0] == L'\\' && path[1] == L'\\' && path[2] != L'?' && path[2] != L'.';
}

}  // namespace

std::wstring ExtendedLength_Form(const std::wstring& path) {
  if (path.size() < MAX_PATH) return path;
  if (!IsDrivePath(path) && !IsSharePath(path)) return path;
  // The prefix passes the text to the file system as it is, so forward
  // slashes, "." and ".." must be resolved first.
  const std::wstring full = Full_Path(path);
  if (IsDrivePath(full)) return L"\\\\?\\" + full;
  if (IsSharePath(full)) return L"\\\\?\\UNC\\" + full.substr(2);
  return path;
}

}  // namespace keytidy
