#include "platform/fixed_drives.h"

#include <windows.h>

namespace keytidy {

std::string Get_FixedDriveLetters() {
  std::string letters;
  for (wchar_t letter = L'B'; letter <= L'Z'; ++letter) {
    const wchar_t root[] = {letter, L':', L'\\', L'\0'};
    const UINT type = GetDriveTypeW(root);
    if (type == DRIVE_FIXED || type == DRIVE_RAMDISK) letters += static_cast<char>(letter);
  }
  return letters;
}

}  // namespace keytidy
