#pragma once
// The drives whose files the checks may call missing: local fixed disks
// and RAM disks that answer. A drive that is there but cannot be queried
// (a locked encrypted volume, a disk that is not ready, a root the user may
// not read) would make every file on it look missing, so it is not judged.
// The same holds for the volume a path really lies on, which need not be
// its drive letter's: a volume may be mounted in a folder (C:\Mnt\Usb), and
// a stick mounted there and unplugged leaves a folder whose files all look
// missing.
#include <cstdint>
#include <string>

namespace keytidy {

// The decision for one drive: its GetDriveTypeW answer, and the error code
// of the query of its root (0 when the query succeeded).
bool Drive_IsJudged(unsigned driveType, std::uint32_t rootQueryError);

// The letters B to Z of the judged drives, in order, e.g. "CD". A: is never
// examined (floppy drives answer slowly or ask for a disk).
std::wstring Judged_DriveLetters();

// What Windows says about the volume a path lies on.
struct VolumeAnswers {
  bool found = false;                // GetVolumePathNameW answered
  std::wstring root;                 // its answer: "C:\", or a mount folder "C:\Mnt\Usb\"
  unsigned driveType = 0;            // GetDriveTypeW of that root
  std::uint32_t rootQueryError = 0;  // the root's volume query (0: it answered)
};

// The decision for a path whose drive letter is judged: a drive root is
// judged by the letter list (`judgedLetters`, from Judged_DriveLetters);
// any other root, a mount folder, by its own type and answer. A path whose
// volume cannot be found is not judged.
bool Volume_IsJudged(const VolumeAnswers& volume, const std::wstring& judgedLetters);

// The answers for `path` as the system gives them now; the root's type and
// volume query are asked only for a root that is no drive root.
VolumeAnswers Ask_VolumeOf(const std::wstring& path);

// True when a drive path may be called missing: its drive is one of
// `judgedLetters` and the volume it lies on is judged. A drive that is not
// judged is not looked into further (a removable or network drive would
// be asked exactly what it is not asked).
bool Path_OnJudgedVolume(const std::wstring& path, const std::wstring& judgedLetters);

}  // namespace keytidy
