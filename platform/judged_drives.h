#pragma once
// The drives whose files the checks may call missing: local fixed disks
// and RAM disks that answer. A drive that is there but cannot be queried
// (a locked encrypted volume, a disk that is not ready, a root the user may
// not read) would make every file on it look missing, so it is not judged.
#include <cstdint>
#include <string>

namespace keytidy {

// The decision for one drive: its GetDriveTypeW answer, and the error code
// of the query of its root (0 when the query succeeded).
bool Drive_IsJudged(unsigned driveType, std::uint32_t rootQueryError);

// The letters B to Z of the judged drives, in order, e.g. "CD". A: is never
// examined (floppy drives answer slowly or ask for a disk).
std::wstring Judged_DriveLetters();

}  // namespace keytidy
