#include "platform/judged_drives.h"

#include <windows.h>

#include <vector>

#include "platform/error_mode.h"
#include "platform/extended_length_path.h"
#include "platform/text.h"

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

bool IsDriveRoot(const std::wstring& root) { return root.size() == 3 && IsDrivePath(root); }

bool HasLetter(const std::wstring& letters, wchar_t letter) {
  return letters.find(UpperCaseAscii(std::wstring(1, letter)).front()) != std::wstring::npos;
}

// GetVolumePathNameW, retried in the "\\?\" form for a path too long for
// the plain one. The "\\?\" is taken off the answer again.
bool AskVolumePathName(const std::wstring& asked, std::wstring& root) {
  std::vector<wchar_t> buffer(asked.size() + MAX_PATH + 1, L'\0');
  if (!GetVolumePathNameW(asked.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()))) return false;
  root = buffer.data();
  if (root.rfind(L"\\\\?\\", 0) == 0 && IsDrivePath(root.substr(4))) root.erase(0, 4);
  return true;
}

bool VolumePathName(const std::wstring& path, std::wstring& root) {
  if (AskVolumePathName(path, root)) return true;
  const std::wstring extended = ExtendedLength_Form(path);
  return extended != path && AskVolumePathName(extended, root);
}

}  // namespace

bool Drive_IsJudged(unsigned driveType, std::uint32_t rootQueryError) {
  const bool local = driveType == DRIVE_FIXED || driveType == DRIVE_RAMDISK;
  return local && rootQueryError == 0;
}

bool Volume_IsJudged(const VolumeAnswers& volume, const std::wstring& judgedLetters) {
  if (!volume.found || volume.root.empty()) return false;
  if (IsDriveRoot(volume.root)) return HasLetter(judgedLetters, volume.root[0]);
  return Drive_IsJudged(volume.driveType, volume.rootQueryError);
}

VolumeAnswers Ask_VolumeOf(const std::wstring& path) {
  CriticalErrorBoxesOff errorBoxesOff;
  VolumeAnswers volume;
  volume.found = VolumePathName(path, volume.root);
  if (!volume.found || IsDriveRoot(volume.root)) return volume;
  volume.driveType = GetDriveTypeW(volume.root.c_str());
  if (volume.driveType == DRIVE_FIXED || volume.driveType == DRIVE_RAMDISK)
    volume.rootQueryError = RootQueryError(volume.root.c_str());
  return volume;
}

bool Path_OnJudgedVolume(const std::wstring& path, const std::wstring& judgedLetters) {
  if (!IsDrivePath(path) || !HasLetter(judgedLetters, path[0])) return false;
  return Volume_IsJudged(Ask_VolumeOf(path), judgedLetters);
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
