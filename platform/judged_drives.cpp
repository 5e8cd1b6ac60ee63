#include "platform/judged_drives.h"

#include <windows.h>

#include "platform/error_mode.h"

namespace keytidy {

namespace {

// The volume query reads the root the way every file test on the drive
// would have to; any failure there is copied by the file tests.
std::uint32_t RootQueryError(const wchar_t* root) {
  DWORD serial = 0, longestName = 0, flags = 0;
  if (GetVolumeInformationW(root, nullptr, 0, &serial, &longestName, &flags, nullptr, 0)) return 0;
  const DWORD error = GetLastError();
  return error == ERROR_SUCCESS ? ERROR_GEN_FAILURE : error;
}

}  // namespace

bool Drive_IsJudged(unsigned driveType, std::uint32_t rootQueryError) {
  const bool local = driveType == DRIVE_FIXED || driveType == DRIVE_RAMDISK;
  return local && rootQueryError == 0;
}

std::wstring Judged_DriveLetters() {
  CriticalErrorBoxesOff errorBoxesOff;
  std::wstring letters;
  for (wchar_t letter = L'B'; letter <= L'Z'; ++letter) {
    const wchar_t root[] = {letter, L':', L'\\', L'\0'};
    const UINT type = GetDriveTypeW(root);
    if (type != DRIVE_FIXED && type != DRIVE_RAMDISK) continue;
    if (Drive_IsJudged(type, RootQueryError(root))) letters += letter;
  }
  return letters;
}

}  // namespace keytidy
