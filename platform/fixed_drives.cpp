#include "platform/fixed_drives.h"

namespace keytidy {

std::wstring Get_FixedDriveLetters(const std::function<UINT(const std::wstring& root)>& driveType) {
  std::wstring letters;
  for (wchar_t letter = L'B'; letter <= L'Z'; ++letter) {
    const UINT type = driveType(std::wstring{letter, L':', L'\\'});
    if (type == DRIVE_FIXED || type == DRIVE_RAMDISK) letters += letter;
  }
  return letters;
}

std::wstring Get_FixedDriveLetters() {
  return Get_FixedDriveLetters([](const std::wstring& root) { return GetDriveTypeW(root.c_str()); });
}

}  // namespace keytidy
