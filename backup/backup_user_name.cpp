#include "backup/backup_user_name.h"

#include <windows.h>

#include "platform/text.h"

namespace keytidy {

std::wstring BackupUserNameFor(const std::wstring& userName) {
  if (userName.size() <= 2) return L"Default";
  const wchar_t first = UpperCaseAscii(userName.substr(0, 1))[0];
  if (first < L'A' || first > L'Z') return L"Default";
  return userName;
}

std::wstring Get_BackupUserName() {
  wchar_t buffer[257] = {};  // the longest account name Windows allows, plus its zero
  DWORD size = ARRAYSIZE(buffer);
  const std::wstring name = GetUserNameW(buffer, &size) ? std::wstring(buffer) : std::wstring();
  return BackupUserNameFor(name);
}

}  // namespace keytidy
